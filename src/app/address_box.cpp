#include "address_box.h"

#include "address_completion.h"
#include "link_drop_target.h"

#include <QLineEdit>

#include <limits>

namespace bidwarden {

AddressBox::AddressBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    // The list is ours: no inline completer, and Enter must not insert.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    // An editor cuts text at 32,767 characters by default, without a word; an
    // over-long address is refused where it would be sent instead.
    lineEdit()->setMaxLength(std::numeric_limits<int>::max());

    // The combo box hands key presses to its line edit directly, past any
    // event filter; the line edit's own signals see every real key.
    connect(lineEdit(), &QLineEdit::returnPressed, this, [this] {
        const QString entered = text();
        Q_EMIT addressEntered(entered);
        appendAddress(entered);
    });
    // The text as it is, not as the signal says: a completion made while the
    // line edit reports an edit comes before that edit's own textChanged.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { m_shownText = text(); });
    connect(lineEdit(), &QLineEdit::selectionChanged, this,
            [this] { m_selectedLength = lineEdit()->selectedText().size(); });
    // textEdited comes only from the user's own edits, so the completion's
    // writes, the program's and choosing an entry from the list start no pass.
    connect(lineEdit(), &QLineEdit::textEdited, this, &AddressBox::handleUserEdit);
    // The editor would splice a dropped link's text into the old address:
    // the link's address replaces it instead.
    auto *drops = new LinkDropTarget(lineEdit());
    connect(drops, &LinkDropTarget::linkDropped, this, [this](const QString &link) {
        lineEdit()->setText(link);
        lineEdit()->setFocus(Qt::OtherFocusReason);
    });
}

QString AddressBox::text() const
{
    return lineEdit()->text();
}

void AddressBox::setAddressText(const QString &text)
{
    lineEdit()->setText(text);
}

void AddressBox::appendAddress(const QString &address)
{
    m_addresses.append(address);
    // addItem would make the first entry current and rewrite the text.
    const QString kept = text();
    const int cursor = lineEdit()->cursorPosition();
    addItem(address);
    if (text() != kept) {
        lineEdit()->setText(kept);
        lineEdit()->setCursorPosition(cursor);
    }
}

void AddressBox::showPopup()
{
    // Qt 6.5 and later also make the entry that matches the text current
    // when the editor loses focus, which opening the list makes it do; Qt
    // 6.4 leaves the first entry current. Choosing here gives one answer on
    // both, and setting the entry that holds the same text leaves the text
    // as it is.
    const qsizetype shown = m_addresses.lastIndexOf(text());
    if (shown >= 0)
        setCurrentIndex(int(shown));
    QComboBox::showPopup();
}

void AddressBox::handleUserEdit(const QString &text)
{
    // Backspace, Delete, Cut, Undo of a paste: completing again would put
    // back what the user has just removed.
    if (!isDeletion(m_shownText, m_selectedLength, text))
        completeFromList();
}

void AddressBox::completeFromList()
{
    const std::optional<AddressCompletion> completion = completeAddress(text(), m_addresses);
    if (!completion)
        return;
    lineEdit()->setText(completion->text);
    lineEdit()->setSelection(completion->selectionStart, completion->selectionLength);
}

} // namespace bidwarden

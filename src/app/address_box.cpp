#include "address_box.h"

#include "address_completion.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace bidwarden {

AddressBox::AddressBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    // The list is ours: no inline completer, and Enter must not insert.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    lineEdit()->installEventFilter(this);

    // textEdited comes only from the user's own edits, so the completion's
    // writes and choosing an entry from the list start no pass.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        if (!std::exchange(m_lastEditDeletes, false))
            completeFromList();
    });
}

QString AddressBox::text() const
{
    return lineEdit()->text();
}

void AddressBox::setAddressText(const QString &text)
{
    lineEdit()->setText(text);
    completeFromList();
}

void AddressBox::appendAddress(const QString &address)
{
    m_addresses.append(address);
    // addItem would make the new entry current and rewrite the text.
    const QString kept = text();
    const int cursor = lineEdit()->cursorPosition();
    addItem(address);
    if (text() != kept) {
        lineEdit()->setText(kept);
        lineEdit()->setCursorPosition(cursor);
    }
}

bool AddressBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Handled here: the combo box would hand Enter to the line edit a
        // second time, and must not insert the text itself.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const QString entered = text();
            Q_EMIT addressEntered(entered);
            appendAddress(entered);
            return true;
        }
        m_lastEditDeletes = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete
                || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::DeleteEndOfWord)
                || key->matches(QKeySequence::DeleteStartOfWord)
                || key->matches(QKeySequence::DeleteEndOfLine);
    }
    return QComboBox::eventFilter(watched, event);
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

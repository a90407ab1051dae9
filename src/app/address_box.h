#pragma once

#include <QComboBox>
#include <QStringList>

namespace bidwarden {

// The auction pane's address field: free text with a drop-down list of the
// addresses of this run. The list only grows, in order, duplicates kept.
// Typing more than six characters completes the text from the list; the
// program's own writes (the page's address) are shown as they are.
class AddressBox : public QComboBox
{
    Q_OBJECT

public:
    explicit AddressBox(QWidget *parent = nullptr);

    QString text() const;
    // A write by the program: shown unchanged, never completed, so the box
    // names the page on screen.
    void setAddressText(const QString &text);
    void appendAddress(const QString &address);
    const QStringList &addresses() const { return m_addresses; }

    // Opens the list at the latest entry that is the text shown, so Up and
    // Down move from where the user is.
    void showPopup() override;

Q_SIGNALS:
    // Enter was pressed; the text is handed over unchanged.
    void addressEntered(const QString &text);

private:
    void handleUserEdit(const QString &text);
    void completeFromList();

    QStringList m_addresses;
    // The text and selection as they stood before the user's latest edit:
    // the line edit reports an edit (textEdited) before its own textChanged
    // and selectionChanged (QWidgetLineControl::finishChange, seen with Qt
    // 6.4.2 and 6.8.2), so these still hold the old state then. The unit tests of
    // Backspace and typing over a completion notice if that order changes.
    QString m_shownText;
    qsizetype m_selectedLength = 0;
};

} // namespace bidwarden

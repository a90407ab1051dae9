#pragma once

#include <QComboBox>
#include <QStringList>

namespace bidwarden {

// The auction pane's address field: free text with a drop-down list of the
// addresses of this run. The list only grows, in order, duplicates kept.
// Typing more than six characters completes the text from the list.
class AddressBox : public QComboBox
{
    Q_OBJECT

public:
    explicit AddressBox(QWidget *parent = nullptr);

    QString text() const;
    // A write by the program; it is completed from the list like typing is.
    void setAddressText(const QString &text);
    void appendAddress(const QString &address);
    const QStringList &addresses() const { return m_addresses; }

Q_SIGNALS:
    // Enter was pressed; the text is handed over unchanged.
    void addressEntered(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void completeFromList();

    QStringList m_addresses;
    bool m_lastEditDeletes = false;
};

} // namespace bidwarden

#pragma once

#include <QDialog>
#include <QString>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QLabel;
class QPushButton;
QT_END_NAMESPACE

namespace bidwarden {

// Tools › Clear Browsing Data…: asks what to clear, all of it ticked, and
// then says how each part went, as the clearing reports it. Modeless; the
// clearing itself is the browser profile's.
class ClearDataDialog : public QDialog
{
    Q_OBJECT

public:
    struct Choice
    {
        bool cookiesAndSiteData = false;
        bool cache = false;
        bool visitedLinks = false;

        bool operator==(const Choice &) const = default;
    };

    explicit ClearDataDialog(QWidget *parent = nullptr);

    Choice choice() const;
    QPushButton *clearButton() const { return m_clear; }

    // What the clearing reports: a line for each part as it ends, then
    // that every part has.
    void addOutcome(const QString &line);
    void showFinished();

Q_SIGNALS:
    void clearRequested(const bidwarden::ClearDataDialog::Choice &choice);

private:
    QCheckBox *addChoice(const char *objectName, const QString &text, const QString &explanation);
    void clear();
    void setChoosing(bool choosing);

    QCheckBox *m_cookies = nullptr;
    QCheckBox *m_cache = nullptr;
    QCheckBox *m_visitedLinks = nullptr;
    QLabel *m_outcome = nullptr;
    QPushButton *m_clear = nullptr;
    QStringList m_lines;
};

} // namespace bidwarden

Q_DECLARE_METATYPE(bidwarden::ClearDataDialog::Choice)

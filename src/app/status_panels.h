#pragma once

#include <QObject>

#include <optional>

QT_BEGIN_NAMESPACE
class QLabel;
class QStatusBar;
QT_END_NAMESPACE

namespace bidwarden {

// The five panels of the status bar: the auction page's status (with a small
// picture), the connection text, and the Num Lock, Caps Lock and Insert states.
class StatusPanels : public QObject
{
    Q_OBJECT

public:
    StatusPanels(QStatusBar *bar, qreal logicalDpi);

    void setPageStatus(const QString &text);
    QString pageStatus() const;
    void setConnectionText(const QString &text);
    QString connectionText() const;

    // Each keyboard state shows dark when on and greyed when off; a state the
    // platform does not report shows greyed and says so in its tooltip.
    void setKeyStates(std::optional<bool> numLock, std::optional<bool> capsLock, bool insert);

private:
    QLabel *m_pageStatus = nullptr;
    QLabel *m_connection = nullptr;
    QLabel *m_numLock = nullptr;
    QLabel *m_capsLock = nullptr;
    QLabel *m_insert = nullptr;
};

} // namespace bidwarden

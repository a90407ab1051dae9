#pragma once

#include "permission_answers.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

QT_BEGIN_NAMESPACE
class QWebEnginePage;
QT_END_NAMESPACE

namespace bidwarden {

class PermissionBar;

// Answers what a page asks to use (its location, notifications, the camera
// and the like): from what the user said for the host before, or by asking
// in the bar above the page, and remembers the answer for the host while the
// program runs. What it cannot name is refused; a question still open when
// the page goes away (a new load) is answered Block. Lives as long as the
// page.
class PagePermissions : public QObject
{
    Q_OBJECT

public:
    PagePermissions(QWebEnginePage *page, PermissionBar *bar, PermissionAnswers *answers);

private:
    void connectRequests(QWebEnginePage *page);
    void decide(const QString &host, std::optional<PagePermission> permission,
                const std::function<void(bool allowed)> &answer);

    QPointer<PermissionBar> m_bar;
    PermissionAnswers *m_answers;
};

} // namespace bidwarden

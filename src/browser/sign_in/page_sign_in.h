#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QWebEnginePage;
QT_END_NAMESPACE

namespace bidwarden {

// Asks the user for the user name and password a site or a proxy wants, in
// a dialog over the page's window that names the host and the realm.
// Nothing is sent that the user did not type: Cancel sends nothing, and the
// engine shows the server's own answer. Lives as long as the page.
class PageSignIn : public QObject
{
    Q_OBJECT

public:
    // The dialog opens over shownIn's window.
    PageSignIn(QWebEnginePage *page, QWidget *shownIn);

private:
    QPointer<QWidget> m_shownIn;
};

} // namespace bidwarden

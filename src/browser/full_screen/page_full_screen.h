#pragma once

#include <QObject>
#include <QPointer>

QT_BEGIN_NAMESPACE
class QWebEnginePage;
class QWebEngineView;
QT_END_NAMESPACE

namespace bidwarden {

class FullScreenWindow;

// Grants a page's request to show an element full screen (a video's
// button): the page alone fills the screen until Esc or the page ends it,
// then goes back to its view. Lives as long as the page.
class PageFullScreen : public QObject
{
    Q_OBJECT

public:
    PageFullScreen(QWebEnginePage *page, QWebEngineView *view);
    ~PageFullScreen() override;

private:
    QPointer<QWebEngineView> m_view;
    // A window of the page's window, which may delete it first.
    QPointer<FullScreenWindow> m_window;
};

} // namespace bidwarden

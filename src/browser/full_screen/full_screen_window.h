#pragma once

#include <QPointer>
#include <QWebEngineView>
#include <QWidget>


namespace bidwarden {

// Shows a page alone on the whole screen, as it asked (a video's full-screen
// button), and gives it back to the view it came from when it goes. Esc
// asks the page to leave full screen.
class FullScreenWindow : public QWidget
{
    Q_OBJECT

public:
    explicit FullScreenWindow(QWebEngineView *shownIn);
    ~FullScreenWindow() override;

    // The page is going away with its owner: nothing is given back.
    void releasePage() { m_shownIn = nullptr; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWebEngineView *m_view = nullptr;
    QPointer<QWebEngineView> m_shownIn;
};

} // namespace bidwarden

#include "page_find.h"

#include "find_bar.h"

#include <QPointer>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace bidwarden {

void findInPage(FindBar *bar, QWebEngineView *view)
{
    QObject::connect(bar, &FindBar::findRequested, view, [bar = QPointer<FindBar>(bar), view](const QString &text, bool backward) {
        // An empty text clears the highlighting; there is nothing to count.
        if (text.isEmpty()) {
            view->page()->findText(QString());
            return;
        }
        const QWebEnginePage::FindFlags flags = backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
        view->page()->findText(text, flags, [bar](const QWebEngineFindTextResult &result) {
            if (bar)
                bar->showMatches(result.activeMatch(), result.numberOfMatches());
        });
    });
    QObject::connect(bar, &FindBar::closed, view, [view](bool hadFocus) {
        if (hadFocus)
            view->setFocus(Qt::OtherFocusReason);
    });
    // The engine forgets what it found when the page changes.
    QObject::connect(view, &QWebEngineView::loadStarted, bar, &FindBar::forgetMatches);
}

} // namespace bidwarden

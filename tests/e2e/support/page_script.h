#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QVariant>

#include <functional>

class QWebEnginePage;
class QWebEngineView;
class QWidget;

namespace bidwarden {
class PageWindow;
}

namespace bidwarden::test {

// What a script in the page evaluates to; an invalid value when the page
// gives no answer in the engine's time.
QVariant evaluate(QWebEnginePage *page, const QString &script);

// Where the first element the selector finds is, in the view's
// coordinates: its centre; a null point where the page has no such element.
QPoint elementCentre(QWebEngineView *view, const QString &selector);

// A user's click on the element, through its window: unlike a script's
// click(), it carries the user's gesture, which new windows, print and
// passkeys need. False where the page has no such element.
bool clickElement(QWebEngineView *view, const QString &selector);

// A user's click on the element, made again until the page shows that it
// took it (a click that comes before the page can take it changes nothing;
// the user would click again). False where it never did.
bool clickElementUntil(QWebEngineView *view, const QString &selector, const std::function<bool()> &taken);

// A user's click into a text box of the page, made again until the page
// has given it the focus (a click that comes before the page can take it
// changes nothing; the user would click again). False where it never has.
bool clickInto(QWebEngineView *view, const QString &selector);

// The page windows of the window that show.
QList<PageWindow *> shownPageWindows(QWidget *window);

} // namespace bidwarden::test

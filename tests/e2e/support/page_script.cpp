#include "page_script.h"

#include "e2e_fixture.h"
#include "page_window.h"
#include "user_input.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace bidwarden::test {

namespace {

// The text as a string literal of a script, whatever it holds.
QString scriptString(const QString &text)
{
    const QString array = QString::fromUtf8(QJsonDocument(QJsonArray{ text }).toJson(QJsonDocument::Compact));
    return array.mid(1, array.size() - 2);
}

} // namespace

QVariant evaluate(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, engineTimeoutMs))
        qInfo("the page did not answer the script: %s", qPrintable(script));
    return result;
}

QPoint elementCentre(QWebEngineView *view, const QString &selector)
{
    const QString script = QStringLiteral("(function () { var e = document.querySelector(%1);"
                                          " if (!e) return null; var r = e.getBoundingClientRect();"
                                          " return [r.x + r.width / 2, r.y + r.height / 2]; })()");
    const QVariantList xy = evaluate(view->page(), script.arg(scriptString(selector))).toList();
    return xy.size() == 2 ? QPoint(xy.at(0).toInt(), xy.at(1).toInt()) : QPoint();
}

bool clickElement(QWebEngineView *view, const QString &selector)
{
    const QPoint at = elementCentre(view, selector);
    if (at.isNull())
        return false;
    clickOn(view, at);
    return true;
}

bool clickElementUntil(QWebEngineView *view, const QString &selector, const std::function<bool()> &taken)
{
    for (QDeadlineTimer deadline(engineTimeoutMs); !deadline.hasExpired();) {
        if (!clickElement(view, selector))
            return false;
        if (QTest::qWaitFor(taken, 1000))
            return true;
    }
    return false;
}

bool clickInto(QWebEngineView *view, const QString &selector)
{
    const QString focused =
            QStringLiteral("document.activeElement === document.querySelector(%1)").arg(scriptString(selector));
    return clickElementUntil(view, selector, [&] { return evaluate(view->page(), focused).toBool(); });
}

QList<PageWindow *> shownPageWindows(QWidget *window)
{
    QList<PageWindow *> shown;
    for (PageWindow *w : window->findChildren<PageWindow *>()) {
        if (w->isVisible())
            shown << w;
    }
    return shown;
}

} // namespace bidwarden::test

#include "page_script.h"

#include "e2e_fixture.h"
#include "page_window.h"
#include "user_input.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace bidwarden::test {

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
    // The selector goes into the script as a string literal, whatever it holds.
    const QString literal = QString::fromUtf8(QJsonDocument(QJsonArray{selector}).toJson(QJsonDocument::Compact));
    const QVariantList xy = evaluate(view->page(), script.arg(literal.mid(1, literal.size() - 2))).toList();
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

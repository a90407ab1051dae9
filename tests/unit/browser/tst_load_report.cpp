#include "load_report.h"

#include <QTest>

using namespace bidwarden;

namespace {

// The engine's events, one a line, as the pane hands them over:
//   "navigate"            a main-frame navigation is requested
//   "start"               a load starts
//   "send get", "send post"  the main frame's request goes out
//   "address URL"         the page names a new address
//   "main URL", "frame URL"  a document exists in the main frame or a frame
//   "end ok", "end failed", "end unanswered"  the load ends
void feed(LoadReport &report, const QString &event)
{
    const QString verb = event.section(QLatin1Char(' '), 0, 0);
    const QString rest = event.section(QLatin1Char(' '), 1);
    if (verb == QLatin1String("navigate"))
        report.handleNavigationRequested();
    else if (verb == QLatin1String("start"))
        report.handleLoadStarted();
    else if (verb == QLatin1String("send"))
        report.handleRequestSent(rest == QLatin1String("post"));
    else if (verb == QLatin1String("address"))
        report.handleAddressChanged(QUrl(rest));
    else if (verb == QLatin1String("main") || verb == QLatin1String("frame"))
        report.handleDocumentCommitted(verb == QLatin1String("main"), QUrl(rest));
    else if (verb == QLatin1String("end"))
        report.handleLoadEnded(rest == QLatin1String("ok"), rest == QLatin1String("unanswered"));
    else
        QFAIL(qPrintable(QStringLiteral("no such event: ") + event));
}

} // namespace

class TestLoadReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void engineOrders_data();
    void engineOrders();
};

void TestLoadReport::engineOrders_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("reported");
    QTest::addColumn<bool>("formAnswer");

    // Every row starts on a page at http://shop.test/, loaded and reported.
    const QString item = QStringLiteral("http://shop.test/itm/42");
    const QString post = QStringLiteral("http://service.test/cl/SUpdate.cfm");
    const QStringList load{ QStringLiteral("loadStarted") };
    const QString navigated = QStringLiteral("navigateCompleted ");
    const QStringList finished{ QStringLiteral("loadFinished"), QStringLiteral("documentCompleted") };

    QTest::newRow("Qt 6.4 and 6.8: a page, its address before its document's report")
            << QStringList{ "navigate", "start", "send get", "address " + item, "main " + item, "end ok" }
            << load + QStringList{ navigated + item } + finished << false;
    QTest::newRow("Qt 6.8, in some runs: the document's report ahead of the address waits for it")
            << QStringList{ "navigate", "start", "send get", "main " + item, "address " + item, "end ok" }
            << load + QStringList{ navigated + item } + finished << false;
    QTest::newRow("the same address again (a reload): the document's report is the commit")
            << QStringList{ "navigate", "start", "send get", "main http://shop.test/", "end ok" }
            << load + QStringList{ navigated + "http://shop.test/" } + finished << false;
    QTest::newRow("a post's answer")
            << QStringList{ "navigate", "start", "send post", "address " + post, "main " + post, "end ok" }
            << load + QStringList{ navigated + post } + finished << true;
    QTest::newRow("a superseded navigation reports only the one that replaced it")
            << QStringList{ "navigate", "start", "send get", "navigate", "send post", "address " + post,
                            "main " + post, "end ok" }
            << load + QStringList{ navigated + post } + finished << true;
    QTest::newRow("Qt 6.4: the start page replaced by the login's post, one navigation asked for")
            << QStringList{ "navigate", "start", "send get", "send post", "address " + post, "main " + post, "end ok" }
            << load + QStringList{ navigated + post } + finished << true;
    QTest::newRow("a download (ended as failed on 6.4, stopped on 6.8): nothing navigated or completed")
            << QStringList{ "navigate", "start", "send get", "end failed" }
            << load + QStringList{ "loadFinished" } << false;
    QTest::newRow("frames: one navigation per document, completed with the page")
            << QStringList{ "navigate", "start", "send get", "address " + item, "main " + item,
                            "frame http://shop.test/frame/a", "frame http://shop.test/frame/b", "end ok" }
            << load
                       + QStringList{ navigated + item, navigated + item, navigated + item, "loadFinished",
                                      "documentCompleted", "documentCompleted", "documentCompleted" }
            << false;
    QTest::newRow("about:blank commits without a report: reported at the end")
            << QStringList{ "navigate", "start", "end ok" }
            << load + QStringList{ navigated + "http://shop.test/" } + finished << false;
    QTest::newRow("no answer at all: the error page's document is not the page's")
            << QStringList{ "navigate", "start", "send post", "address " + post,
                            "main chrome-error://chromewebdata/", "end unanswered" }
            << load + QStringList{ navigated + post, "loadUnanswered", "loadFinished" } << true;
    QTest::newRow("outside a load, a new address is a navigation within the document")
            << QStringList{ "address http://shop.test/#photos" }
            << QStringList{ navigated + "http://shop.test/#photos" } << false;
    QTest::newRow("outside a load, a late document report is not reported again")
            << QStringList{ "main http://shop.test/" } << QStringList{} << false;
    QTest::newRow("a page after a post's answer is not one")
            << QStringList{ "navigate", "start", "send post", "address " + post, "main " + post, "end ok",
                            "navigate", "start", "send get", "address " + item, "main " + item, "end ok" }
            << load + QStringList{ navigated + post } + finished + load + QStringList{ navigated + item } + finished
            << false;
}

void TestLoadReport::engineOrders()
{
    QFETCH(QStringList, events);
    QFETCH(QStringList, reported);
    QFETCH(bool, formAnswer);

    LoadReport report;
    const QStringList shown{ "navigate", "start", "send get", "address http://shop.test/", "main http://shop.test/",
                             "end ok" };
    for (const QString &event : shown)
        feed(report, event);
    // The page events as the pane raises them; a navigation names the
    // address the page names when it is reported, which the window shows.
    QStringList seen;
    const auto add = [&seen, &report](const char *name) {
        return [&seen, &report, name] {
            seen << (qstrcmp(name, "navigateCompleted") == 0
                             ? QStringLiteral("navigateCompleted ") + report.address().toString()
                             : QString::fromLatin1(name));
        };
    };
    connect(&report, &LoadReport::loadStarted, this, add("loadStarted"));
    connect(&report, &LoadReport::navigateCompleted, this, add("navigateCompleted"));
    connect(&report, &LoadReport::documentCompleted, this, add("documentCompleted"));
    connect(&report, &LoadReport::loadUnanswered, this, add("loadUnanswered"));
    connect(&report, &LoadReport::loadFinished, this, add("loadFinished"));

    for (const QString &event : events) {
        feed(report, event);
        // Between the load's start and its end, and only then.
        QCOMPARE(report.isLoading(), seen.lastIndexOf(QStringLiteral("loadStarted"))
                                             > seen.lastIndexOf(QStringLiteral("loadFinished")));
    }
    QCOMPARE(seen, reported);
    QCOMPARE(report.showsFormAnswer(), formAnswer);
}

QTEST_GUILESS_MAIN(TestLoadReport)
#include "tst_load_report.moc"

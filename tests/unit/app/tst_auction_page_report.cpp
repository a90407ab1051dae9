#include "address_box.h"
#include "auction_page_report.h"
#include "fake_pane.h"
#include "status_panels.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

// The report between a fake auction pane and the window's parts it writes.
struct Report
{
    Report()
    {
        status.setPageStatus(QStringLiteral("Ready."));
        window.setWindowTitle(QStringLiteral("Bidwarden Auction Sniper"));
    }
    QString pageStatus() const { return status.pageStatus(); }
    QString caption() const { return window.windowTitle(); }
    // Entered in the box: the window hands it to the pane and to the report.
    void enter(const QString &address)
    {
        box->lineEdit()->setText(address);
        report->addressEntered(address);
        pane->navigate(address);
    }

    QWidget window;
    QStatusBar bar{ &window };
    StatusPanels status{ &bar, 96 };
    AddressBox *box = new AddressBox(&window);
    FakePane *pane = new FakePane(&window);
    AuctionPageReport *report = new AuctionPageReport(pane, &status, box, &window);
};

} // namespace

class TestAuctionPageReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageEventsReachPanelOneTheCaptionAndTheBox();
    void navigationReportsOnlyItsCommit();
    void enteredDownloadLeavesThePagesAddress_data();
    void enteredDownloadLeavesThePagesAddress();
    void endedRendererIsReported();
};

void TestAuctionPageReport::pageEventsReachPanelOneTheCaptionAndTheBox()
{
    Report r;
    r.pane->startLoad();
    QCOMPARE(r.pageStatus(), QStringLiteral("Opening Page....."));
    Q_EMIT r.pane->statusTextChanged(QStringLiteral("<b>http://hover.test/</b>"));
    QCOMPARE(r.pageStatus(), QStringLiteral("<b>http://hover.test/</b>"));
    QCOMPARE(r.bar.findChild<QLabel *>(QStringLiteral("pageStatus"))->textFormat(), Qt::PlainText);
    Q_EMIT r.pane->statusTextChanged(QString());
    QCOMPARE(r.pageStatus(), QString());

    r.pane->commit(QStringLiteral("http://auction.test/itm/1?a=b"), QStringLiteral("Item 1"));
    QCOMPARE(r.caption(), QStringLiteral("Item 1"));
    QCOMPARE(r.pageStatus(), r.pane->url);
    QCOMPARE(r.box->text(), r.pane->url);

    r.pane->finishLoad();
    Q_EMIT r.pane->documentCompleted(); // a frame's document adds another copy
    QCOMPARE(r.pageStatus(), QStringLiteral("Document Finished."));
    QCOMPARE(r.box->addresses(), QStringList({ r.pane->url, r.pane->url }));

    Q_EMIT r.pane->fileDownloadStarting();
    QCOMPARE(r.pageStatus(), QStringLiteral("Beginning Download....."));
}

void TestAuctionPageReport::navigationReportsOnlyItsCommit()
{
    // While the next page is on its way, the box and the caption still name
    // the page on screen.
    Report r;
    r.pane->completeLoad(QStringLiteral("http://auction.test/itm/1"), QStringLiteral("Item 1"));
    r.pane->startLoad();
    QCOMPARE(r.box->text(), QStringLiteral("http://auction.test/itm/1"));
    QCOMPARE(r.caption(), QStringLiteral("Item 1"));
    r.pane->commit(QStringLiteral("http://auction.test/"), QStringLiteral("Auctions"));
    QCOMPARE(r.box->text(), QStringLiteral("http://auction.test/"));
    QCOMPARE(r.caption(), QStringLiteral("Auctions"));
}

void TestAuctionPageReport::enteredDownloadLeavesThePagesAddress_data()
{
    QTest::addColumn<QString>("typedSince");
    QTest::addColumn<bool>("committedFirst"); // a page answered the entry before the download
    QTest::addColumn<QString>("box");
    QTest::newRow("the entered address was a download")
            << QString() << false << QStringLiteral("http://auction.test/itm/1");
    QTest::newRow("typed again since") << QStringLiteral("/x") << false << QStringLiteral("http://auction.test/file.zip/x");
    QTest::newRow("a page answered, then a link was a download")
            << QString() << true << QStringLiteral("http://auction.test/file.zip");
}

void TestAuctionPageReport::enteredDownloadLeavesThePagesAddress()
{
    // The page shown stays when an entered address is a download; the box
    // names that page again, unless the user has typed since or the entry
    // was answered by a page of its own.
    QFETCH(QString, typedSince);
    QFETCH(bool, committedFirst);
    QFETCH(QString, box);
    Report r;
    r.pane->completeLoad(QStringLiteral("http://auction.test/itm/1"), QStringLiteral("Item 1"));
    r.enter(QStringLiteral("http://auction.test/file.zip"));
    r.pane->startLoad();
    if (committedFirst)
        r.pane->completeLoad(QStringLiteral("http://auction.test/file.zip"), QStringLiteral("Files"));
    if (!typedSince.isEmpty())
        r.box->lineEdit()->setText(r.box->text() + typedSince);
    r.pane->startDownload();
    QCOMPARE(r.box->text(), box);
}

void TestAuctionPageReport::endedRendererIsReported()
{
    Report r;
    r.pane->endRenderProcess(QStringLiteral("it was killed"));
    QVERIFY2(r.pageStatus().contains(QStringLiteral("it was killed")), qPrintable(r.pageStatus()));
    QVERIFY2(r.pageStatus().contains(QStringLiteral("Refresh")), qPrintable(r.pageStatus()));
}

QTEST_MAIN(TestAuctionPageReport)
#include "tst_auction_page_report.moc"

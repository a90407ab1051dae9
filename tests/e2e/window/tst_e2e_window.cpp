#include "address_box.h"
#include "e2e_fixture.h"
#include "main_window.h"
#include "settings_folder.h"
#include "text_file.h"
#include "web_engine_browser.h"
#include "web_engine_pane.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QSignalSpy>
#include <QTest>

using namespace bidwarden;
using namespace bidwarden::test;

class TestWindowEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_program.reset(); }

    void startupLoadsStoredHomePageAndStartPage();
    void framesAddOneEntryPerDocument();
    void downloadShowsBeginningDownload();
    void servicePagesLeaveTheAuctionStateAlone();
    void downloadIsSavedWhereTheUserChose_data();
    void downloadIsSavedWhereTheUserChose();

private:
    std::unique_ptr<ProgramUnderTest> m_program;
};

void TestWindowEndToEnd::init()
{
    m_program = std::make_unique<ProgramUnderTest>();
    QVERIFY(m_program->startPeers());
}

void TestWindowEndToEnd::startupLoadsStoredHomePageAndStartPage()
{
    const QString home = m_program->peers().auctionUrl() + QStringLiteral("itm/5?hash=abc&var=2");
    // Written as the set-homepage dialog writes it: with CR LF.
    QVERIFY(writeTextFileContents(home, SettingsFolder(m_program->settingsPath()).homepageFile()).ok());

    MainWindow *window = m_program->open();
    QVERIFY(m_program->waitForStartPage());

    const QList<LoggedRequest> auction = m_program->peers().requests(QStringLiteral("auction"));
    QVERIFY(!auction.isEmpty());
    QCOMPARE(auction.first().method, QStringLiteral("GET"));
    QCOMPARE(auction.first().path, QStringLiteral("/itm/5?hash=abc&var=2"));
    QTRY_VERIFY_WITH_TIMEOUT(!m_program->peers().requests(QStringLiteral("service")).isEmpty(), 30000);
    QCOMPARE(m_program->peers().requests(QStringLiteral("service")).first().path, QStringLiteral("/?source=program"));

    QCOMPARE(window->windowTitle(), m_program->auctionPane()->locationName());
    QVERIFY(window->windowTitle().contains(QStringLiteral("Item 5")));
    QCOMPARE(m_program->pageStatus(), QStringLiteral("Document Finished."));
    QCOMPARE(m_program->urlbox()->text(), home);
    QCOMPARE(m_program->urlbox()->addresses().last(), home);
    QCOMPARE(window->currentTab(), MainWindow::AuctionTab);
}

void TestWindowEndToEnd::framesAddOneEntryPerDocument()
{
    m_program->open();
    QVERIFY(m_program->waitForStartPage());
    QSignalSpy documents(m_program->auctionPane(), &BrowserPane::documentCompleted);
    const qsizetype before = m_program->urlbox()->addresses().size();

    const QString frames = m_program->peers().auctionUrl() + QStringLiteral("frames.html");
    m_program->auctionPane()->navigate(frames);
    QTRY_VERIFY_WITH_TIMEOUT(documents.count() >= 3, 30000);
    QTest::qWait(200); // no further document may follow
    const QStringList added = m_program->urlbox()->addresses().mid(before);
    QCOMPARE(added, QStringList({ frames, frames, frames }));
    QCOMPARE(m_program->urlbox()->text(), frames);
}

void TestWindowEndToEnd::downloadShowsBeginningDownload()
{
    m_program->open();
    QVERIFY(m_program->waitForStartPage());

    QString statusWhenOffered;
    connect(m_program->auctionPane(), &BrowserPane::fileDownloadStarting, this,
            [&] { statusWhenOffered = m_program->pageStatus(); });
    m_program->auctionPane()->navigate(m_program->peers().auctionUrl() + QStringLiteral("download/catalog.txt"));
    QTRY_COMPARE_WITH_TIMEOUT(statusWhenOffered, QStringLiteral("Beginning Download....."), 30000);
}

void TestWindowEndToEnd::servicePagesLeaveTheAuctionStateAlone()
{
    MainWindow *window = m_program->open();
    QVERIFY(m_program->waitForStartPage());
    const QString title = window->windowTitle();
    const QStringList list = m_program->urlbox()->addresses();

    QSignalSpy serviceDocuments(m_program->servicePane(), &BrowserPane::documentCompleted);
    m_program->servicePane()->navigate(m_program->peers().serviceUrl() + QStringLiteral("/faq.cfm"));
    QTRY_VERIFY_WITH_TIMEOUT(serviceDocuments.count() >= 1, 30000);
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(m_program->pageStatus(), QStringLiteral("Document Finished."));
    QCOMPARE(m_program->urlbox()->addresses(), list);
}

void TestWindowEndToEnd::downloadIsSavedWhereTheUserChose_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::newRow("saved") << true;
    QTest::newRow("cancelled") << false;
}

void TestWindowEndToEnd::downloadIsSavedWhereTheUserChose()
{
    QFETCH(bool, accepted);
    QTemporaryDir downloads;
    const QString target = downloads.filePath(QStringLiteral("saved-catalog.txt"));
    m_program->setDownloadTarget(accepted ? target : QString());
    m_program->open();
    QVERIFY(m_program->waitForStartPage());

    QSignalSpy finished(m_program->browser(), &WebEngineBrowser::downloadFinished);
    QSignalSpy offered(m_program->auctionPane(), &BrowserPane::fileDownloadStarting);
    m_program->auctionPane()->navigate(m_program->peers().auctionUrl() + QStringLiteral("download/catalog.txt"));
    QTRY_COMPARE_WITH_TIMEOUT(offered.count(), 1, 30000);
    if (accepted) {
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
        QCOMPARE(finished.at(0).at(0).toString(), target);
        QVERIFY(finished.at(0).at(1).toBool());
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("Item 123\nItem 456\nItem 789\n"));
    } else {
        QTest::qWait(300);
        QCOMPARE(finished.count(), 0);
        QVERIFY(QDir(downloads.path()).isEmpty());
    }
}

BIDWARDEN_ENGINE_TEST_MAIN(TestWindowEndToEnd)
#include "tst_e2e_window.moc"

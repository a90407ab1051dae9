#include "address_box.h"
#include "browser_profile.h"
#include "download_list.h"
#include "engine_suite.h"
#include "main_window.h"
#include "settings_folder.h"
#include "text_file.h"
#include "user_input.h"
#include "web_engine_pane.h"
#include "web_page.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cmath>
#include <csignal>

using namespace bidwarden;
using namespace bidwarden::test;

class TestWindowEndToEnd : public EngineSuite
{
    Q_OBJECT

private Q_SLOTS:
    void startupLoadsStoredHomePageAndStartPage();
    void captionIsTheProgramsUntilTheFirstPage();
    void pageEventsComeWithTheAnswer();
    void documentReportAheadOfTheAddressWaitsForIt();
    void hoveringALinkShowsIt();
    void framesAddOneEntryPerDocument();
    void servicePagesLeaveTheAuctionStateAlone();
    void downloadIsOfferedInTheDownloadFolder_data();
    void downloadIsOfferedInTheDownloadFolder();
    void paneSurvivesItsRenderer_data();
    void paneSurvivesItsRenderer();
    void pagesAreDrawnAndScroll();
    void printWritesThePageToAFile();

private:
    // Each test starts the peers and the program as it needs them.
    void start() override {}
};

void TestWindowEndToEnd::startupLoadsStoredHomePageAndStartPage()
{
    QVERIFY(m_program->startPeers());
    const QString home = m_program->peers().auctionUrl() + QStringLiteral("itm/5?hash=abc&var=2");
    // Written as the set-homepage dialog writes it: with CR LF.
    QVERIFY(writeTextFileContents(home, SettingsFolder(m_program->settingsPath()).homepageFile()).ok());

    MainWindow *window = m_program->open();
    QVERIFY(m_program->waitForLoadFinished(m_program->auctionPane(), home));
    const QList<LoggedRequest> auction = m_program->peers().requests(QStringLiteral("auction"));
    QCOMPARE(auction.first().method, QStringLiteral("GET"));
    QCOMPARE(auction.first().path, QStringLiteral("/itm/5?hash=abc&var=2"));
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane(),
                                           m_program->peers().serviceUrl() + QStringLiteral("/?source=program")));
    QCOMPARE(m_program->peers().requests(QStringLiteral("service")).first().path, QStringLiteral("/?source=program"));

    QCOMPARE(window->windowTitle(), m_program->auctionPane()->locationName());
    QVERIFY(window->windowTitle().contains(QStringLiteral("Item 5")));
    QCOMPARE(m_program->pageStatus(), QStringLiteral("Document Finished."));
    QCOMPARE(m_program->urlbox()->text(), home);
    QCOMPARE(m_program->urlbox()->addresses().last(), home);
    QCOMPARE(window->currentTab(), MainWindow::AuctionTab);
}

void TestWindowEndToEnd::captionIsTheProgramsUntilTheFirstPage()
{
    QVERIFY(m_program->startPeers({ QStringLiteral("auction:/=3000") }));
    MainWindow *window = m_program->open();
    // The home page has been asked for; its answer is held back.
    QTRY_VERIFY_WITH_TIMEOUT(m_program->peers().hasRequest(QStringLiteral("auction"), QStringLiteral("GET"),
                                                            QStringLiteral("/")),
                             engineTimeoutMs);
    QCOMPARE(window->windowTitle(), QStringLiteral("Bidwarden Auction Sniper"));
    QCOMPARE(m_program->urlbox()->text(), QString());
    QTRY_COMPARE_WITH_TIMEOUT(m_program->pageStatus(), QStringLiteral("Opening Page....."), engineTimeoutMs);
    QVERIFY(m_program->waitForStartPage());
    QCOMPARE(window->windowTitle(), QStringLiteral("Demo Auctions"));
    QCOMPARE(m_program->urlbox()->text(), m_program->peers().auctionUrl());
}

void TestWindowEndToEnd::pageEventsComeWithTheAnswer()
{
    QVERIFY(m_program->startPeers({ QStringLiteral("auction:/itm/42=2000"),
                                    QStringLiteral("auction:/pixel.gif=2000") }));
    MainWindow *window = m_program->open();
    QVERIFY(m_program->waitForStartPage());
    QVERIFY(m_program->activate());
    DemoPeers &peers = m_program->peers();
    const QString home = peers.auctionUrl();
    QSignalSpy navigations(m_program->auctionPane(), &BrowserPane::navigateCompleted);
    QSignalSpy documents(m_program->auctionPane(), &BrowserPane::documentCompleted);

    // While the answer is held back, everything still names the page shown,
    // and Ctrl+S snipes it.
    const QString item = peers.auctionUrl() + QStringLiteral("itm/42");
    m_program->auctionPane()->navigate(item);
    QTRY_VERIFY_WITH_TIMEOUT(peers.hasRequest(QStringLiteral("auction"), QStringLiteral("GET"), QStringLiteral("/itm/42")),
                             engineTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(m_program->pageStatus(), QStringLiteral("Opening Page....."), engineTimeoutMs);
    QCOMPARE(m_program->urlbox()->text(), home);
    QCOMPARE(window->windowTitle(), QStringLiteral("Demo Auctions"));
    QCOMPARE(navigations.count(), 0);
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(peers.posts(QStringLiteral("/cl/SUpdate.cfm")).size(), 1, engineTimeoutMs);
    QCOMPARE(peers.posts(QStringLiteral("/cl/SUpdate.cfm")).first().body,
             snipePostBody(home));
    QVERIFY(m_program->waitForLoadFinished(m_program->auctionPane(), item));
    QCOMPARE(m_program->urlbox()->text(), item);
    QCOMPARE(navigations.count(), 1);

    // The document has come and waits for its picture: the navigation is
    // reported, the document is not yet.
    window->selectTab(MainWindow::AuctionTab);
    navigations.clear();
    documents.clear();
    const QString pictures = peers.auctionUrl() + QStringLiteral("with-image.html");
    m_program->auctionPane()->navigate(pictures);
    QTRY_VERIFY_WITH_TIMEOUT(peers.hasRequest(QStringLiteral("auction"), QStringLiteral("GET"), QStringLiteral("/pixel.gif")),
                             engineTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(navigations.count(), 1, engineTimeoutMs);
    QCOMPARE(m_program->urlbox()->text(), pictures);
    QCOMPARE(m_program->pageStatus(), pictures);
    QCOMPARE(documents.count(), 0);
    QVERIFY(m_program->urlbox()->addresses().last() != pictures);
    QVERIFY(m_program->waitForLoadFinished(m_program->auctionPane(), pictures));
    QCOMPARE(documents.count(), 1);
    QCOMPARE(m_program->pageStatus(), QStringLiteral("Document Finished."));
    QCOMPARE(window->windowTitle(), QStringLiteral("Pictures \u2014 Demo Auctions"));
    QCOMPARE(m_program->urlbox()->addresses().last(), pictures);
}

void TestWindowEndToEnd::documentReportAheadOfTheAddressWaitsForIt()
{
    // The new document's own report and the engine's new address come on
    // separate channels. Here the report is sent ahead while the answer is
    // still held back, as it arrives when it overtakes the address: the page
    // events must wait and then name the new page, never the one before.
    QVERIFY(m_program->startPeers({ QStringLiteral("auction:/itm/43=1500") }));
    m_program->open();
    QVERIFY(m_program->waitForStartPage());
    QVERIFY(m_program->activate());
    DemoPeers &peers = m_program->peers();
    const QString home = peers.auctionUrl();
    const QString item = home + QStringLiteral("itm/43");
    QSignalSpy navigations(m_program->auctionPane(), &BrowserPane::navigateCompleted);

    m_program->auctionPane()->navigate(item);
    QTRY_VERIFY_WITH_TIMEOUT(peers.hasRequest(QStringLiteral("auction"), QStringLiteral("GET"), QStringLiteral("/itm/43")),
                             engineTimeoutMs);
    auto *page = qobject_cast<WebPage *>(m_program->auctionPane()->view()->page());
    QVERIFY(page);
    Q_EMIT page->documentCommitted(true, QUrl(item));
    QCOMPARE(navigations.count(), 0);
    QCOMPARE(m_program->urlbox()->text(), home);

    QVERIFY(m_program->waitForLoadFinished(m_program->auctionPane(), item));
    QCOMPARE(navigations.count(), 1);
    QCOMPARE(m_program->urlbox()->text(), item);
    QCOMPARE(m_program->urlbox()->addresses().last(), item);
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(peers.posts(QStringLiteral("/cl/SUpdate.cfm")).size(), 1, engineTimeoutMs);
    QCOMPARE(peers.posts(QStringLiteral("/cl/SUpdate.cfm")).first().body, snipePostBody(item));
}

void TestWindowEndToEnd::hoveringALinkShowsIt()
{
    QVERIFY(openOnTheStartPage());
    QVERIFY(m_program->activate());
    // Where the first link is, from the page itself.
    QWebEngineView *view = m_program->auctionPane()->view();
    QVariant rect;
    bool done = false;
    view->page()->runJavaScript(QStringLiteral("(function () { var r = document.querySelector('a')"
                                               ".getBoundingClientRect(); return [r.x + 4, r.y + r.height / 2, "
                                               "document.querySelector('a').href]; })()"),
                                [&](const QVariant &result) {
                                    rect = result;
                                    done = true;
                                });
    QTRY_VERIFY_WITH_TIMEOUT(done, engineTimeoutMs);
    const QVariantList link = rect.toList();
    QCOMPARE(link.size(), 3);
    const QPoint at(link.at(0).toInt(), link.at(1).toInt());
    hoverOver(view, at - QPoint(0, 30));
    hoverOver(view, at);
    QTRY_COMPARE_WITH_TIMEOUT(m_program->pageStatus(), link.at(2).toString(), engineTimeoutMs);
    hoverOver(view, QPoint(at.x(), view->height() - 5));
    QTRY_COMPARE_WITH_TIMEOUT(m_program->pageStatus(), QString(), engineTimeoutMs);
}

void TestWindowEndToEnd::framesAddOneEntryPerDocument()
{
    QVERIFY(openOnTheStartPage());
    QSignalSpy navigations(m_program->auctionPane(), &BrowserPane::navigateCompleted);
    const qsizetype before = m_program->urlbox()->addresses().size();

    const QString frames = m_program->peers().auctionUrl() + QStringLiteral("frames.html");
    QVERIFY(m_program->load(m_program->auctionPane(), frames));
    // The page and each of its two frames: navigated and completed.
    QCOMPARE(navigations.count(), 3);
    const QStringList added = m_program->urlbox()->addresses().mid(before);
    QCOMPARE(added, QStringList({ frames, frames, frames }));
    QCOMPARE(m_program->urlbox()->text(), frames);
}

void TestWindowEndToEnd::servicePagesLeaveTheAuctionStateAlone()
{
    QVERIFY(m_program->startPeers());
    MainWindow *window = m_program->open();
    QVERIFY(m_program->waitForStartPage());
    const QString title = window->windowTitle();
    const QStringList list = m_program->urlbox()->addresses();

    QVERIFY(m_program->load(m_program->servicePane(), m_program->peers().serviceUrl() + QStringLiteral("/faq.cfm")));
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(m_program->pageStatus(), QStringLiteral("Document Finished."));
    QCOMPARE(m_program->urlbox()->addresses(), list);
}

void TestWindowEndToEnd::downloadIsOfferedInTheDownloadFolder_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::newRow("saved") << true;
    QTest::newRow("cancelled") << false;
}

void TestWindowEndToEnd::downloadIsOfferedInTheDownloadFolder()
{
    QFETCH(bool, accepted);
    QVERIFY(m_program->startPeers());
    QTemporaryDir downloads;
    const QString target = downloads.filePath(QStringLiteral("saved-catalog.txt"));
    m_program->setDownloadTarget(accepted ? target : QString());
    m_program->open();
    QVERIFY(m_program->waitForStartPage());

    QString statusWhenOffered;
    connect(m_program->auctionPane(), &BrowserPane::fileDownloadStarting, this,
            [&] { statusWhenOffered = m_program->pageStatus(); });
    QSignalSpy finished(m_program->profile()->downloads(), &DownloadList::finished);
    m_program->auctionPane()->navigate(m_program->peers().auctionUrl() + QStringLiteral("download/catalog.txt"));
    QTRY_COMPARE_WITH_TIMEOUT(statusWhenOffered, QStringLiteral("Beginning Download....."), engineTimeoutMs);
    // Offered in the user's download folder, not where the program was started.
    QVERIFY(QDir(downloadFolder()) != QDir::current());
    QCOMPARE(QFileInfo(m_program->offeredDownloadPath()).absolutePath(), QDir(downloadFolder()).absolutePath());
    QCOMPARE(QFileInfo(m_program->offeredDownloadPath()).fileName(), QStringLiteral("catalog.txt"));
    if (accepted) {
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, engineTimeoutMs);
        const auto *download = finished.at(0).at(0).value<Download *>();
        QCOMPARE(download->path(), target);
        QVERIFY(download->progress().state == DownloadState::Completed);
        QCOMPARE(m_program->pageStatus(), QStringLiteral("Downloaded ") + target);
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("Item 123\nItem 456\nItem 789\n"));
    } else {
        // A plain page after it: by then a download would have reported.
        QVERIFY(m_program->load(m_program->auctionPane(), m_program->peers().auctionUrl() + QStringLiteral("itm/1")));
        QCOMPARE(finished.count(), 0);
        QVERIFY(QDir(downloads.path()).isEmpty());
    }
}

void TestWindowEndToEnd::paneSurvivesItsRenderer_data()
{
    QTest::addColumn<bool>("auctionPane");
    QTest::newRow("auction pane") << true;
    QTest::newRow("service pane") << false;
}

void TestWindowEndToEnd::paneSurvivesItsRenderer()
{
    QFETCH(bool, auctionPane);
    QVERIFY(m_program->startPeers());
    MainWindow *window = m_program->open();
    DemoPeers &peers = m_program->peers();
    const QString startPage = peers.serviceUrl() + QStringLiteral("/?source=program");
    QVERIFY(m_program->waitForStartPage());
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane(), startPage));
    WebEnginePane *victim = auctionPane ? m_program->auctionPane() : m_program->servicePane();
    WebEnginePane *other = auctionPane ? m_program->servicePane() : m_program->auctionPane();
    const qint64 pid = victim->view()->page()->renderProcessPid();
    QVERIFY(pid > 0);
    QVERIFY(pid != other->view()->page()->renderProcessPid());

    expectOwnWarning(QRegularExpression(QStringLiteral("render process.*ended")));
    QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
    QTRY_VERIFY_WITH_TIMEOUT(victim->renderProcessNotice()->isVisible() || !victim->isVisible(), engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!victim->renderProcessNotice()->text().isEmpty(), engineTimeoutMs);
    QVERIFY(victim->renderProcessNotice()->text().contains(QStringLiteral("Refresh")));
    QCOMPARE(m_program->pageStatus().contains(QStringLiteral("Refresh")), auctionPane);

    // The other pane and the snipe go on working.
    QVERIFY(m_program->load(other, auctionPane ? peers.serviceUrl() + QStringLiteral("/faq.cfm")
                                               : peers.auctionUrl() + QStringLiteral("itm/3")));
    QVERIFY(m_program->activate());
    window->selectTab(MainWindow::AuctionTab);
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(peers.posts(QStringLiteral("/cl/SUpdate.cfm")).size(), 1, engineTimeoutMs);

    if (auctionPane) {
        // Refresh brings the page back.
        window->selectTab(MainWindow::AuctionTab);
        const QString shown = victim->locationUrl();
        auto *toolbar = window->findChild<QToolBar *>(QStringLiteral("Toolbar1"));
        clickOn(toolbar->widgetForAction(window->findChild<QAction *>(QStringLiteral("mnuRefresh"))));
        QVERIFY(m_program->waitForLoadFinished(victim, shown));
        QVERIFY(!victim->renderProcessNotice()->isVisible());
        QVERIFY(ProgramUnderTest::pageText(victim).contains(QStringLiteral("Today's auctions")));
    } else {
        // The snipe's answer replaced the notice.
        QVERIFY(m_program->waitForLoadFinished(victim, peers.serviceUrl() + QStringLiteral("/cl/SUpdate.cfm")));
        QVERIFY(!victim->renderProcessNotice()->isVisible());
        QVERIFY(victim->isVisible());
    }
}

namespace {

// The colour the screen shows at the middle of the view: what the display
// really got, however the page was drawn and composed.
QColor colourShownAtTheMiddle(QWebEngineView *view)
{
    const QPoint middle = view->mapTo(view->window(), view->rect().center());
    const QImage shot = view->screen()->grabWindow(view->window()->winId(), middle.x(), middle.y(), 1, 1).toImage();
    return shot.isNull() ? QColor() : shot.pixelColor(0, 0);
}

bool near(const QColor &shown, const QColor &expected)
{
    return std::abs(shown.red() - expected.red()) < 24 && std::abs(shown.green() - expected.green()) < 24
            && std::abs(shown.blue() - expected.blue()) < 24;
}

} // namespace

void TestWindowEndToEnd::pagesAreDrawnAndScroll()
{
    // Whichever way the program draws (in software where OpenGL is, as
    // here, the default way when QT_QUICK_BACKEND says so), the page
    // reaches the screen and scrolls.
    QVERIFY(openOnTheStartPage());
    WebEnginePane *pane = m_program->auctionPane();
    QVERIFY(m_program->load(pane, m_program->peers().auctionUrl() + QStringLiteral("catalogue.html")));
    QVERIFY(m_program->activate());
    const QColor top(200, 30, 30);
    const QColor end(30, 30, 200);
    QTRY_VERIFY2_WITH_TIMEOUT(near(colourShownAtTheMiddle(pane->view()), top),
                              qPrintable(colourShownAtTheMiddle(pane->view()).name()), engineTimeoutMs);
    QWebEngineView *view = pane->view();
    clickOn(view, view->rect().center());
    QTRY_VERIFY_WITH_TIMEOUT(pageHasFocus(view), engineTimeoutMs);
    m_program->press(Qt::Key_End);
    const auto scrolledTo = [view] {
        QVariant y;
        bool done = false;
        view->page()->runJavaScript(QStringLiteral("window.scrollY"), [&](const QVariant &v) {
            y = v;
            done = true;
        });
        return QTest::qWaitFor([&done] { return done; }, engineTimeoutMs) ? y.toInt() : -1;
    };
    QTRY_VERIFY2_WITH_TIMEOUT(scrolledTo() > 3000, qPrintable(QString::number(scrolledTo())), engineTimeoutMs);
    QTRY_VERIFY2_WITH_TIMEOUT(near(colourShownAtTheMiddle(pane->view()), end),
                              qPrintable(colourShownAtTheMiddle(pane->view()).name()), engineTimeoutMs);
}

void TestWindowEndToEnd::printWritesThePageToAFile()
{
    // Ctrl+P offers the print dialog; printed to a file, the page arrives
    // there as a PDF, on either drawing path.
    QVERIFY(openOnTheStartPage());
    QVERIFY(m_program->activate());
    m_program->press(Qt::Key_P, Qt::ControlModifier);
    QPrintDialog *dialog = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((dialog = m_program->window()->findChild<QPrintDialog *>()) && dialog->isVisible(),
                             engineTimeoutMs);
    // With no printer on the machine, the dialog prints to a file; its name
    // is what the user types into the dialog.
    auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
    QVERIFY(fileName);
    const QString pdf = QDir(m_program->settingsPath()).filePath(QStringLiteral("auctions.pdf"));
    fileName->setText(pdf);
    QWebEngineView *view = m_program->auctionPane()->view();
    MainWindow *window = m_program->window();
    QSignalSpy printed(view, &QWebEngineView::printFinished);
    bool shownWhenPrinted = false;
    QObject::connect(view, &QWebEngineView::printFinished, window, [&] { shownWhenPrinted = window->isVisible(); });
    dialog->accept();
    // Closed at once, while the engine prints from a thread of its own: the
    // window waits for the job, which would paint on a printer already gone.
    window->close();
    QTRY_COMPARE_WITH_TIMEOUT(printed.size(), 1, engineTimeoutMs);
    QCOMPARE(printed.first().first().toBool(), true);
    QVERIFY(shownWhenPrinted);
    QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), engineTimeoutMs);
    QVERIFY(QFileInfo(pdf).size() > 1000);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(5), QByteArray("%PDF-"));
}

BIDWARDEN_ENGINE_TEST_MAIN(TestWindowEndToEnd)
#include "tst_e2e_window.moc"

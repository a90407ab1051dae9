#include "about_window.h"
#include "address_box.h"
#include "credentials.h"
#include "fake_pane.h"
#include "form_units.h"
#include "leave_question.h"
#include "main_window.h"
#include "program_setup.h"
#include "resend_question.h"
#include "service_session.h"
#include "text_file.h"
#include "user_input.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScopeGuard>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

const Endpoints endpoints{ QStringLiteral("http://service.test"), QStringLiteral("http://auction.test/") };
const QString startPage = QStringLiteral("http://service.test/?source=program");
const QString snipeUrl = QStringLiteral("http://service.test/cl/SUpdate.cfm");

struct Window
{
    explicit Window(const QString &folder)
        : window(endpoints, SettingsFolder(folder), [](QWidget *parent) { return new FakePane(parent); })
    {
    }
    FakePane *auction() const { return static_cast<FakePane *>(window.auctionPane()); }
    FakePane *service() const { return static_cast<FakePane *>(window.servicePane()); }
    QLabel *pagePanel() const { return window.findChild<QLabel *>(QStringLiteral("pageStatus")); }
    QString pageStatus() const { return pagePanel()->text(); }
    AddressBox *urlbox() const { return window.findChild<AddressBox *>(QStringLiteral("Urlbox")); }
    QAction *action(const char *name) const { return window.findChild<QAction *>(QString::fromLatin1(name)); }
    QTabBar *strip() const { return window.findChild<QTabBar *>(QStringLiteral("TabStrip1")); }
    QWidget *toolbarButton(const char *toolbar, const char *key) const
    {
        auto *bar = window.findChild<QToolBar *>(QString::fromLatin1(toolbar));
        for (QAction *a : bar->actions()) {
            if (a->data().toString() == QLatin1String(key))
                return bar->widgetForAction(a);
        }
        return nullptr;
    }
    bool shown(const char *name) const
    {
        return !window.findChild<QWidget *>(QString::fromLatin1(name))->isHidden();
    }
    // Shown and active, as after start-up, for input through the window.
    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { pressKey(&window, key, modifiers); }
    void typeIntoTheBox(const QString &text)
    {
        clickOn(urlbox()->lineEdit());
        urlbox()->lineEdit()->selectAll();
        typeText(&window, text);
    }

    MainWindow window;
};

void writeCredentials(const QString &folder, const QString &user, const QString &password)
{
    QVERIFY(storeCredentials(SettingsFolder(folder).credentialsFile(), { user, password }, {}).ok());
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }
    void cleanup() { m_dir.remove(); m_dir = QTemporaryDir(); }

    void startupNavigations_data();
    void startupNavigations();
    void badSettingsFiles_data();
    void badSettingsFiles();
    void tabSwitch_data();
    void tabSwitch();
    void navigationReportsOnlyItsCommit();
    void servicePageEventsChangeNothing();
    void snipePostsTheBoxTextAndShowsTheServiceTab();
    void unansweredLoginGoesAgain_data();
    void unansweredLoginGoesAgain();
    void snipeRefusalIsShownInPanelOne();
    void keptSnipeIsToldMarkedAndSent_data();
    void keptSnipeIsToldMarkedAndSent();
    void leavingWithKeptSnipesAsks();
    void leaveQuestionsCountWhatIsLost_data();
    void leaveQuestionsCountWhatIsLost();
    void chosenEntryIsSniped();
    void enterLoadsTheTypedAddress();
    void loadedAddressIsKeptAsItIs();
    void refreshAsksBeforeSendingAFormAgain_data();
    void refreshAsksBeforeSendingAFormAgain();
    void commandsActOnThePaneInFront_data();
    void commandsActOnThePaneInFront();
    void fixedAddressCommands_data();
    void fixedAddressCommands();
    void altKeysOpenMenus();
    void helpThatCannotOpenSaysSo();
    void aboutNamesTheVersionsAndTheSettingsFolder();
    void closingWaitsForBothPagesToAgree();
    void browserKeysActOnThePaneInFront_data();
    void browserKeysActOnThePaneInFront();
    void escStopsOnlyALoad();
    void addressKeysBringTheBoxWithItsTextSelected_data();
    void addressKeysBringTheBoxWithItsTextSelected();
    void zoomKeysZoomThePaneInFront();
    void f11TogglesFullScreen();
    void soundMarkMutesThePane_data();
    void soundMarkMutesThePane();
    void tabKeysSwitchTheTab_data();
    void tabKeysSwitchTheTab();
    void desktopKeysExitAndHelp();
    void mouseSideButtonsGoBackAndForward();
    void snipeLinkPostsTheLinkWithoutLoadingIt();
    void droppedLinks_data();
    void droppedLinks();
    void enteredDownloadLeavesThePagesAddress();
    void snipeOfAnotherWindowsPageTakesTheOneSnipePath_data();
    void snipeOfAnotherWindowsPageTakesTheOneSnipePath();
    void controlsAndCaptions();
    void addressLabelShowsItsText();
    void layoutFollowsTheWindow();
    void firstWindowFitsTheScreen();
    void textFitsAtTheDesktopsFont_data();
    void textFitsAtTheDesktopsFont();
    void everyControlHasAnAccessibleName();
    void insertTogglesTheInsPanel();
    void everyWindowShowsTheProgramsIcon();

private:
    QTemporaryDir m_dir;
};

void TestMainWindow::startupNavigations_data()
{
    QTest::addColumn<QByteArray>("homepageFile"); // null: no file
    QTest::addColumn<QString>("auctionAddress");

    QTest::newRow("no home page file") << QByteArray() << QStringLiteral("http://auction.test/");
    QTest::newRow("stored home page, line end kept")
            << QByteArray("http://national.test/\r\n") << QStringLiteral("http://national.test/\r\n");
    QTest::newRow("empty file gives an empty address") << QByteArray("") << QString();
}

void TestMainWindow::startupNavigations()
{
    QFETCH(QByteArray, homepageFile);
    QFETCH(QString, auctionAddress);
    if (!homepageFile.isNull()) {
        QFile f(SettingsFolder(m_dir.path()).homepageFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(homepageFile);
    }
    Window w(m_dir.path());
    QCOMPARE(w.auction()->calls, QStringList{ QStringLiteral("navigate ") + auctionAddress });
    QCOMPARE(w.service()->calls, QStringList{ QStringLiteral("navigate ") + startPage });
    QCOMPARE(w.pageStatus(), QStringLiteral("Ready."));
    QCOMPARE(w.window.findChild<QLabel *>(QStringLiteral("statusPanel2"))->text(), QStringLiteral("Online."));
    QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
    // Until the first page arrives, the caption is the program's.
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Bidwarden Auction Sniper"));
}

void TestMainWindow::badSettingsFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // null: a folder stands there
    QTest::addColumn<QString>("auctionAddress");
    QTest::addColumn<int>("logins");
    const QString fallback = QStringLiteral("http://auction.test/");
    const QByteArray huge(1024 * 1024 + 1, 'h');
    QTest::newRow("home page is a folder") << "homepage.txt" << QByteArray() << fallback << 0;
    QTest::newRow("home page over 1 MiB") << "homepage.txt" << huge << QString() << 0;
    QTest::newRow("home page of high bytes") << "homepage.txt" << QByteArray("http://h\x81\xff/")
                                             << QStringLiteral("http://h\u0081\u00ff/") << 0;
    QTest::newRow("credentials are a folder") << "pd1.txt" << QByteArray() << fallback << 0;
    QTest::newRow("credentials over 1 MiB") << "pd1.txt" << huge << fallback << 1;
    QTest::newRow("credentials of junk bytes") << "pd1.txt" << QByteArray("\x00\xff\x80,,,\r\n") << fallback << 1;
}

void TestMainWindow::badSettingsFiles()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, auctionAddress);
    QFETCH(int, logins);
    const QString path = QDir(m_dir.path()).filePath(file);
    if (content.isNull()) {
        QVERIFY(QDir().mkpath(path));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    Window w(m_dir.path());
    QCOMPARE(w.auction()->navigations, QStringList{ auctionAddress });
    QCOMPARE(w.service()->posts.size(), logins);
    if (logins) // an unreadable file logs in with empty values
        QVERIFY(w.service()->posts.at(0).postData.startsWith("UserLogin="));
    QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
}

void TestMainWindow::tabSwitch_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("serviceShown");
    QTest::newRow("service tab") << int(MainWindow::ServiceTab) << true;
    QTest::newRow("auction tab") << int(MainWindow::AuctionTab) << false;
}

void TestMainWindow::tabSwitch()
{
    QFETCH(int, tab);
    QFETCH(bool, serviceShown);
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    // A click on the tab strip and a selection from code do the same.
    for (bool byClick : { false, true }) {
        w.window.selectTab(tab == MainWindow::ServiceTab ? MainWindow::AuctionTab : MainWindow::ServiceTab);
        if (byClick)
            clickOn(w.strip(), w.strip()->tabRect(tab).center());
        else
            w.window.selectTab(MainWindow::Tab(tab));
        QCOMPARE(int(w.window.currentTab()), tab);
        QCOMPARE(w.shown("Web2"), serviceShown);
        QCOMPARE(w.shown("Toolbar2"), serviceShown);
        QCOMPARE(w.shown("Web"), !serviceShown);
        QCOMPARE(w.shown("Toolbar1"), !serviceShown);
        QCOMPARE(w.shown("Label1"), !serviceShown);
        QCOMPARE(w.shown("Urlbox"), !serviceShown);
        QVERIFY(w.shown("picboxAddress"));
        QVERIFY(w.shown("TabStrip1"));
    }
}

void TestMainWindow::navigationReportsOnlyItsCommit()
{
    // While the next page is on its way, the box, the caption and a snipe
    // still name the page on screen.
    Window w(m_dir.path());
    w.auction()->completeLoad(QStringLiteral("http://auction.test/itm/1"), QStringLiteral("Item 1"));
    w.action("mnuEbay")->trigger();
    w.auction()->startLoad();
    QCOMPARE(w.urlbox()->text(), QStringLiteral("http://auction.test/itm/1"));
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Item 1"));
    w.action("mnuSnipe")->trigger();
    QCOMPARE(w.service()->posts.last().postData, QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F1"));
    w.auction()->commit(QStringLiteral("http://auction.test/"), QStringLiteral("Auctions"));
    QCOMPARE(w.urlbox()->text(), QStringLiteral("http://auction.test/"));
}

void TestMainWindow::servicePageEventsChangeNothing()
{
    Window w(m_dir.path());
    w.service()->completeLoad(QStringLiteral("http://service.test/"), QStringLiteral("Service"));
    Q_EMIT w.service()->statusTextChanged(QStringLiteral("hover"));
    Q_EMIT w.service()->fileDownloadStarting();
    w.service()->endRenderProcess(QStringLiteral("it crashed"));
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Bidwarden Auction Sniper"));
    QCOMPARE(w.pageStatus(), QStringLiteral("Ready."));
    QCOMPARE(w.urlbox()->count(), 0);
    QCOMPARE(w.urlbox()->text(), QString());
}

void TestMainWindow::snipePostsTheBoxTextAndShowsTheServiceTab()
{
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.auction()->completeLoad(QStringLiteral("http://auction.test/itm/9?hash=abc&var=2"), QStringLiteral("Item 9"));
    w.press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(w.service()->posts.size(), 1);
    QCOMPARE(w.service()->posts.at(0).url, QUrl(snipeUrl));
    QCOMPARE(w.service()->posts.at(0).postData,
             QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F9%3Fhash%3Dabc%26var%3D2"));
    // At once, before the service has answered.
    QCOMPARE(w.window.currentTab(), MainWindow::ServiceTab);
    QVERIFY(w.shown("Web2"));

    // From the service tab, the hidden box's typed text is what is posted.
    w.urlbox()->lineEdit()->setText(QStringLiteral("typed auction"));
    w.press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(w.service()->posts.at(1).postData, QByteArray("AuctionURL=typed+auction"));
    QCOMPARE(w.window.currentTab(), MainWindow::ServiceTab);

    // The toolbar's button does the same.
    w.window.selectTab(MainWindow::AuctionTab);
    clickOn(w.toolbarButton("Toolbar1", "snipe"));
    QCOMPARE(w.service()->posts.size(), 3);
    QCOMPARE(w.window.currentTab(), MainWindow::ServiceTab);
}

void TestMainWindow::unansweredLoginGoesAgain_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : { "snipe", "service tab", "service home" })
        QTest::newRow(how) << QString::fromLatin1(how);
}

void TestMainWindow::unansweredLoginGoesAgain()
{
    // Start-up logs in right after asking for the start page, which the login
    // replaces. A login the service never got goes again when the user snipes
    // or brings the service up, each way they can.
    QFETCH(QString, how);
    writeCredentials(m_dir.path(), QStringLiteral("jo"), QStringLiteral("pw"));
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    FakePane *service = w.service();
    QCOMPARE(service->calls, QStringList({ QStringLiteral("navigate ") + startPage,
                                           QStringLiteral("post http://service.test/cl/logincheck.cfm") }));
    QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
    QVERIFY(!w.shown("Web2"));
    const QByteArray login = service->posts.first().postData;
    service->startLoad();
    service->failUnanswered();
    QCOMPARE(service->posts.size(), 1);

    if (how == QLatin1String("snipe")) {
        w.typeIntoTheBox(QStringLiteral("http://auction.test/itm/5"));
        w.press(Qt::Key_S, Qt::ControlModifier);
    } else if (how == QLatin1String("service tab")) {
        clickOn(w.strip(), w.strip()->tabRect(MainWindow::ServiceTab).center());
    } else {
        w.action("mnuBidwarden")->trigger();
    }
    QCOMPARE(w.window.currentTab(), MainWindow::ServiceTab);
    QCOMPARE(service->posts.size(), 2);
    QCOMPARE(service->posts.at(1).postData, login);
}

void TestMainWindow::keptSnipeIsToldMarkedAndSent_data()
{
    QTest::addColumn<bool>("byTimer"); // else the user brings the service up
    QTest::newRow("sent by the timer") << true;
    QTest::newRow("sent as the user brings the service up") << false;
}

void TestMainWindow::keptSnipeIsToldMarkedAndSent()
{
    // A snipe the service could not be reached for: panel 1 says so, the
    // service tab is marked with the count, its caption unchanged. Sent by
    // the timer, it leaves the auction tab in front and marks the service
    // tab until it is shown.
    QFETCH(bool, byTimer);
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    auto *session = w.window.findChild<ServiceSession *>();
    session->setRetryDelay([byTimer](int) { return std::chrono::milliseconds(byTimer ? 50 : 3600000); });
    const QString item = QStringLiteral("http://auction.test/itm/8");
    w.auction()->completeLoad(item, QStringLiteral("Item 8"));
    w.press(Qt::Key_S, Qt::ControlModifier);
    w.service()->startLoad();
    w.service()->failUnanswered();
    QVERIFY2(w.pageStatus().contains(item) && w.pageStatus().contains(QStringLiteral("will be sent")),
             qPrintable(w.pageStatus()));
    QCOMPARE(w.pagePanel()->toolTip(), w.pageStatus());
    QVERIFY(!w.strip()->tabIcon(MainWindow::ServiceTab).isNull());
    QVERIFY2(w.strip()->tabToolTip(MainWindow::ServiceTab).contains(QStringLiteral("1 snipe")),
             qPrintable(w.strip()->tabToolTip(MainWindow::ServiceTab)));
    QCOMPARE(w.strip()->tabText(MainWindow::ServiceTab), QStringLiteral("Bidwarden"));

    w.window.selectTab(MainWindow::AuctionTab);
    if (!byTimer)
        clickOn(w.strip(), w.strip()->tabRect(MainWindow::ServiceTab).center());
    QTRY_COMPARE(w.service()->posts.size(), 2);
    w.service()->completeLoad(snipeUrl, QStringLiteral("Snipe list"));
    QVERIFY2(w.pageStatus().contains(QStringLiteral("Sent to the service")), qPrintable(w.pageStatus()));
    QCOMPARE(w.window.currentTab(), byTimer ? MainWindow::AuctionTab : MainWindow::ServiceTab);
    QCOMPARE(w.strip()->tabIcon(MainWindow::ServiceTab).isNull(), !byTimer);
    w.window.selectTab(MainWindow::ServiceTab);
    QVERIFY(w.strip()->tabIcon(MainWindow::ServiceTab).isNull());
    QCOMPARE(w.strip()->tabToolTip(MainWindow::ServiceTab), QStringLiteral("Click here to go to the Bidwarden service"));
}

void TestMainWindow::leavingWithKeptSnipesAsks()
{
    // Kept snipes live for the run only: Exit asks first, and staying is
    // the default.
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.window.findChild<ServiceSession *>()->setRetryDelay([](int) { return std::chrono::milliseconds(3600000); });
    w.urlbox()->lineEdit()->setText(QStringLiteral("http://auction.test/itm/1"));
    w.action("mnuSnipe")->trigger();
    w.service()->startLoad();
    w.service()->failUnanswered();
    w.auction()->calls.clear();

    const auto question = [&w] { return w.window.findChild<QMessageBox *>(QStringLiteral("leaveUnsentQuestion")); };
    w.action("mnuExit")->trigger();
    QTRY_VERIFY(question() && question()->isVisible());
    QVERIFY2(question()->text().contains(QStringLiteral("Not sent: 1 snipe")), qPrintable(question()->text()));
    QVERIFY(QTest::qWaitForWindowActive(question()));
    pressKey(question(), Qt::Key_Return);
    QTRY_VERIFY(!question());
    QVERIFY(w.window.isVisible());
    QVERIFY(w.auction()->calls.isEmpty()); // the pages were not asked

    // Leave, then a page keeps the window: the next Exit asks again.
    w.auction()->holdsCloseAnswer = true;
    for (int attempt = 1; attempt <= 2; ++attempt) {
        w.action("mnuExit")->trigger();
        QTRY_VERIFY(question() && question()->isVisible());
        clickOn(question()->findChild<QAbstractButton *>(QStringLiteral("leaveWithoutSending")));
        QTRY_COMPARE(w.auction()->calls.count(QStringLiteral("requestClose")), attempt);
        QVERIFY(w.window.isVisible());
    }
    w.auction()->allowClose();
    QTRY_VERIFY(!w.window.isVisible());
}

void TestMainWindow::leaveQuestionsCountWhatIsLost_data()
{
    QTest::addColumn<bool>("downloads"); // or snipes
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("opening");
    QTest::newRow("one snipe") << false << 1 << QStringLiteral("Not sent: 1 snipe. The service");
    QTest::newRow("snipes") << false << 3 << QStringLiteral("Not sent: 3 snipes. The service");
    QTest::newRow("one download")
            << true << 1
            << QStringLiteral("1 download is still running. If you leave now, it is cancelled and what was saved of "
                              "it is removed.");
    QTest::newRow("downloads")
            << true << 2
            << QStringLiteral("2 downloads are still running. If you leave now, they are cancelled and what was "
                              "saved of them is removed.");
}

void TestMainWindow::leaveQuestionsCountWhatIsLost()
{
    QFETCH(bool, downloads);
    QFETCH(int, count);
    QFETCH(QString, opening);
    const QString text = downloads ? leaveRunningDownloadsQuestionText(count) : leaveUnsentQuestionText(count);
    QVERIFY2(text.startsWith(opening), qPrintable(text));
}

void TestMainWindow::snipeRefusalIsShownInPanelOne()
{
    Window w(m_dir.path());
    w.urlbox()->lineEdit()->setText(QStringLiteral("http://auction.test/\u2603"));
    w.action("mnuSnipe")->trigger();
    QVERIFY(w.service()->posts.isEmpty());
    QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
    QVERIFY2(w.pageStatus().contains(QStringLiteral("\u2603")), qPrintable(w.pageStatus()));
    QCOMPARE(w.pagePanel()->toolTip(), w.pageStatus());
    // "Online." stays in view.
    QVERIFY(w.shown("statusPanel2"));
    // The next page event replaces it.
    w.auction()->startLoad();
    QCOMPARE(w.pageStatus(), QStringLiteral("Opening Page....."));

    // Too long: refused whole, with the reason.
    w.urlbox()->lineEdit()->setText(QString(40000, QLatin1Char('a')));
    w.action("mnuSnipe")->trigger();
    QVERIFY(w.service()->posts.isEmpty());
    QVERIFY2(w.pageStatus().contains(QStringLiteral("too long")), qPrintable(w.pageStatus()));
}

void TestMainWindow::chosenEntryIsSniped()
{
    // An entry chosen from the drop-down list is what a snipe posts; the
    // auction pane stays where it is.
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.auction()->completeLoad(QStringLiteral("http://auction.test/itm/1"), QStringLiteral("Item 1"));
    w.auction()->completeLoad(QStringLiteral("http://auction.test/itm/2"), QStringLiteral("Item 2"));
    w.auction()->navigations.clear();
    clickOn(w.urlbox()->lineEdit());
    w.press(Qt::Key_F4);
    QWidget *popup = QApplication::activePopupWidget();
    QVERIFY(popup);
    pressKey(popup, Qt::Key_Up);
    pressKey(popup, Qt::Key_Return);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(w.urlbox()->text(), QStringLiteral("http://auction.test/itm/1"));
    QVERIFY(w.auction()->navigations.isEmpty());
    w.press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(w.service()->posts.size(), 1);
    QCOMPARE(w.service()->posts.at(0).postData, QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F1"));
}

void TestMainWindow::enterLoadsTheTypedAddress()
{
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.auction()->navigations.clear();
    w.typeIntoTheBox(QStringLiteral("example.test"));
    w.press(Qt::Key_Return);
    // Handed over as typed, and listed at once.
    QCOMPARE(w.auction()->navigations, QStringList{ QStringLiteral("example.test") });
    QCOMPARE(w.urlbox()->addresses(), QStringList{ QStringLiteral("example.test") });
}

void TestMainWindow::loadedAddressIsKeptAsItIs()
{
    // A longer entry of the list that begins with the page's address does
    // not replace it: the box names the page on screen.
    Window w(m_dir.path());
    w.auction()->completeLoad(QStringLiteral("http://auction.test/itm/12"), QStringLiteral("Item 12"));
    w.auction()->completeLoad(QStringLiteral("http://auction.test/itm/1"), QStringLiteral("Item 1"));
    QCOMPARE(w.urlbox()->text(), QStringLiteral("http://auction.test/itm/1"));
    w.action("mnuSnipe")->trigger();
    QCOMPARE(w.service()->posts.at(0).postData, QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F1"));
}

void TestMainWindow::refreshAsksBeforeSendingAFormAgain_data()
{
    QTest::addColumn<bool>("formAnswer");
    QTest::addColumn<int>("answer"); // the button pressed, or none
    QTest::addColumn<bool>("byButton"); // else the menu
    QTest::addColumn<int>("refreshes");
    QTest::newRow("plain page, button") << false << int(QMessageBox::NoButton) << true << 1;
    QTest::newRow("snipe answer, No") << true << int(QMessageBox::No) << true << 0;
    QTest::newRow("snipe answer, Yes") << true << int(QMessageBox::Yes) << true << 1;
    QTest::newRow("snipe answer, Esc") << true << int(QMessageBox::Escape) << false << 0;
    QTest::newRow("snipe answer, Enter takes the default") << true << int(QMessageBox::Default) << false << 0;
}

void TestMainWindow::refreshAsksBeforeSendingAFormAgain()
{
    QFETCH(bool, formAnswer);
    QFETCH(int, answer);
    QFETCH(bool, byButton);
    QFETCH(int, refreshes);
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.urlbox()->lineEdit()->setText(QStringLiteral("http://auction.test/itm/1"));
    w.action("mnuSnipe")->trigger();
    w.service()->completeLoad(snipeUrl, QStringLiteral("Snipe list"));
    if (!formAnswer)
        w.service()->completeLoad(QStringLiteral("http://service.test/faq.cfm"), QStringLiteral("FAQ"));
    w.service()->calls.clear();

    if (byButton)
        clickOn(w.toolbarButton("Toolbar2", "refresh"));
    else
        w.action("mnuRefresh")->trigger();
    // It deletes itself once answered.
    const QPointer<QMessageBox> question = w.window.findChild<QMessageBox *>(QStringLiteral("resendQuestion"));
    QCOMPARE(bool(question && question->isVisible()), formAnswer);
    if (question)
        QVERIFY2(question->text().contains(QStringLiteral("answer to a snipe")), qPrintable(question->text()));
    if (question) {
        QVERIFY(QTest::qWaitForWindowActive(question));
        if (answer == QMessageBox::Escape)
            pressKey(question, Qt::Key_Escape);
        else if (answer == QMessageBox::Default)
            pressKey(question, Qt::Key_Return);
        else
            clickOn(question->button(QMessageBox::StandardButton(answer)));
        QTRY_VERIFY(!question || !question->isVisible());
    }
    QCOMPARE(w.service()->calls.count(QStringLiteral("refresh")), refreshes);
}

void TestMainWindow::commandsActOnThePaneInFront_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<QString>("call");
    QTest::newRow("back") << QByteArray("mnuBack") << QStringLiteral("back");
    QTest::newRow("forward") << QByteArray("mnuForward") << QStringLiteral("forward");
    QTest::newRow("stop") << QByteArray("mnuStop") << QStringLiteral("stop");
    QTest::newRow("refresh") << QByteArray("mnuRefresh") << QStringLiteral("refresh");
    QTest::newRow("print") << QByteArray("mnuPrint") << QStringLiteral("print");
    QTest::newRow("save page as") << QByteArray("mnuSavePageAs") << QStringLiteral("savePageAs");
}

void TestMainWindow::commandsActOnThePaneInFront()
{
    QFETCH(QByteArray, action);
    QFETCH(QString, call);
    Window w(m_dir.path());
    for (MainWindow::Tab tab : { MainWindow::AuctionTab, MainWindow::ServiceTab }) {
        w.auction()->calls.clear();
        w.service()->calls.clear();
        w.window.selectTab(tab);
        w.action(action.constData())->trigger();
        FakePane *front = tab == MainWindow::AuctionTab ? w.auction() : w.service();
        FakePane *back = tab == MainWindow::AuctionTab ? w.service() : w.auction();
        QCOMPARE(front->calls, QStringList{ call });
        QVERIFY(back->calls.isEmpty());
        QCOMPARE(w.window.currentTab(), tab);
    }
}

void TestMainWindow::fixedAddressCommands_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<bool>("inAuctionPane");
    QTest::addColumn<QString>("address");
    QTest::newRow("auction home") << QByteArray("mnuEbay") << true << QStringLiteral("http://auction.test/");
    QTest::newRow("service base") << QByteArray("mnuBidwarden") << false << QStringLiteral("http://service.test");
    QTest::newRow("service faq") << QByteArray("mnuBidwardenHomepage") << false
                                 << QStringLiteral("http://service.test/faq.cfm");
}

void TestMainWindow::fixedAddressCommands()
{
    QFETCH(QByteArray, action);
    QFETCH(bool, inAuctionPane);
    QFETCH(QString, address);
    // A stored home page never replaces the built-in one here.
    QVERIFY(writeTextFileContents(QStringLiteral("http://national.test/"),
                                  SettingsFolder(m_dir.path()).homepageFile()).ok());
    Window w(m_dir.path());
    w.window.selectTab(inAuctionPane ? MainWindow::ServiceTab : MainWindow::AuctionTab);
    FakePane *pane = inAuctionPane ? w.auction() : w.service();
    pane->navigations.clear();
    w.action(action.constData())->trigger();
    QCOMPARE(pane->navigations, QStringList{ address });
    QCOMPARE(w.window.currentTab(), inAuctionPane ? MainWindow::AuctionTab : MainWindow::ServiceTab);
}

void TestMainWindow::altKeysOpenMenus()
{
    // The toolbars' captions take no Alt key: Alt+H opens the Help menu,
    // Alt+S is nobody's.
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    clickOn(w.urlbox()->lineEdit());
    w.press(Qt::Key_S, Qt::AltModifier);
    QVERIFY(w.service()->posts.isEmpty());
    QVERIFY(!QApplication::activePopupWidget());
    w.press(Qt::Key_H, Qt::AltModifier);
    auto *help = w.window.findChild<QMenu *>(QStringLiteral("mnuHelp"));
    QTRY_VERIFY(help->isVisible());
    QCOMPARE(w.pageStatus(), QStringLiteral("Ready.")); // the help page was not asked for
    pressKey(help, Qt::Key_Escape);
    for (const char *key : { "snipe", "help", "back" }) {
        auto *button = qobject_cast<QToolButton *>(w.toolbarButton("Toolbar1", key));
        QVERIFY(!button->text().contains(QLatin1Char('&')));
    }
}

void TestMainWindow::aboutNamesTheVersionsAndTheSettingsFolder()
{
    // Help › About, the menu's last item, opened from the keyboard: a window
    // that leaves the main window usable, whose facts can be selected and
    // copied whole, one of them however often it is asked for, and gone with
    // the main window.
    auto w = std::make_unique<Window>(m_dir.path());
    w->window.setEngineFacts([] {
        return AboutFacts{ { QStringLiteral("Chromium"), QStringLiteral("122.0.6261.171") },
                           { QStringLiteral("Chromium security patches"), QStringLiteral("133.0.6943.141") } };
    });
    QVERIFY(w->showActive());
    auto *help = w->window.findChild<QMenu *>(QStringLiteral("mnuHelp"));
    QCOMPARE(help->actions().last(), w->action("mnuAbout"));
    w->press(Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(help->isVisible());
    pressKey(help, Qt::Key_A);
    AboutWindow *about = nullptr;
    QTRY_VERIFY((about = w->window.findChild<AboutWindow *>()) && about->isVisible());
    QVERIFY(!about->isModal());
    QVERIFY(QTest::qWaitForWindowActive(about));

    const QString text = about->reportText();
    for (const QString &line : { QStringLiteral("Bidwarden: " BIDWARDEN_TEST_VERSION),
                                 QStringLiteral("Qt: ") + QString::fromLatin1(qVersion()),
                                 QStringLiteral("Chromium: 122.0.6261.171"),
                                 QStringLiteral("Chromium security patches: 133.0.6943.141"),
                                 QStringLiteral("Settings folder: ") + QDir::toNativeSeparators(m_dir.path()) })
        QVERIFY2(text.split(QLatin1Char('\n')).contains(line), qPrintable(text));

    // Selected and copied as a user does it.
    auto *facts = about->findChild<QPlainTextEdit *>(QStringLiteral("aboutFacts"));
    QVERIFY(facts->hasFocus());
    pressKey(about, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->clear();
    pressKey(about, Qt::Key_C, Qt::ControlModifier);
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), text);
    QGuiApplication::clipboard()->clear();
    clickOn(about->findChild<QPushButton *>(QStringLiteral("aboutCopy")));
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), text);

    w->action("mnuAbout")->trigger();
    QCOMPARE(w->window.findChildren<AboutWindow *>().size(), 1);
    const QPointer<AboutWindow> left = about;
    w.reset();
    QVERIFY(!left);
}

void TestMainWindow::browserKeysActOnThePaneInFront_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("serviceTab");
    QTest::addColumn<QString>("call");

    QTest::newRow("Alt+Left, auction") << int(Qt::Key_Left) << int(Qt::AltModifier) << false << QStringLiteral("back");
    QTest::newRow("Alt+Right, auction") << int(Qt::Key_Right) << int(Qt::AltModifier) << false << QStringLiteral("forward");
    QTest::newRow("F5, auction") << int(Qt::Key_F5) << 0 << false << QStringLiteral("refresh");
    QTest::newRow("Ctrl+R, service") << int(Qt::Key_R) << int(Qt::ControlModifier) << true << QStringLiteral("refresh");
    QTest::newRow("Alt+Left, service") << int(Qt::Key_Left) << int(Qt::AltModifier) << true << QStringLiteral("back");
    QTest::newRow("Ctrl+F, auction") << int(Qt::Key_F) << int(Qt::ControlModifier) << false << QStringLiteral("find bar");
    QTest::newRow("Ctrl+F, service") << int(Qt::Key_F) << int(Qt::ControlModifier) << true << QStringLiteral("find bar");
    QTest::newRow("F3, auction") << int(Qt::Key_F3) << 0 << false << QStringLiteral("find next");
    QTest::newRow("Shift+F3, service") << int(Qt::Key_F3) << int(Qt::ShiftModifier) << true
                                       << QStringLiteral("find previous");
}

void TestMainWindow::browserKeysActOnThePaneInFront()
{
    // With the focus in the page, as a user browses: the key reaches the
    // command of the pane in front, and only that pane.
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, serviceTab);
    QFETCH(QString, call);
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.window.selectTab(serviceTab ? MainWindow::ServiceTab : MainWindow::AuctionTab);
    FakePane *front = serviceTab ? w.service() : w.auction();
    FakePane *back = serviceTab ? w.auction() : w.service();
    front->setFocusPolicy(Qt::StrongFocus);
    clickOn(front);
    QVERIFY(front->hasFocus());
    front->calls.clear();
    back->calls.clear();
    w.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(front->calls, QStringList{ call });
    QVERIFY(back->calls.isEmpty());
}

void TestMainWindow::escStopsOnlyALoad()
{
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.auction()->setFocusPolicy(Qt::StrongFocus);
    clickOn(w.auction());
    w.auction()->calls.clear();
    w.press(Qt::Key_Escape);
    QVERIFY(w.auction()->calls.isEmpty());
    w.auction()->startLoad();
    w.press(Qt::Key_Escape);
    QCOMPARE(w.auction()->calls, QStringList{ QStringLiteral("stop") });
    // The service pane's load is not the one in front.
    w.auction()->finishLoad();
    w.service()->startLoad();
    w.auction()->calls.clear();
    w.press(Qt::Key_Escape);
    QVERIFY(w.auction()->calls.isEmpty());
    QVERIFY(!w.service()->calls.contains(QStringLiteral("stop")));
}

void TestMainWindow::addressKeysBringTheBoxWithItsTextSelected_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Ctrl+L") << int(Qt::Key_L) << int(Qt::ControlModifier);
    QTest::newRow("F6") << int(Qt::Key_F6) << 0;
    QTest::newRow("Alt+D") << int(Qt::Key_D) << int(Qt::AltModifier);
}

void TestMainWindow::addressKeysBringTheBoxWithItsTextSelected()
{
    // From the service tab too: the auction tab comes to the front.
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.auction()->completeLoad(QStringLiteral("http://auction.test/itm/1"), QStringLiteral("Item 1"));
    w.window.selectTab(MainWindow::ServiceTab);
    w.service()->setFocusPolicy(Qt::StrongFocus);
    clickOn(w.service());
    w.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
    QVERIFY(w.urlbox()->lineEdit()->hasFocus());
    QCOMPARE(w.urlbox()->lineEdit()->selectedText(), QStringLiteral("http://auction.test/itm/1"));
    // Typing replaces it.
    typeText(&w.window, QStringLiteral("x"));
    QCOMPARE(w.urlbox()->text(), QStringLiteral("x"));
}

void TestMainWindow::zoomKeysZoomThePaneInFront()
{
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.press(Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(w.auction()->zoom, 1.1);
    w.press(Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(w.auction()->zoom, 1.25);
    w.press(Qt::Key_Minus, Qt::ControlModifier);
    w.press(Qt::Key_Minus, Qt::ControlModifier);
    w.press(Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(w.auction()->zoom, 0.9);
    QCOMPARE(w.service()->zoom, 1.0);
    w.press(Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(w.auction()->zoom, 1.0);
}

void TestMainWindow::f11TogglesFullScreen()
{
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.press(Qt::Key_F11);
    QTRY_VERIFY(w.window.isFullScreen());
    w.press(Qt::Key_F11);
    QTRY_VERIFY(!w.window.isFullScreen());
}

void TestMainWindow::soundMarkMutesThePane_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("auction pane") << int(MainWindow::AuctionTab);
    QTest::newRow("service pane, behind") << int(MainWindow::ServiceTab);
}

void TestMainWindow::soundMarkMutesThePane()
{
    // A pane that plays sound shows a speaker on its tab, which mutes it; the
    // tab's menu does the same. The caption stays.
    QFETCH(int, tab);
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    FakePane *pane = tab == MainWindow::AuctionTab ? w.auction() : w.service();
    const char *name = tab == MainWindow::AuctionTab ? "auctionSoundMark" : "serviceSoundMark";
    const auto mark = [&w, name] { return w.strip()->findChild<QToolButton *>(QString::fromLatin1(name)); };
    QVERIFY(!mark());
    pane->playSound(true);
    QTRY_VERIFY(mark() && mark()->isVisible());
    const QString caption = w.strip()->tabText(tab);
    clickOn(mark());
    QVERIFY(pane->muted);
    QVERIFY2(mark()->toolTip().startsWith(QStringLiteral("Muted")), qPrintable(mark()->toolTip()));
    // Silent but muted: the mark stays, to hear it again.
    pane->playSound(false);
    QVERIFY(mark());

    clickOn(w.strip(), w.strip()->tabRect(tab).center(), Qt::RightButton);
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
    QCOMPARE(menu->findChild<QAction *>(QStringLiteral("muteTab"))->text(), QStringLiteral("Un&mute tab"));
    pressKey(menu, Qt::Key_M);
    QVERIFY(!pane->muted);
    QTRY_VERIFY(!mark());
    QCOMPARE(w.strip()->tabText(tab), caption);
}

void TestMainWindow::tabKeysSwitchTheTab_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+PageDown") << int(Qt::Key_PageDown) << int(Qt::ControlModifier);
    // Shift+Tab arrives as Backtab.
    QTest::newRow("Ctrl+Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+PageUp") << int(Qt::Key_PageUp) << int(Qt::ControlModifier);
}

void TestMainWindow::tabKeysSwitchTheTab()
{
    // From the page too, exactly as a click on the other tab: the service
    // tab brings up the service (a login it never got goes again).
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.auction()->setFocusPolicy(Qt::StrongFocus);
    clickOn(w.auction());
    w.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(w.window.currentTab(), MainWindow::ServiceTab);
    QVERIFY(w.shown("Web2"));
    w.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
    QVERIFY(w.shown("Urlbox"));
}

void TestMainWindow::desktopKeysExitAndHelp()
{
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.press(Qt::Key_F1);
    QVERIFY2(w.pageStatus().contains(QStringLiteral("help.html")), qPrintable(w.pageStatus()));
    w.press(Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!w.window.isVisible());
}

void TestMainWindow::mouseSideButtonsGoBackAndForward()
{
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.auction()->calls.clear();
    clickOn(w.auction(), QPoint(-1, -1), Qt::BackButton);
    clickOn(w.auction(), QPoint(-1, -1), Qt::ForwardButton);
    QCOMPARE(w.auction()->calls, QStringList({ QStringLiteral("back"), QStringLiteral("forward") }));
}

void TestMainWindow::snipeLinkPostsTheLinkWithoutLoadingIt()
{
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    QVERIFY(w.auction()->offersSnipeLink);
    QVERIFY(!w.service()->offersSnipeLink);
    w.auction()->completeLoad(QStringLiteral("http://auction.test/"), QStringLiteral("Home"));
    w.auction()->navigations.clear();
    w.auction()->snipeLink(QStringLiteral("http://auction.test/itm/5?q=red%20shoes"));
    QCOMPARE(w.service()->posts.size(), 1);
    QCOMPARE(w.service()->posts.at(0).postData,
             QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F5%3Fq%3Dred%2520shoes"));
    QVERIFY(w.auction()->navigations.isEmpty());
    QCOMPARE(w.urlbox()->text(), QStringLiteral("http://auction.test/"));
    QCOMPARE(w.window.currentTab(), MainWindow::ServiceTab);
}

void TestMainWindow::droppedLinks_data()
{
    QTest::addColumn<bool>("onTheSnipeButton");
    QTest::newRow("on the address box") << false;
    QTest::newRow("on the Snipe button") << true;
}

void TestMainWindow::droppedLinks()
{
    // A page's link arrives as its address beside its text. On the box the
    // address replaces the text (never spliced into it); on Snipe it is
    // sniped; neither loads it.
    QFETCH(bool, onTheSnipeButton);
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.auction()->completeLoad(QStringLiteral("http://auction.test/links"), QStringLiteral("Links"));
    w.auction()->navigations.clear();
    const QString link = QStringLiteral("http://auction.test/itm/6?q=a%26b");
    QMimeData data;
    data.setUrls({ QUrl(link) });
    data.setText(QStringLiteral("item 6 (a plain link)"));
    QWidget *target = onTheSnipeButton ? w.toolbarButton("Toolbar1", "snipe") : w.urlbox()->lineEdit();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
    QVERIFY(w.auction()->navigations.isEmpty());
    if (onTheSnipeButton) {
        QCOMPARE(w.service()->posts.size(), 1);
        QCOMPARE(w.service()->posts.at(0).postData, QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F6%3Fq%3Da%2526b"));
        QCOMPARE(w.urlbox()->text(), QStringLiteral("http://auction.test/links"));
    } else {
        QCOMPARE(w.urlbox()->text(), link);
        QVERIFY(w.service()->posts.isEmpty());
    }
}

void TestMainWindow::enteredDownloadLeavesThePagesAddress()
{
    // The page shown stays when an entered address (typed, then Enter) is a
    // download; the box names that page again, and a snipe names it.
    const QString box = QStringLiteral("http://auction.test/itm/1");
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.auction()->completeLoad(QStringLiteral("http://auction.test/itm/1"), QStringLiteral("Item 1"));
    w.typeIntoTheBox(QStringLiteral("http://auction.test/file.zip"));
    w.press(Qt::Key_Return);
    QCOMPARE(w.auction()->navigations.last(), QStringLiteral("http://auction.test/file.zip"));
    w.auction()->startLoad();
    w.auction()->startDownload();
    QCOMPARE(w.urlbox()->text(), box);
    w.press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(w.service()->posts.size(), 1);
    QCOMPARE(w.service()->posts.at(0).postData,
             QByteArray("AuctionURL=") + QUrl::toPercentEncoding(box, "*-._"));
}

void TestMainWindow::closingWaitsForBothPagesToAgree()
{
    // Each pane's page may ask before the window closes (text typed and not
    // sent): the window stays while one keeps its page, asks both again the
    // next time, and closes once both agree, with the windows it opened.
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.action("mnuAbout")->trigger();
    const QPointer<AboutWindow> about = w.window.findChild<AboutWindow *>();
    QVERIFY(about && about->isVisible());
    w.auction()->holdsCloseAnswer = true;

    QVERIFY(!w.window.close());
    QCOMPARE(w.auction()->calls.count(QStringLiteral("requestClose")), 1);
    QCOMPARE(w.service()->calls.count(QStringLiteral("requestClose")), 1);
    QTest::qWait(50);
    QVERIFY(w.window.isVisible());

    QVERIFY(!w.window.close());
    QCOMPARE(w.auction()->calls.count(QStringLiteral("requestClose")), 2);
    QCOMPARE(w.service()->calls.count(QStringLiteral("requestClose")), 2);
    w.auction()->allowClose();
    QTRY_VERIFY(!w.window.isVisible());
    QVERIFY(!about || !about->isVisible());
}

void TestMainWindow::snipeOfAnotherWindowsPageTakesTheOneSnipePath_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("body"); // empty: nothing is sent

    QTest::newRow("an auction") << QStringLiteral("http://auction.test/itm/9?a=1&b=2")
                                << QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F9%3Fa%3D1%26b%3D2");
    QTest::newRow("too long") << QStringLiteral("http://auction.test/") + QString(40000, QLatin1Char('a'))
                              << QByteArray();
}

void TestMainWindow::snipeOfAnotherWindowsPageTakesTheOneSnipePath()
{
    // Snipe in a page window hands its address to the window, which posts it
    // as Snipe Auction posts the box's text, refusals included; the box
    // keeps what it showed.
    QFETCH(QString, address);
    QFETCH(QByteArray, body);
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.auction()->completeLoad(QStringLiteral("http://auction.test/itm/1"), QStringLiteral("Item 1"));
    w.window.snipeAddress(address);
    QCOMPARE(w.urlbox()->text(), QStringLiteral("http://auction.test/itm/1"));
    if (body.isEmpty()) {
        QVERIFY(w.service()->posts.isEmpty());
        QVERIFY2(w.pageStatus().contains(QStringLiteral("too long")), qPrintable(w.pageStatus()));
        QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
        return;
    }
    QCOMPARE(w.service()->posts.size(), 1);
    QCOMPARE(w.service()->posts.at(0).url.toString(), snipeUrl);
    QCOMPARE(w.service()->posts.at(0).postData, body);
    QCOMPARE(w.window.currentTab(), MainWindow::ServiceTab);
}

void TestMainWindow::helpThatCannotOpenSaysSo()
{
    // No help.html in this settings folder.
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    w.press(Qt::Key_H, Qt::ControlModifier);
    QVERIFY2(w.pageStatus().contains(QStringLiteral("help.html")), qPrintable(w.pageStatus()));
}

void TestMainWindow::controlsAndCaptions()
{
    Window w(m_dir.path());
    const auto keys = [&w](const char *toolbar) {
        QStringList found;
        for (QAction *a : w.window.findChild<QToolBar *>(QString::fromLatin1(toolbar))->actions())
            found << (a->isSeparator() ? QStringLiteral("|") : a->data().toString());
        return found;
    };
    QCOMPARE(keys("Toolbar1").join(QLatin1Char(' ')),
             QStringLiteral("back forward stop refresh home snipe | print help"));
    QCOMPARE(keys("Toolbar2").join(QLatin1Char(' ')),
             QStringLiteral("back forward stop refresh home | print help"));
    QCOMPARE(w.action("mnuSnipe")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(w.action("mnuPrint")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    QCOMPARE(w.action("mnuContents")->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
    QCOMPARE(w.action("mnuSnipe")->toolTip(), QStringLiteral("Add to Snipe list"));
    QCOMPARE(w.strip()->tabText(0), QStringLiteral("Bidwarden"));
    QCOMPARE(w.strip()->tabToolTip(0), QStringLiteral("Click here to go to the Bidwarden service"));
    QCOMPARE(w.strip()->tabText(1), QStringLiteral("Auction Browser"));
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Bidwarden Auction Sniper"));
}

void TestMainWindow::addressLabelShowsItsText()
{
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    auto *label = w.window.findChild<QLabel *>(QStringLiteral("Label1"));
    QWidget *box = w.window.findChild<QWidget *>(QStringLiteral("picboxAddress"));
    // Nothing of "Address:" is cut off by its box or covered by the address box.
    QVERIFY(label->width() >= label->sizeHint().width());
    QVERIFY(box->width() >= label->sizeHint().width());
    QVERIFY(w.urlbox()->geometry().left() > box->geometry().left() + label->sizeHint().width());
}

void TestMainWindow::layoutFollowsTheWindow()
{
    Window w(m_dir.path());
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const qreal dpi = layoutDpi(&w.window);
    const auto twips = [dpi](int px) { return px * 1440.0 / dpi; };
    for (const QSize size : { QSize(900, 700), QSize(1200, 500), QSize(150, 400) }) {
        w.window.resize(size);
        QTRY_COMPARE(w.window.size(), size);
        const QSize outer = w.window.frameGeometry().size();
        QWidget *pane = w.window.findChild<QWidget *>(QStringLiteral("Web"));
        QWidget *urlbox = w.window.findChild<QWidget *>(QStringLiteral("Urlbox"));
        // Within a pixel of the twips rules, whatever the scale.
        QVERIFY2(qAbs(twips(pane->width()) - (twips(outer.width()) - 100)) <= 1440.0 / dpi + 1,
                 qPrintable(QStringLiteral("pane %1 for window %2").arg(pane->width()).arg(outer.width())));
        QVERIFY(qAbs(twips(pane->height()) - (twips(outer.height()) - 2290)) <= 1440.0 / dpi + 1);
        // The address box's right edge follows the window, wherever it starts.
        if (twips(outer.width()) >= 3000)
            QVERIFY(qAbs(twips(urlbox->geometry().right() + 1) - (twips(outer.width()) - 2160)) <= 1440.0 / dpi + 1);
        QCOMPARE(w.window.findChild<QWidget *>(QStringLiteral("Web2"))->size(), pane->size());
        QCOMPARE(pane->pos(), QPoint(0, qRound(1440 * dpi / 1440)));
    }
}

void TestMainWindow::firstWindowFitsTheScreen()
{
    // Also at twice the scale (tst_main_window_scaled), where the designed
    // window is larger than the screen.
    Window w(m_dir.path());
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const QRect available = w.window.screen()->availableGeometry();
    QVERIFY2(available.contains(w.window.frameGeometry()),
             qPrintable(QStringLiteral("%1x%2 at %3,%4 on %5x%6")
                                .arg(w.window.frameGeometry().width()).arg(w.window.frameGeometry().height())
                                .arg(w.window.x()).arg(w.window.y()).arg(available.width()).arg(available.height())));
}

void TestMainWindow::textFitsAtTheDesktopsFont_data()
{
    QTest::addColumn<int>("pointSize");
    for (const int size : { 9, 11, 13, 16 })
        QTest::addRow("%d pt", size) << size;
}

void TestMainWindow::textFitsAtTheDesktopsFont()
{
    // At the desktop's font size every caption, the address row, the tabs
    // and the status panels show their whole text, and nothing covers it.
    QFETCH(int, pointSize);
    const QFont usual = QApplication::font();
    QFont font = usual;
    font.setPointSize(pointSize);
    QApplication::setFont(font);
    const auto restore = qScopeGuard([&usual] { QApplication::setFont(usual); });
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    const auto inWindow = [&w](QWidget *widget) { return QRect(widget->mapTo(&w.window, QPoint(0, 0)), widget->size()); };
    const auto fits = [](QWidget *widget) {
        return widget->width() >= widget->sizeHint().width() && widget->height() >= widget->sizeHint().height();
    };
    auto *toolbar = w.window.findChild<QToolBar *>(QStringLiteral("Toolbar1"));
    for (QAction *a : toolbar->actions()) {
        if (!a->isSeparator())
            QVERIFY2(fits(toolbar->widgetForAction(a)), qPrintable(a->objectName()));
    }
    QVERIFY(toolbar->height() >= toolbar->sizeHint().height());
    // The tabs between the toolbar and the address row.
    const QRect tab = w.strip()->tabRect(MainWindow::AuctionTab).translated(inWindow(w.strip()).topLeft());
    QVERIFY(tab.height() > w.strip()->fontMetrics().height());
    // The toolbar lies over the strip's edge, never over a tab's caption.
    const int captionTop = tab.center().y() - w.strip()->fontMetrics().height() / 2;
    QVERIFY2(inWindow(toolbar).bottom() < captionTop,
             qPrintable(QStringLiteral("toolbar ends at %1, caption starts at %2").arg(inWindow(toolbar).bottom()).arg(captionTop)));
    auto *label = w.window.findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY2(fits(label), qPrintable(QStringLiteral("%1 for %2").arg(label->height()).arg(label->sizeHint().height())));
    QVERIFY2(w.urlbox()->height() >= w.urlbox()->sizeHint().height(),
             qPrintable(QStringLiteral("%1 for %2").arg(w.urlbox()->height()).arg(w.urlbox()->sizeHint().height())));
    QVERIFY(tab.bottom() < inWindow(label).top() + 2 || tab.right() < inWindow(label).left());
    QVERIFY(inWindow(w.urlbox()).bottom() < inWindow(w.window.findChild<QWidget *>(QStringLiteral("Web"))).top());
    for (const char *panel : { "statusPanel2", "statusPanel3", "statusPanel4", "statusPanel5" }) {
        auto *key = w.window.findChild<QLabel *>(QString::fromLatin1(panel));
        QVERIFY2(fits(key), qPrintable(QStringLiteral("%1: %2x%3 for %4x%5").arg(QLatin1String(panel)).arg(key->width())
                                                .arg(key->height()).arg(key->sizeHint().width()).arg(key->sizeHint().height())));
    }
}

void TestMainWindow::everyControlHasAnAccessibleName()
{
    Window w(m_dir.path());
    for (const char *name : { "Toolbar1", "Toolbar2" }) {
        auto *toolbar = w.window.findChild<QToolBar *>(QString::fromLatin1(name));
        QVERIFY(!toolbar->accessibleName().isEmpty());
        for (QAction *a : toolbar->actions()) {
            if (!a->isSeparator())
                QVERIFY2(!toolbar->widgetForAction(a)->accessibleName().isEmpty(), qPrintable(a->objectName()));
        }
    }
    for (const char *name : { "TabStrip1", "Urlbox", "Web", "Web2" })
        QVERIFY2(!w.window.findChild<QWidget *>(QString::fromLatin1(name))->accessibleName().isEmpty(), name);
}

void TestMainWindow::insertTogglesTheInsPanel()
{
    Window w(m_dir.path());
    QVERIFY(w.showActive());
    auto *ins = w.window.findChild<QLabel *>(QStringLiteral("statusPanel5"));
    QCOMPARE(ins->text(), QStringLiteral("INS"));
    QVERIFY(!ins->isEnabled());
    // One press through the focused box counts once.
    clickOn(w.urlbox()->lineEdit());
    w.press(Qt::Key_Insert);
    QVERIFY(ins->isEnabled());
    w.press(Qt::Key_Insert);
    QVERIFY(!ins->isEnabled());
}

void TestMainWindow::everyWindowShowsTheProgramsIcon()
{
    setUpApplication();
    const QIcon icon = QApplication::windowIcon();
    QVERIFY(!icon.isNull());
    Window w(m_dir.path());
    w.action("mnuBidwardenPassword")->trigger();
    w.action("mnuSetEbayHomepage")->trigger();
    for (const char *name : { "Form1", "eBayHomepage" }) {
        QWidget *dialog = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            dialog = top->objectName() == QLatin1String(name) ? top : dialog;
        QVERIFY2(dialog, name);
        QCOMPARE(dialog->windowIcon().cacheKey(), icon.cacheKey());
        dialog->close();
    }
    QCOMPARE(w.window.windowIcon().cacheKey(), icon.cacheKey());
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"

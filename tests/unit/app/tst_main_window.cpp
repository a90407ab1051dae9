#include "address_box.h"
#include "credentials.h"
#include "fake_pane.h"
#include "main_window.h"
#include "scrambling.h"
#include "text_file.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace bidwarden;
using test::FakePane;

namespace {

const Endpoints endpoints{ QStringLiteral("http://service.test"), QStringLiteral("http://auction.test/") };

struct Window
{
    explicit Window(const QString &folder)
        : window(endpoints, SettingsFolder(folder), [](QWidget *parent) { return new FakePane(parent); })
    {
    }
    FakePane *auction() const { return static_cast<FakePane *>(window.auctionPane()); }
    FakePane *service() const { return static_cast<FakePane *>(window.servicePane()); }
    QString pageStatus() const { return window.findChild<QLabel *>(QStringLiteral("pageStatus"))->text(); }
    AddressBox *urlbox() const { return window.findChild<AddressBox *>(QStringLiteral("Urlbox")); }
    QAction *action(const char *name) const { return window.findChild<QAction *>(QString::fromLatin1(name)); }
    bool shown(const char *name) const
    {
        return !window.findChild<QWidget *>(QString::fromLatin1(name))->isHidden();
    }

    MainWindow window;
};

void writeCredentials(const QString &folder, const QString &user, const QString &password)
{
    QVERIFY(writeTextFileContents(encryptDecrypt(composeCredentialRecord(user, password), credentialsKey),
                                  SettingsFolder(folder).credentialsFile(), FileVisibility::Private)
                    .ok());
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
    void startupLoginPostsStoredCredentials();
    void startupLoginSkipsWhatCannotBeSent();
    void badSettingsFiles_data();
    void badSettingsFiles();
    void tabSwitch_data();
    void tabSwitch();
    void auctionPageEvents();
    void servicePageEventsChangeNothing();
    void snipePostsTheBoxText();
    void snipeShowsTheServiceTabOnceAnswered_data();
    void snipeShowsTheServiceTabOnceAnswered();
    void snipeDuringStartupWaitsForTheLogin();
    void snipeRefusalPostsNothing();
    void commandsActOnThePaneInFront_data();
    void commandsActOnThePaneInFront();
    void fixedAddressCommands_data();
    void fixedAddressCommands();
    void controlsAndCaptions();
    void layoutFollowsTheWindow();
    void everyControlHasAnAccessibleName();
    void insertTogglesTheInsPanel();

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
    QCOMPARE(w.service()->calls, QStringList{ QStringLiteral("navigate http://service.test/?source=program") });
    QCOMPARE(w.pageStatus(), QStringLiteral("Ready."));
    QCOMPARE(w.window.findChild<QLabel *>(QStringLiteral("statusPanel2"))->text(), QStringLiteral("Online."));
    QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
}

void TestMainWindow::startupLoginPostsStoredCredentials()
{
    writeCredentials(m_dir.path(), QStringLiteral("jo smith"), QStringLiteral("p&q"));
    Window w(m_dir.path());
    // The login follows once the start page's load has ended, and only once.
    QVERIFY(w.service()->posts.isEmpty());
    Q_EMIT w.service()->downloadCompleted();
    Q_EMIT w.service()->downloadCompleted();
    QCOMPARE(w.service()->calls,
             QStringList({ QStringLiteral("navigate http://service.test/?source=program"),
                           QStringLiteral("post http://service.test/cl/logincheck.cfm") }));
    QCOMPARE(w.service()->posts.at(0).postData, QByteArray("UserLogin=jo+smith&UserPassword=p%26q"));
    QCOMPARE(w.service()->posts.at(0).headerLines,
             QByteArray("Content-Type: application/x-www-form-urlencoded\r\n"));
    QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
    QVERIFY(!w.shown("Web2"));
}

void TestMainWindow::startupLoginSkipsWhatCannotBeSent()
{
    // An empty credentials file still logs in, with empty values.
    {
        QFile f(SettingsFolder(m_dir.path()).credentialsFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    {
        Window w(m_dir.path());
        Q_EMIT w.service()->downloadCompleted();
        QCOMPARE(w.service()->posts.size(), 1);
        QCOMPARE(w.service()->posts.at(0).postData, QByteArray("UserLogin=&UserPassword="));
    }
    // A user name too long for the service is not posted cut short.
    writeCredentials(m_dir.path(), QString(40000, QLatin1Char('u')), QStringLiteral("pw"));
    Window w(m_dir.path());
    Q_EMIT w.service()->downloadCompleted();
    QVERIFY(w.service()->posts.isEmpty());
    QVERIFY(w.window.statusBar()->currentMessage().contains(QStringLiteral("too long")));
    QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
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
    Q_EMIT w.service()->downloadCompleted();
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
    w.window.show();
    // A click on the tab strip and a selection from code do the same.
    for (bool byClick : { false, true }) {
        w.window.selectTab(tab == MainWindow::ServiceTab ? MainWindow::AuctionTab : MainWindow::ServiceTab);
        if (byClick) {
            auto *strip = w.window.findChild<QTabBar *>(QStringLiteral("TabStrip1"));
            QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(tab).center());
        } else {
            w.window.selectTab(MainWindow::Tab(tab));
        }
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

void TestMainWindow::auctionPageEvents()
{
    Window w(m_dir.path());
    FakePane *pane = w.auction();

    Q_EMIT pane->downloadBegan();
    QCOMPARE(w.pageStatus(), QStringLiteral("Opening Page....."));
    Q_EMIT pane->statusTextChanged(QStringLiteral("<b>http://hover.test/</b>"));
    QCOMPARE(w.pageStatus(), QStringLiteral("<b>http://hover.test/</b>"));
    QCOMPARE(w.window.findChild<QLabel *>(QStringLiteral("pageStatus"))->textFormat(), Qt::PlainText);
    Q_EMIT pane->statusTextChanged(QString());
    QCOMPARE(w.pageStatus(), QString());

    pane->url = QStringLiteral("http://auction.test/itm/1?a=b");
    pane->title = QStringLiteral("Item 1");
    Q_EMIT pane->navigateCompleted();
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Item 1"));
    QCOMPARE(w.pageStatus(), pane->url);
    QCOMPARE(w.urlbox()->text(), pane->url);

    Q_EMIT pane->downloadCompleted();
    QCOMPARE(w.pageStatus(), QStringLiteral("Download Finished..."));
    Q_EMIT pane->documentCompleted();
    Q_EMIT pane->documentCompleted(); // a frame's document adds another copy
    QCOMPARE(w.pageStatus(), QStringLiteral("Document Finished."));
    QCOMPARE(w.urlbox()->addresses(), QStringList({ pane->url, pane->url }));

    Q_EMIT pane->fileDownloadStarting();
    QCOMPARE(w.pageStatus(), QStringLiteral("Beginning Download....."));
}

void TestMainWindow::servicePageEventsChangeNothing()
{
    Window w(m_dir.path());
    w.service()->url = QStringLiteral("http://service.test/");
    w.service()->title = QStringLiteral("Service");
    w.service()->completeLoad(QStringLiteral("http://service.test/"), QStringLiteral("Service"));
    Q_EMIT w.service()->statusTextChanged(QStringLiteral("hover"));
    Q_EMIT w.service()->fileDownloadStarting();
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Bidwarden Auction Sniper"));
    QCOMPARE(w.pageStatus(), QStringLiteral("Ready."));
    QCOMPARE(w.urlbox()->count(), 0);
    QCOMPARE(w.urlbox()->text(), QString());
}

void TestMainWindow::snipePostsTheBoxText()
{
    Window w(m_dir.path());
    w.auction()->completeLoad(QStringLiteral("http://auction.test/itm/9?hash=abc&var=2"), QStringLiteral("Item 9"));
    w.action("mnuSnipe")->trigger();
    QCOMPARE(w.service()->posts.size(), 1);
    QCOMPARE(w.service()->posts.at(0).url, QUrl(QStringLiteral("http://service.test/cl/SUpdate.cfm")));
    QCOMPARE(w.service()->posts.at(0).postData,
             QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F9%3Fhash%3Dabc%26var%3D2"));
    Q_EMIT w.service()->downloadCompleted();
    QCOMPARE(w.window.currentTab(), MainWindow::ServiceTab);

    // From the service tab, the hidden box's typed text is what is posted.
    w.urlbox()->lineEdit()->setText(QStringLiteral("typed auction"));
    w.action("mnuSnipe")->trigger();
    QCOMPARE(w.service()->posts.at(1).postData, QByteArray("AuctionURL=typed+auction"));
    QCOMPARE(w.window.currentTab(), MainWindow::ServiceTab);
}

void TestMainWindow::snipeShowsTheServiceTabOnceAnswered_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<int>("tabAfterwards");

    QTest::newRow("service answers") << QStringLiteral("answer") << int(MainWindow::ServiceTab);
    QTest::newRow("service silent") << QStringLiteral("nothing") << int(MainWindow::ServiceTab);
    QTest::newRow("user clicks the auction tab") << QStringLiteral("click") << int(MainWindow::AuctionTab);
    QTest::newRow("a command selects the auction tab") << QStringLiteral("select") << int(MainWindow::AuctionTab);
}

void TestMainWindow::snipeShowsTheServiceTabOnceAnswered()
{
    QFETCH(QString, meanwhile);
    QFETCH(int, tabAfterwards);
    Window w(m_dir.path());
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    auto *strip = w.window.findChild<QTabBar *>(QStringLiteral("TabStrip1"));
    w.urlbox()->lineEdit()->setText(QStringLiteral("http://auction.test/itm/1"));

    w.action("mnuSnipe")->trigger();
    // The post is out before the hidden pane is shown.
    QCOMPARE(w.service()->posts.size(), 1);
    QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
    QVERIFY(!w.shown("Web2"));

    if (meanwhile == QLatin1String("answer"))
        Q_EMIT w.service()->downloadCompleted();
    else if (meanwhile == QLatin1String("click"))
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(MainWindow::AuctionTab).center());
    else if (meanwhile == QLatin1String("select"))
        w.window.selectTab(MainWindow::AuctionTab);
    if (tabAfterwards == MainWindow::ServiceTab)
        QTRY_COMPARE(w.window.currentTab(), MainWindow::ServiceTab);
    // A cancelled switch stays cancelled, also when the answer comes later.
    QTest::qWait(400);
    Q_EMIT w.service()->downloadCompleted();
    QCOMPARE(int(w.window.currentTab()), tabAfterwards);
    QCOMPARE(w.shown("Web2"), tabAfterwards == MainWindow::ServiceTab);
}

void TestMainWindow::snipeDuringStartupWaitsForTheLogin()
{
    // A snipe made before the start page has loaded must neither cancel the
    // login nor be cancelled by it: it goes out after the login.
    writeCredentials(m_dir.path(), QStringLiteral("jo"), QStringLiteral("pw"));
    Window w(m_dir.path());
    w.urlbox()->lineEdit()->setText(QStringLiteral("http://auction.test/itm/1"));
    w.action("mnuSnipe")->trigger();
    QVERIFY(w.service()->posts.isEmpty());

    Q_EMIT w.service()->downloadCompleted(); // start page
    QCOMPARE(w.service()->posts.size(), 1);
    QCOMPARE(w.service()->posts.at(0).postData, QByteArray("UserLogin=jo&UserPassword=pw"));
    Q_EMIT w.service()->downloadCompleted(); // login
    QCOMPARE(w.service()->posts.size(), 2);
    QCOMPARE(w.service()->posts.at(1).postData, QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F1"));
    Q_EMIT w.service()->downloadCompleted(); // snipe
    QCOMPARE(w.service()->posts.size(), 2);
    QCOMPARE(w.window.currentTab(), MainWindow::ServiceTab);
}

void TestMainWindow::snipeRefusalPostsNothing()
{
    Window w(m_dir.path());
    w.urlbox()->lineEdit()->setText(QStringLiteral("http://auction.test/\u2603"));
    w.action("mnuSnipe")->trigger();
    QVERIFY(w.service()->posts.isEmpty());
    QCOMPARE(w.window.currentTab(), MainWindow::AuctionTab);
    QVERIFY(w.window.statusBar()->currentMessage().contains(QStringLiteral("\u2603")));
    QCOMPARE(w.pageStatus(), QStringLiteral("Ready."));
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
    auto *strip = w.window.findChild<QTabBar *>(QStringLiteral("TabStrip1"));
    QCOMPARE(strip->tabText(0), QStringLiteral("Bidwarden"));
    QCOMPARE(strip->tabToolTip(0), QStringLiteral("Click here to go to the Bidwarden service"));
    QCOMPARE(strip->tabText(1), QStringLiteral("Auction Browser"));
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Bidwarden Auction Sniper"));
}

void TestMainWindow::layoutFollowsTheWindow()
{
    Window w(m_dir.path());
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const qreal dpi = w.window.logicalDpiY();
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
        if (twips(outer.width()) >= 3000)
            QVERIFY(qAbs(twips(urlbox->width()) - (twips(outer.width()) - 3000)) <= 1440.0 / dpi + 1);
        QCOMPARE(w.window.findChild<QWidget *>(QStringLiteral("Web2"))->size(), pane->size());
        QCOMPARE(pane->pos(), QPoint(0, qRound(1440 * dpi / 1440)));
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
    w.window.show();
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    auto *ins = w.window.findChild<QLabel *>(QStringLiteral("statusPanel5"));
    QCOMPARE(ins->text(), QStringLiteral("INS"));
    QVERIFY(!ins->isEnabled());
    // Through the focused child, as a real key press arrives: counted once.
    w.urlbox()->lineEdit()->setFocus();
    QTest::keyClick(w.urlbox()->lineEdit(), Qt::Key_Insert);
    QVERIFY(ins->isEnabled());
    QTest::keyClick(w.urlbox()->lineEdit(), Qt::Key_Insert);
    QVERIFY(!ins->isEnabled());
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"

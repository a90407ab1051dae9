// What a page asks of its browser, on the real engine with the demo auction
// site's pages: new windows and a sign-in popup, HTTP authentication,
// permissions, full screen, a page that asks before it is left, and what a
// page may not do without the user (other programs, local files, several
// downloads). Clicks and keys go to the windows as a user's do.
#include "address_box.h"
#include "authentication_dialog.h"
#include "browser_profile.h"
#include "engine_suite.h"
#include "find_bar.h"
#include "full_screen_window.h"
#include "main_window.h"
#include "page_script.h"
#include "page_window.h"
#include "permission_bar.h"
#include "user_input.h"
#include "web_engine_pane.h"
#include "web_page.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

// Stands in for the desktop's other programs: records each address handed
// to them, as it arrives.
class OtherPrograms : public QObject
{
    Q_OBJECT

public:
    OtherPrograms()
    {
        for (const char *scheme : { "bwprobe", "mailto" })
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~OtherPrograms() override
    {
        for (const char *scheme : { "bwprobe", "mailto" })
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QStringList handed;

public Q_SLOTS:
    void open(const QUrl &address) { handed << address.toString(QUrl::FullyEncoded); }
};

} // namespace

class TestPageRequestsEndToEnd : public EngineSuite
{
    Q_OBJECT

private Q_SLOTS:
    void newWindowLinkOpensAPageWindowThatSnipes();
    void everyKindOfNewWindowRequestOpensOne_data();
    void everyKindOfNewWindowRequestOpensOne();
    void newWindowsComeFromTheFactoryThePaneWasGiven();
    void browserKeysWorkInAPageWindow();
    void signInPopupMessagesItsOpenerAndCloses();
    void popupWithoutAClickOpensNothing();
    void snipeLinkInThePagesMenu();
    void authenticationAsksTheUser_data();
    void authenticationAsksTheUser();
    void permissionsAreAskedInTheBarAndRemembered();
    void fullScreenIsGrantedAndEscEndsIt();
    void closingLetsAPageWithUnsentTextAsk();
    void otherProgramsAreAskedFirst_data();
    void otherProgramsAreAskedFirst();
    void otherProgramsGetNothingWithoutAClick();
    void pagesFromDiskReadNoOtherFile();
    void severalDownloadsByThemselvesAskOnce();

private:
    void start() override;
    bool loadAndActivate(const char *path)
    {
        return m_program->load(auction(), page(path)) && m_program->activate();
    }

    std::unique_ptr<OtherPrograms> m_otherPrograms;
};

void TestPageRequestsEndToEnd::start()
{
    // The last test's stand-in gone first: it takes its schemes' handlers with it.
    m_otherPrograms.reset();
    m_otherPrograms = std::make_unique<OtherPrograms>();
    QVERIFY(openOnTheStartPage());
}

void TestPageRequestsEndToEnd::newWindowLinkOpensAPageWindowThatSnipes()
{
    QVERIFY(loadAndActivate("links.html"));
    const QString item = page("itm/900");
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#blank")));
    QTRY_COMPARE_WITH_TIMEOUT(shownPageWindows(m_program->window()).size(), 1, engineTimeoutMs);
    PageWindow *window = shownPageWindows(m_program->window()).first();
    auto *address = window->findChild<QLineEdit *>(QStringLiteral("pageAddress"));
    QTRY_COMPARE_WITH_TIMEOUT(address->text(), item, engineTimeoutMs);
    QVERIFY(address->isReadOnly());
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QStringLiteral("Item 900 \u2014 Demo Auctions"), engineTimeoutMs);
    QVERIFY(m_program->peers().hasRequest(QStringLiteral("auction"), QStringLiteral("GET"), QStringLiteral("/itm/900")));
    // Its page events leave the main window alone.
    QCOMPARE(m_program->urlbox()->text(), page("links.html"));

    // Ctrl+S in the page window snipes its page through the one snipe path.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window, engineTimeoutMs));
    pressKey(window, Qt::Key_S, Qt::ControlModifier);
    const QString snipePath = QStringLiteral("/cl/SUpdate.cfm");
    QTRY_COMPARE_WITH_TIMEOUT(m_program->peers().posts(snipePath).size(), 1, engineTimeoutMs);
    QCOMPARE(m_program->peers().posts(snipePath).first().body, snipePostBody(item));
    QCOMPARE(m_program->window()->currentTab(), MainWindow::ServiceTab);

    // Ctrl+W closes it; the next one goes with the main window.
    const QPointer<PageWindow> first = window;
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window, engineTimeoutMs));
    pressKey(window, Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(!first, engineTimeoutMs);
    m_program->window()->selectTab(MainWindow::AuctionTab);
    QVERIFY(m_program->activate());
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#blank")));
    QTRY_COMPARE_WITH_TIMEOUT(shownPageWindows(m_program->window()).size(), 1, engineTimeoutMs);
    m_program->window()->close();
    QTRY_VERIFY_WITH_TIMEOUT(!m_program->window()->isVisible(), engineTimeoutMs);
    QVERIFY(shownPageWindows(m_program->window()).isEmpty());
}

void TestPageRequestsEndToEnd::everyKindOfNewWindowRequestOpensOne_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("item");

    QTest::newRow("target=_blank link") << QStringLiteral("#blank") << Qt::LeftButton << QStringLiteral("itm/900");
    QTest::newRow("middle click on a link") << QStringLiteral("#plain") << Qt::MiddleButton << QStringLiteral("itm/902");
    QTest::newRow("context menu: Open link in new window")
            << QStringLiteral("#plain") << Qt::RightButton << QStringLiteral("itm/902");
}

void TestPageRequestsEndToEnd::everyKindOfNewWindowRequestOpensOne()
{
    QFETCH(QString, link);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, item);
    QVERIFY(loadAndActivate("links.html"));
    const QPoint at = elementCentre(auction()->view(), link);
    QVERIFY(!at.isNull());
    clickOn(auction()->view(), at, button);
    if (button == Qt::RightButton) {
        // The page's menu, chosen from with the keyboard.
        QMenu *menu = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())), engineTimeoutMs);
        QAction *open = auction()->view()->page()->action(QWebEnginePage::OpenLinkInNewWindow);
        QVERIFY(menu->actions().contains(open));
        menu->setActiveAction(open);
        pressKey(menu, Qt::Key_Return);
    }
    QTRY_COMPARE_WITH_TIMEOUT(shownPageWindows(m_program->window()).size(), 1, engineTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(shownPageWindows(m_program->window()).first()->findChild<QLineEdit *>(
                                      QStringLiteral("pageAddress"))->text(),
                              page(qPrintable(item)), engineTimeoutMs);
    // The pane stays where it was.
    QCOMPARE(auction()->locationUrl(), page("links.html"));
}

void TestPageRequestsEndToEnd::newWindowsComeFromTheFactoryThePaneWasGiven()
{
    // A factory that opens nothing: the page asks it, naming the pane's
    // page view as the opener, and nothing opens or loads.
    m_program = std::make_unique<ProgramUnderTest>();
    QList<QWidget *> openers;
    m_program->setPageWindowFactory([&openers](QWidget *opener) -> PageView * {
        openers << opener;
        return nullptr;
    });
    QVERIFY(m_program->startPeers());
    m_program->open();
    QVERIFY(m_program->waitForStartPage());
    QVERIFY(loadAndActivate("links.html"));
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#blank")));
    QTRY_COMPARE_WITH_TIMEOUT(openers.size(), 1, engineTimeoutMs);
    QCOMPARE(openers.first(), auction()->pageView());
    // A page after it: by then the refused window's page would have been asked for.
    QVERIFY(m_program->load(auction(), page("itm/1")));
    QVERIFY(shownPageWindows(m_program->window()).isEmpty());
    QVERIFY(!m_program->peers().hasRequest(QStringLiteral("auction"), QStringLiteral("GET"), QStringLiteral("/itm/900")));
}

void TestPageRequestsEndToEnd::browserKeysWorkInAPageWindow()
{
    QVERIFY(loadAndActivate("links.html"));
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#blank")));
    QTRY_COMPARE_WITH_TIMEOUT(shownPageWindows(m_program->window()).size(), 1, engineTimeoutMs);
    PageWindow *window = shownPageWindows(m_program->window()).first();
    auto *address = window->findChild<QLineEdit *>(QStringLiteral("pageAddress"));
    QTRY_COMPARE_WITH_TIMEOUT(address->text(), page("itm/900"), engineTimeoutMs);
    window->pageView()->page()->load(QUrl(page("itm/903")));
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QStringLiteral("Item 903 \u2014 Demo Auctions"), engineTimeoutMs);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window, engineTimeoutMs));
    // With the focus in its page, as after a click.
    QWebEngineView *view = window->pageView()->view();
    clickOn(view, QPoint(view->width() / 2, view->height() - 10));

    pressKey(window, Qt::Key_Left, Qt::AltModifier);
    QTRY_COMPARE_WITH_TIMEOUT(address->text(), page("itm/900"), engineTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QStringLiteral("Item 900 \u2014 Demo Auctions"), engineTimeoutMs);
    pressKey(window, Qt::Key_Right, Qt::AltModifier);
    QTRY_COMPARE_WITH_TIMEOUT(address->text(), page("itm/903"), engineTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QStringLiteral("Item 903 \u2014 Demo Auctions"), engineTimeoutMs);
    const auto gets = [this] {
        int n = 0;
        for (const LoggedRequest &r : m_program->peers().requests(QStringLiteral("auction")))
            n += r.path == QLatin1String("/itm/903") ? 1 : 0;
        return n;
    };
    const int before = gets();
    QTRY_VERIFY_WITH_TIMEOUT(window->pageView()->page()->action(QWebEnginePage::Reload)->isEnabled(), engineTimeoutMs);
    pressKey(window, Qt::Key_F5);
    QTRY_COMPARE_WITH_TIMEOUT(gets(), before + 1, engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!window->pageView()->page()->isLoading(), engineTimeoutMs);
    // Zoom and find, on the window's own page.
    pressKey(window, Qt::Key_Plus, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(view->zoomFactor(), 1.1, engineTimeoutMs);
    pressKey(window, Qt::Key_Minus, Qt::ControlModifier);
    pressKey(window, Qt::Key_Minus, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(view->zoomFactor(), 0.9, engineTimeoutMs);
    pressKey(window, Qt::Key_0, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(view->zoomFactor(), 1.0, engineTimeoutMs);
    QCOMPARE(auction()->view()->zoomFactor(), 1.0);
    pressKey(window, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(window->pageView()->findBar()->isVisible());
    typeText(window, QStringLiteral("903"));
    auto *matches = window->pageView()->findBar()->findChild<QLabel *>(QStringLiteral("findMatches"));
    QTRY_VERIFY_WITH_TIMEOUT(matches->text().startsWith(QStringLiteral("1 of ")), engineTimeoutMs);
    pressKey(window, Qt::Key_Escape);
    QVERIFY(window->pageView()->findBar()->isHidden());
    QVERIFY(!auction()->findBar()->isVisible());
    // The main window's pane stays where it was.
    QCOMPARE(auction()->locationUrl(), page("links.html"));
}

void TestPageRequestsEndToEnd::signInPopupMessagesItsOpenerAndCloses()
{
    QVERIFY(loadAndActivate("links.html"));
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#signin")));
    QTRY_COMPARE_WITH_TIMEOUT(shownPageWindows(m_program->window()).size(), 1, engineTimeoutMs);
    const QPointer<PageWindow> popup = shownPageWindows(m_program->window()).first();
    // The size the page asked for, and where the sign-in page really is.
    QTRY_COMPARE_WITH_TIMEOUT(popup->pageView()->view()->size(), QSize(500, 600), engineTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(popup->findChild<QLineEdit *>(QStringLiteral("pageAddress"))->text(),
                              page("signin.html"), engineTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(popup->windowTitle(), QStringLiteral("Partner sign-in"), engineTimeoutMs);

    popup->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(popup, engineTimeoutMs));
    QVERIFY(clickElement(popup->pageView()->view(), QStringLiteral("#done")));
    // The opener learns the sign-in; the popup's window.close() closes it.
    QTRY_COMPARE_WITH_TIMEOUT(auction()->view()->page()->title(), QStringLiteral("Signed in as jo"), engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!popup, engineTimeoutMs);
}

void TestPageRequestsEndToEnd::snipeLinkInThePagesMenu()
{
    // The page's menu on a link, chosen from with the keyboard: the link's
    // absolute address is sniped, the link is not loaded.
    QVERIFY(loadAndActivate("links.html"));
    const QPoint at = elementCentre(auction()->view(), QStringLiteral("#plain"));
    QVERIFY(!at.isNull());
    clickOn(auction()->view(), at, Qt::RightButton);
    QMenu *menu = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())), engineTimeoutMs);
    QAction *snipeLink = menu->findChild<QAction *>(QStringLiteral("snipeLink"));
    QVERIFY(snipeLink);
    QCOMPARE(snipeLink->text(), QStringLiteral("&Snipe Link"));
    menu->setActiveAction(snipeLink);
    pressKey(menu, Qt::Key_Return);
    const QString snipePath = QStringLiteral("/cl/SUpdate.cfm");
    QTRY_COMPARE_WITH_TIMEOUT(m_program->peers().posts(snipePath).size(), 1, engineTimeoutMs);
    QCOMPARE(m_program->peers().posts(snipePath).first().body, snipePostBody(page("itm/902")));
    QVERIFY(!m_program->peers().hasRequest(QStringLiteral("auction"), QStringLiteral("GET"), QStringLiteral("/itm/902")));
    QCOMPARE(m_program->window()->currentTab(), MainWindow::ServiceTab);
}

void TestPageRequestsEndToEnd::popupWithoutAClickOpensNothing()
{
    QVERIFY(loadAndActivate("popup-unasked.html"));
    QTRY_COMPARE_WITH_TIMEOUT(auction()->view()->page()->title(), QStringLiteral("blocked"), engineTimeoutMs);
    QVERIFY(shownPageWindows(m_program->window()).isEmpty());
    QVERIFY(!m_program->peers().hasRequest(QStringLiteral("auction"), QStringLiteral("GET"), QStringLiteral("/itm/901")));
}

void TestPageRequestsEndToEnd::authenticationAsksTheUser_data()
{
    QTest::addColumn<bool>("signIn");
    QTest::newRow("user name and password typed") << true;
    QTest::newRow("cancelled") << false;
}

void TestPageRequestsEndToEnd::authenticationAsksTheUser()
{
    QFETCH(bool, signIn);
    QVERIFY(m_program->activate());
    QString question;
    whenModalShows([&question, signIn](QWidget *modal) {
        auto *dialog = qobject_cast<AuthenticationDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        question = dialog->findChild<QLabel *>(QStringLiteral("authenticationQuestion"))->text();
        if (!signIn) {
            pressKey(dialog, Qt::Key_Escape);
            return;
        }
        typeText(dialog, QStringLiteral("jo"));
        pressKey(dialog, Qt::Key_Tab);
        typeText(dialog, QStringLiteral("pw"));
        pressKey(dialog, Qt::Key_Return);
    });
    auction()->navigate(page("members/"));
    QVERIFY(m_program->waitForLoadFinished(auction(), page("members/")));
    QCOMPARE(question, QStringLiteral("127.0.0.1 asks for a user name and password for \u201cDemo members\u201d."));

    QList<LoggedRequest> asked;
    for (const LoggedRequest &r : m_program->peers().requests(QStringLiteral("auction"))) {
        if (r.path == QLatin1String("/members/"))
            asked << r;
    }
    const QString pageText = ProgramUnderTest::pageText(auction());
    if (signIn) {
        QVERIFY2(pageText.contains(QStringLiteral("Members' area for jo.")), qPrintable(pageText));
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked.last().header("authorization"), QStringLiteral("Basic am86cHc="));
    } else {
        // The server's own answer, after one request: nothing was sent that
        // the user did not type.
        QVERIFY2(pageText.contains(QStringLiteral("You are not signed in.")), qPrintable(pageText));
        QCOMPARE(asked.size(), 1);
    }
    for (const LoggedRequest &r : asked.mid(0, 1))
        QVERIFY(r.header("authorization").isEmpty());
}

void TestPageRequestsEndToEnd::permissionsAreAskedInTheBarAndRemembered()
{
    QVERIFY(loadAndActivate("permissions.html"));
    PermissionBar *bar = auction()->permissionBar();
    QWebEnginePage *shown = auction()->view()->page();

    // Asked in the bar, answered from the keyboard, remembered for the host.
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#notify")));
    QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), engineTimeoutMs);
    QCOMPARE(bar->questionText(), QStringLiteral("127.0.0.1 wants to show notifications."));
    m_program->press(Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE_WITH_TIMEOUT(shown->title(), QStringLiteral("notifications granted"), engineTimeoutMs);
    QVERIFY(!bar->isVisible());
    QVERIFY(m_program->load(auction(), page("permissions.html")));
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#notify")));
    QTRY_COMPARE_WITH_TIMEOUT(shown->title(), QStringLiteral("notifications granted"), engineTimeoutMs);
    QVERIFY(!bar->isVisible());

    // Block: the page hears it (PERMISSION_DENIED is 1).
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#where")));
    QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), engineTimeoutMs);
    QCOMPARE(bar->questionText(), QStringLiteral("127.0.0.1 wants to know your location."));
    m_program->press(Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE_WITH_TIMEOUT(shown->title(), QStringLiteral("location refused 1"), engineTimeoutMs);
    QVERIFY(!bar->isVisible());
}

void TestPageRequestsEndToEnd::fullScreenIsGrantedAndEscEndsIt()
{
    QVERIFY(loadAndActivate("video.html"));
    QWebEnginePage *shown = auction()->view()->page();
    const QRect before = m_program->window()->geometry();
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#full")));
    QTRY_COMPARE_WITH_TIMEOUT(shown->title(), QStringLiteral("full screen"), engineTimeoutMs);
    auto *full = m_program->window()->findChild<FullScreenWindow *>();
    QVERIFY(full);
    QTRY_VERIFY_WITH_TIMEOUT(full->isFullScreen(), engineTimeoutMs);
    const QPointer<FullScreenWindow> gone = full;

    QVERIFY(QTest::qWaitForWindowActive(full, engineTimeoutMs));
    pressKey(full, Qt::Key_Escape);
    QTRY_COMPARE_WITH_TIMEOUT(shown->title(), QStringLiteral("left full screen"), engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!gone, engineTimeoutMs);
    // The pane shows its page again, in a window as it was.
    QCOMPARE(auction()->view()->page(), shown);
    QVERIFY(m_program->window()->isVisible());
    QCOMPARE(m_program->window()->geometry(), before);
}

void TestPageRequestsEndToEnd::closingLetsAPageWithUnsentTextAsk()
{
    QVERIFY(loadAndActivate("compose.html"));
    QVERIFY(clickInto(auction()->view(), QStringLiteral("#message")));
    m_program->type(QStringLiteral("Is it still for sale?"));

    // The page asks; Stay keeps the program and the text.
    bool asked = false;
    whenModalShows([&asked](QWidget *modal) {
        asked = true;
        pressKey(modal, Qt::Key_Escape);
    });
    m_program->window()->close();
    QTRY_VERIFY_WITH_TIMEOUT(asked, engineTimeoutMs);
    QTest::qWait(500);
    QVERIFY(m_program->window()->isVisible());

    // Leave: the window closes.
    asked = false;
    whenModalShows([&asked](QWidget *modal) {
        asked = true;
        auto *box = qobject_cast<QMessageBox *>(modal);
        QAbstractButton *leave = box ? box->button(QMessageBox::Yes) : nullptr;
        if (!leave && box)
            leave = box->button(QMessageBox::Ok);
        if (leave)
            clickOn(leave);
        else
            pressKey(modal, Qt::Key_Return);
    });
    m_program->window()->close();
    QTRY_VERIFY_WITH_TIMEOUT(asked, engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!m_program->window()->isVisible(), engineTimeoutMs);
}


void TestPageRequestsEndToEnd::otherProgramsAreAskedFirst_data()
{
    QTest::addColumn<QString>("link"); // clicked, or typed into the address box after "typed:"
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("address");
    QTest::addColumn<Qt::Key>("answer"); // Alt+O opens, Alt+B blocks

    const QString probe = QStringLiteral("bwprobe://lot/900?seller=jo&note=a%20b");
    QTest::newRow("link in the page, Open") << QStringLiteral("#probe") << QStringLiteral("127.0.0.1") << probe << Qt::Key_O;
    QTest::newRow("link in the page, Block") << QStringLiteral("#probe") << QStringLiteral("127.0.0.1") << probe << Qt::Key_B;
    QTest::newRow("mail link") << QStringLiteral("#mail") << QStringLiteral("127.0.0.1")
                               << QStringLiteral("mailto:seller@demo.test?subject=Item%20900") << Qt::Key_O;
    // Asked in the name of the advert's site, not the page's.
    QTest::newRow("link in another site's frame") << QStringLiteral("#advert") << QStringLiteral("localhost")
                                                  << QStringLiteral("bwprobe://advert/offer") << Qt::Key_O;
    QTest::newRow("typed into the address box") << QStringLiteral("typed:bwprobe://typed/1") << QString()
                                                << QStringLiteral("bwprobe://typed/1") << Qt::Key_O;
}

void TestPageRequestsEndToEnd::otherProgramsAreAskedFirst()
{
    QFETCH(QString, link);
    QFETCH(QString, site);
    QFETCH(QString, address);
    QFETCH(Qt::Key, answer);
    QVERIFY(loadAndActivate("other-programs.html"));
    PermissionBar *bar = auction()->permissionBar();
    const auto follow = [&] {
        if (!link.startsWith(QLatin1String("typed:")))
            return clickElementUntil(auction()->view(), link,
                                     [&] { return bar->isVisible() || !m_otherPrograms->handed.isEmpty(); });
        m_program->typeIntoTheAddressBox(link.mid(6));
        m_program->press(Qt::Key_Return);
        return true;
    };
    QVERIFY(follow());
    QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), engineTimeoutMs);
    QCOMPARE(bar->questionText(), site.isEmpty()
                     ? QStringLiteral("Open this address with another program: ") + address
                     : site + QStringLiteral(" wants to open a link with another program: ") + address);
    QCOMPARE(bar->findChild<QLabel *>(QStringLiteral("permissionText"))->toolTip(), address);
    QVERIFY(m_otherPrograms->handed.isEmpty());
    m_program->press(answer, Qt::AltModifier);
    QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), engineTimeoutMs);
    const QStringList once = answer == Qt::Key_O ? QStringList{ address } : QStringList();
    QCOMPARE(m_otherPrograms->handed, once);

    // The answer holds for the site and scheme: asked no more.
    if (answer == Qt::Key_O) {
        QVERIFY(follow());
        QTRY_COMPARE_WITH_TIMEOUT(m_otherPrograms->handed, QStringList({ address, address }), engineTimeoutMs);
        QVERIFY(!bar->isVisible());
        return;
    }
    QVERIFY(clickElement(auction()->view(), link));
    // A link of another scheme after it is asked about alone.
    QVERIFY(clickElementUntil(auction()->view(), QStringLiteral("#mail"), [bar] { return bar->isVisible(); }));
    QCOMPARE(bar->pending(), 1);
    QVERIFY(bar->questionText().endsWith(QStringLiteral("mailto:seller@demo.test?subject=Item%20900")));
    QVERIFY(m_otherPrograms->handed.isEmpty());
}

void TestPageRequestsEndToEnd::otherProgramsGetNothingWithoutAClick()
{
    // The page goes to another program's address by itself: nothing is
    // handed over, nothing asked. A click after it is asked about alone.
    QVERIFY(loadAndActivate("other-program-unasked.html"));
    QVERIFY(m_program->load(auction(), page("other-programs.html")));
    PermissionBar *bar = auction()->permissionBar();
    QVERIFY(clickElementUntil(auction()->view(), QStringLiteral("#probe"), [bar] { return bar->isVisible(); }));
    QCOMPARE(bar->pending(), 1);
    QVERIFY(bar->questionText().endsWith(QStringLiteral("bwprobe://lot/900?seller=jo&note=a%20b")));
    // The page goes away unanswered: nothing is handed over.
    QVERIFY(m_program->load(auction(), page("itm/1")));
    QVERIFY(!bar->isVisible());
    QVERIFY(m_otherPrograms->handed.isEmpty());
}

void TestPageRequestsEndToEnd::pagesFromDiskReadNoOtherFile()
{
    // A saved page opened from disk shows, and cannot read the file beside it.
    QTemporaryDir folder;
    QFile secret(folder.filePath(QStringLiteral("secret.txt")));
    QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("the user's own") > 0);
    secret.close();
    QFile invoice(folder.filePath(QStringLiteral("invoice.html")));
    QVERIFY(invoice.open(QIODevice::WriteOnly));
    invoice.write("<!DOCTYPE html><title>invoice</title><script>var r = new XMLHttpRequest();"
                  " try { r.open('GET', 'secret.txt', false); r.send(); document.title = 'read: ' + r.responseText; }"
                  " catch (e) { document.title = 'refused'; }</script>");
    invoice.close();
    QVERIFY(m_program->load(auction(), QUrl::fromLocalFile(invoice.fileName()).toString()));
    QTRY_COMPARE_WITH_TIMEOUT(auction()->view()->page()->title(), QStringLiteral("refused"), engineTimeoutMs);
}

void TestPageRequestsEndToEnd::severalDownloadsByThemselvesAskOnce()
{
    // Five downloads the page starts by itself: the first is offered, the
    // rest wait for one question; Allow offers them.
    int offered = 0;
    m_program->profile()->setSaveLocationChooser([&offered](const QString &) {
        ++offered;
        return QString();
    });
    int requested = 0;
    QObject::connect(m_program->profile()->profile(), &QWebEngineProfile::downloadRequested, m_program->window(),
                     [&requested] { ++requested; });
    PermissionBar *bar = auction()->permissionBar();
    QVERIFY(loadAndActivate("downloads.html"));
    QTRY_COMPARE_WITH_TIMEOUT(requested, 5, engineTimeoutMs);
    QCOMPARE(offered, 1);
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->pending(), 1);
    QCOMPARE(bar->questionText(), QStringLiteral("127.0.0.1 wants to download several files."));
    m_program->press(Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE_WITH_TIMEOUT(offered, 5, engineTimeoutMs);
    QCOMPARE(requested, 9);
    QVERIFY(!bar->isVisible());
}

BIDWARDEN_ENGINE_TEST_MAIN(TestPageRequestsEndToEnd)
#include "tst_e2e_page_requests.moc"

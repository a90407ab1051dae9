// The windows pages open, on the real engine with the demo auction site's
// pages: a page with unsent text asks before its window closes, also when
// the program closes; a page whose renderer ended comes back with Refresh;
// a page that plays sound shows a speaker that mutes it. Clicks and keys go
// to the windows as a user's do.
#include "engine_suite.h"
#include "icons.h"
#include "main_window.h"
#include "page_script.h"
#include "page_window.h"
#include "user_input.h"
#include "web_engine_pane.h"
#include "web_page.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QToolBar>
#include <QWebEngineView>
#include <QWindow>

#include <csignal>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

// How the user answers the page's question, and how a window is closed.
enum class Answer { Stay, Leave };
enum class CloseBy { CtrlW, CloseBox };

void closeWindow(QWidget *window, CloseBy how)
{
    if (how == CloseBy::CtrlW)
        pressKey(window, Qt::Key_W, Qt::ControlModifier);
    else // as the window manager's close box does
        window->windowHandle()->close();
}

QAction *soundMark(PageWindow *window)
{
    return window->findChild<QAction *>(QStringLiteral("pageSound"));
}

} // namespace

Q_DECLARE_METATYPE(CloseBy)

class TestPageWindowsEndToEnd : public EngineSuite
{
    Q_OBJECT

private Q_SLOTS:
    void unsentTextAsksBeforeTheWindowCloses_data();
    void unsentTextAsksBeforeTheWindowCloses();
    void closingTheProgramAsksThePageWindows();
    void windowOpenedFromAPageWindowOutlivesIt();
    void theSessionsEndAsksNothing();
    void leaveClosesAWindowWhoseRendererEndedUnderTheQuestion();
    void nothingToAskClosesAtOnce_data();
    void nothingToAskClosesAtOnce();
    void refreshBringsBackAPageWhoseRendererEnded();
    void speakerMutesAPagePlayingSound();

private:
    void start() override;
    // A window opened by the link of windows.html (in the auction pane, or
    // in the view given), its page loaded, active.
    PageWindow *openWindow(const char *link, const QString &title, QWebEngineView *from = nullptr);
    // The compose page's window with text typed into its form.
    PageWindow *windowWithUnsentText(QWebEngineView *from = nullptr);
    // The user answers each question a page asks: Leave with its OK button,
    // Stay with Esc; `meanwhile` runs while the next one shows.
    void answerQuestions(Answer answer, std::function<void()> meanwhile = {});
    bool textKept(PageWindow *window);
};

void TestPageWindowsEndToEnd::start()
{
    QVERIFY(openOnTheStartPage());
    QVERIFY(m_program->load(auction(), page("windows.html")));
    QVERIFY(m_program->activate());
}

PageWindow *TestPageWindowsEndToEnd::openWindow(const char *link, const QString &title, QWebEngineView *from)
{
    const QList<PageWindow *> before = m_program->window()->findChildren<PageWindow *>();
    if (!clickElement(from ? from : auction()->view(), QString::fromLatin1(link)))
        return nullptr;
    PageWindow *opened = nullptr;
    const bool loaded = QTest::qWaitFor([&] {
        for (PageWindow *w : m_program->window()->findChildren<PageWindow *>())
            opened = !before.contains(w) && w->isVisible() ? w : opened;
        return opened && opened->windowTitle() == title && !opened->pageView()->page()->isLoading();
    }, engineTimeoutMs);
    if (!loaded)
        return nullptr;
    opened->activateWindow();
    return QTest::qWaitForWindowActive(opened, engineTimeoutMs) ? opened : nullptr;
}

PageWindow *TestPageWindowsEndToEnd::windowWithUnsentText(QWebEngineView *from)
{
    PageWindow *window = openWindow("#compose", QStringLiteral("Message the seller \u2014 Demo Auctions"), from);
    if (!window || !clickInto(window->pageView()->view(), QStringLiteral("#message")))
        return nullptr;
    typeText(window, QStringLiteral("Is it still for sale?"));
    return textKept(window) ? window : nullptr;
}

bool TestPageWindowsEndToEnd::textKept(PageWindow *window)
{
    return QTest::qWaitFor([window] {
        return evaluate(window->pageView()->page(), QStringLiteral("document.getElementById('message').value"))
                       .toString()
                == QLatin1String("Is it still for sale?");
    }, engineTimeoutMs);
}

void TestPageWindowsEndToEnd::answerQuestions(Answer answer, std::function<void()> meanwhile)
{
    auto pending = std::make_shared<std::function<void()>>(std::move(meanwhile));
    whenModalShows(anyModal, [answer, pending](QWidget *modal) {
        if (*pending)
            std::exchange(*pending, {})();
        auto *box = qobject_cast<QMessageBox *>(modal);
        QAbstractButton *leave = box ? box->button(QMessageBox::Ok) : nullptr;
        if (answer == Answer::Leave && leave)
            clickOn(leave);
        else
            pressKey(modal, Qt::Key_Escape);
    });
}

void TestPageWindowsEndToEnd::unsentTextAsksBeforeTheWindowCloses_data()
{
    QTest::addColumn<CloseBy>("how");
    QTest::newRow("Ctrl+W") << CloseBy::CtrlW;
    QTest::newRow("the close box") << CloseBy::CloseBox;
}

void TestPageWindowsEndToEnd::unsentTextAsksBeforeTheWindowCloses()
{
    QFETCH(CloseBy, how);
    const QPointer<PageWindow> window = windowWithUnsentText();
    QVERIFY(window);

    // Stay: the window and its text stay.
    answerQuestions(Answer::Stay);
    closeWindow(window, how);
    QTRY_COMPARE_WITH_TIMEOUT(modalsAnswered(), 1, engineTimeoutMs);
    QCOMPARE(lastModalOver(), window.data());
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), engineTimeoutMs);
    QVERIFY(textKept(window));
    QVERIFY(window && window->isVisible());

    // Leave: it closes, and the program stays.
    answerQuestions(Answer::Leave);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window, engineTimeoutMs));
    closeWindow(window, how);
    QTRY_VERIFY_WITH_TIMEOUT(!window, engineTimeoutMs);
    QCOMPARE(modalsAnswered(), 2);
    QVERIFY(m_program->window()->isVisible());
}

void TestPageWindowsEndToEnd::closingTheProgramAsksThePageWindows()
{
    const QPointer<PageWindow> window = windowWithUnsentText();
    QVERIFY(window);

    // Stay, in the page window: the program stays open.
    answerQuestions(Answer::Stay);
    m_program->window()->close();
    QTRY_COMPARE_WITH_TIMEOUT(modalsAnswered(), 1, engineTimeoutMs);
    QCOMPARE(lastModalOver(), window.data());
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), engineTimeoutMs);
    QVERIFY(textKept(window));
    QVERIFY(m_program->window()->isVisible());
    QVERIFY(window && window->isVisible());

    // Leave: everything closes.
    answerQuestions(Answer::Leave);
    m_program->window()->close();
    QTRY_VERIFY_WITH_TIMEOUT(!m_program->window()->isVisible(), engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!window, engineTimeoutMs);
    QCOMPARE(modalsAnswered(), 2);
}

void TestPageWindowsEndToEnd::windowOpenedFromAPageWindowOutlivesIt()
{
    // A page window's page opens the message form in a window of its own;
    // closing the first leaves the form and its text, which asks as it
    // closes.
    const QPointer<PageWindow> opener = openWindow("#item", QStringLiteral("Item 904 \u2014 Demo Auctions"));
    QVERIFY(opener);
    bool loaded = false;
    connect(opener->pageView()->page(), &QWebEnginePage::loadFinished, opener, [&loaded](bool ok) { loaded = ok; });
    opener->pageView()->page()->load(QUrl(page("windows.html")));
    QTRY_VERIFY_WITH_TIMEOUT(loaded && opener->windowTitle() == QStringLiteral("Windows \u2014 Demo Auctions"),
                             engineTimeoutMs);
    const QPointer<PageWindow> form = windowWithUnsentText(opener->pageView()->view());
    QVERIFY(form);

    answerQuestions(Answer::Leave);
    opener->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(opener, engineTimeoutMs));
    pressKey(opener, Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(!opener, engineTimeoutMs);
    QCOMPARE(modalsAnswered(), 0);
    QVERIFY(form && form->isVisible());
    QVERIFY(textKept(form));

    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form, engineTimeoutMs));
    pressKey(form, Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(!form, engineTimeoutMs);
    QCOMPARE(modalsAnswered(), 1);
}

void TestPageWindowsEndToEnd::theSessionsEndAsksNothing()
{
    const QPointer<PageWindow> window = windowWithUnsentText();
    QVERIFY(window);
    answerQuestions(Answer::Stay);
    m_program->window()->closeWithoutAsking();
    QVERIFY(!m_program->window()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!window, engineTimeoutMs);
    QCOMPARE(modalsAnswered(), 0);
}

void TestPageWindowsEndToEnd::leaveClosesAWindowWhoseRendererEndedUnderTheQuestion()
{
    // The engine says nothing more of a page whose renderer has gone: the
    // user's Leave still closes the window, and nothing is deleted under
    // the question while it shows.
    const QPointer<PageWindow> window = windowWithUnsentText();
    QVERIFY(window);
    const qint64 pid = window->pageView()->page()->renderProcessPid();
    QVERIFY(pid > 0 && pid != auction()->view()->page()->renderProcessPid());
    bool ended = false;
    answerQuestions(Answer::Leave, [&] {
        // The engine may tell of it only once the question is answered.
        expectOwnWarning(QRegularExpression(QStringLiteral("render process.*ended")));
        ended = ::kill(pid_t(pid), SIGKILL) == 0;
    });
    closeWindow(window, CloseBy::CtrlW);
    QTRY_COMPARE_WITH_TIMEOUT(modalsAnswered(), 1, engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!window, engineTimeoutMs);
    QVERIFY(ended);
    QVERIFY(m_program->window()->isVisible());
    QVERIFY(expectedWarningsSeen());
}

void TestPageWindowsEndToEnd::nothingToAskClosesAtOnce_data()
{
    QTest::addColumn<QByteArray>("link");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("killRenderer");
    QTest::addColumn<CloseBy>("how");
    const QString item = QStringLiteral("Item 904 \u2014 Demo Auctions");
    const QString compose = QStringLiteral("Message the seller \u2014 Demo Auctions");
    QTest::newRow("no beforeunload handler, Ctrl+W") << QByteArray("#item") << item << false << CloseBy::CtrlW;
    QTest::newRow("no beforeunload handler, close box") << QByteArray("#item") << item << false << CloseBy::CloseBox;
    QTest::newRow("a handler, nothing typed") << QByteArray("#compose") << compose << false << CloseBy::CtrlW;
    QTest::newRow("the renderer gone") << QByteArray("#compose") << compose << true << CloseBy::CtrlW;
}

void TestPageWindowsEndToEnd::nothingToAskClosesAtOnce()
{
    QFETCH(QByteArray, link);
    QFETCH(QString, title);
    QFETCH(bool, killRenderer);
    QFETCH(CloseBy, how);
    const QPointer<PageWindow> window = openWindow(link.constData(), title);
    QVERIFY(window);
    if (killRenderer) {
        QVERIFY(clickInto(window->pageView()->view(), QStringLiteral("#message")));
        typeText(window, QStringLiteral("Is it still for sale?"));
        QVERIFY(textKept(window));
        const qint64 pid = window->pageView()->page()->renderProcessPid();
        QVERIFY(pid > 0 && pid != auction()->view()->page()->renderProcessPid());
        expectOwnWarning(QRegularExpression(QStringLiteral("render process.*ended")));
        QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(window->pageView()->renderProcessNotice()->isVisible(), engineTimeoutMs);
    }
    answerQuestions(Answer::Stay);
    closeWindow(window, how);
    QTRY_VERIFY_WITH_TIMEOUT(!window, engineTimeoutMs);
    QCOMPARE(modalsAnswered(), 0);
    QVERIFY(m_program->window()->isVisible());
}

void TestPageWindowsEndToEnd::refreshBringsBackAPageWhoseRendererEnded()
{
    PageWindow *window = openWindow("#item", QStringLiteral("Item 904 \u2014 Demo Auctions"));
    QVERIFY(window);
    const qint64 pid = window->pageView()->page()->renderProcessPid();
    QVERIFY(pid > 0 && pid != auction()->view()->page()->renderProcessPid());
    const auto gets = [this] {
        int n = 0;
        for (const LoggedRequest &r : m_program->peers().requests(QStringLiteral("auction")))
            n += r.path == QLatin1String("/itm/904") ? 1 : 0;
        return n;
    };
    const int before = gets();

    expectOwnWarning(QRegularExpression(QStringLiteral("render process.*ended")));
    QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
    QLabel *notice = window->pageView()->renderProcessNotice();
    QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), engineTimeoutMs);
    QVERIFY(notice->text().contains(QStringLiteral("Refresh")));
    QVERIFY(!window->pageView()->view()->isVisible());
    // The main window's pane goes on as it was.
    QVERIFY(!auction()->renderProcessNotice()->isVisible());

    auto *refresh = window->findChild<QAction *>(QStringLiteral("pageRefresh"));
    QVERIFY(refresh);
    QTRY_VERIFY_WITH_TIMEOUT(refresh->isEnabled(), engineTimeoutMs);
    clickOn(window->findChild<QToolBar *>(QStringLiteral("pageToolbar"))->widgetForAction(refresh));
    QTRY_COMPARE_WITH_TIMEOUT(gets(), before + 1, engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!window->pageView()->page()->isLoading(), engineTimeoutMs);
    QVERIFY(window->pageView()->view()->isVisible());
    QVERIFY(!notice->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(window->pageView()->page()->renderProcessPid() > 0, engineTimeoutMs);
    QCOMPARE(evaluate(window->pageView()->page(), QStringLiteral("document.body.innerText")).toString().contains(
                     QStringLiteral("Auction for item 904")),
             true);
    QVERIFY(expectedWarningsSeen());
}

void TestPageWindowsEndToEnd::speakerMutesAPagePlayingSound()
{
    PageWindow *window = openWindow("#alarm", QStringLiteral("Outbid alarm \u2014 Demo Auctions"));
    QVERIFY(window);
    QWebEnginePage *shown = window->pageView()->page();
    QAction *mark = soundMark(window);
    QVERIFY(mark);
    QVERIFY(!mark->isVisible());

    // Rings after the user's click; the speaker shows on the toolbar.
    QVERIFY(clickElementUntil(window->pageView()->view(), QStringLiteral("#ring"),
                              [shown] { return shown->title() == QLatin1String("ringing"); }));
    QTRY_VERIFY_WITH_TIMEOUT(shown->recentlyAudible(), engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(mark->isVisible(), engineTimeoutMs);
    QVERIFY(!mark->isChecked());
    QWidget *button = window->findChild<QToolBar *>(QStringLiteral("pageToolbar"))->widgetForAction(mark);
    QVERIFY(button && button->isVisible());
    const auto shows = [mark](const char *picture) {
        return mark->icon().pixmap(16).toImage() == bundledIcon(picture).pixmap(16).toImage();
    };
    QVERIFY(shows("sound"));

    // A click mutes it, the next lets it be heard again.
    clickOn(button);
    QTRY_VERIFY_WITH_TIMEOUT(shown->isAudioMuted(), engineTimeoutMs);
    QVERIFY(mark->isChecked());
    QVERIFY(shows("muted"));
    QVERIFY(mark->isVisible());
    clickOn(button);
    QTRY_VERIFY_WITH_TIMEOUT(!shown->isAudioMuted(), engineTimeoutMs);
    QVERIFY(!mark->isChecked());
    QVERIFY(shows("sound"));
    // The main window's pane hears nothing of it.
    QVERIFY(!auction()->isAudioMuted());

    // Silent again, it goes.
    QVERIFY(clickElement(window->pageView()->view(), QStringLiteral("#quiet")));
    QTRY_COMPARE_WITH_TIMEOUT(shown->title(), QStringLiteral("quiet"), engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!mark->isVisible(), engineTimeoutMs);
}

BIDWARDEN_ENGINE_TEST_MAIN(TestPageWindowsEndToEnd)
#include "tst_e2e_page_windows.moc"

#include "address_box.h"
#include "dialog_host.h"
#include "engine_suite.h"
#include "find_bar.h"
#include "main_window.h"
#include "set_homepage_dialog.h"
#include "store_password_dialog.h"
#include "user_input.h"
#include "web_engine_pane.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QToolBar>
#include <QWebEngineView>

using namespace bidwarden;
using namespace bidwarden::test;

class TestNavigationEndToEnd : public EngineSuite
{
    Q_OBJECT

private Q_SLOTS:
    void backActsOnlyOnThePaneInFront();
    void browserKeysWorkWithTheFocusInThePage();
    void findBarCountsAndStepsThroughMatches();
    void faqLoadsInTheServicePane();
    void exitLeavesTheHomepageDialogRunning();

private:
    void start() override;
    QAction *action(const char *name) const
    {
        return m_program->window()->findChild<QAction *>(QString::fromLatin1(name));
    }
};

void TestNavigationEndToEnd::start()
{
    QVERIFY(openOnTheStartPage());
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane(),
                                           m_program->peers().serviceUrl() + QStringLiteral("/?source=program")));
}

void TestNavigationEndToEnd::backActsOnlyOnThePaneInFront()
{
    const QString first = m_program->peers().auctionUrl() + QStringLiteral("itm/1?hash=a");
    const QString second = m_program->peers().auctionUrl() + QStringLiteral("itm/2?hash=b");
    QVERIFY(m_program->load(m_program->auctionPane(), first));
    QVERIFY(m_program->load(m_program->auctionPane(), second));
    const QString faq = m_program->peers().serviceUrl() + QStringLiteral("/faq.cfm");
    QVERIFY(m_program->load(m_program->servicePane(), faq));

    // With the auction tab in front, Back moves the auction pane only.
    action("mnuBack")->trigger();
    QVERIFY(m_program->waitForLoadFinished(m_program->auctionPane(), first));
    QCOMPARE(m_program->servicePane()->locationUrl(), faq);
    QCOMPARE(m_program->urlbox()->text(), first);

    // With the service tab in front, the same toolbar place moves the service pane only.
    m_program->window()->selectTab(MainWindow::ServiceTab);
    auto *toolbar = m_program->window()->findChild<QToolBar *>(QStringLiteral("Toolbar2"));
    clickOn(toolbar->widgetForAction(action("mnuBack")));
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane()));
    QVERIFY(m_program->servicePane()->locationUrl() != faq);
    QCOMPARE(m_program->auctionPane()->locationUrl(), first);
}

void TestNavigationEndToEnd::browserKeysWorkWithTheFocusInThePage()
{
    // The page has the keyboard focus, as after a click into it; the
    // browser's keys, pressed on the display's keyboard, still reach the
    // window's commands.
    const QString first = m_program->peers().auctionUrl() + QStringLiteral("itm/1");
    const QString second = m_program->peers().auctionUrl() + QStringLiteral("itm/2");
    QVERIFY(m_program->load(m_program->auctionPane(), first));
    QVERIFY(m_program->load(m_program->auctionPane(), second));
    QVERIFY(m_program->activate());
    QWebEngineView *view = m_program->auctionPane()->view();
    clickOn(view, QPoint(view->width() / 2, view->height() - 10));
    QTRY_VERIFY_WITH_TIMEOUT(pageHasFocus(view), engineTimeoutMs);

    m_program->pressOnTheKeyboard(QStringLiteral("alt+Left"));
    QVERIFY(m_program->waitForLoadFinished(m_program->auctionPane(), first));
    m_program->pressOnTheKeyboard(QStringLiteral("alt+Right"));
    QVERIFY(m_program->waitForLoadFinished(m_program->auctionPane(), second));
    const auto gets = [this] {
        int n = 0;
        for (const LoggedRequest &r : m_program->peers().requests(QStringLiteral("auction")))
            n += r.path == QLatin1String("/itm/2") ? 1 : 0;
        return n;
    };
    const int before = gets();
    m_program->pressOnTheKeyboard(QStringLiteral("F5"));
    QVERIFY(m_program->waitForLoadFinished(m_program->auctionPane(), second));
    QCOMPARE(gets(), before + 1);
    m_program->pressOnTheKeyboard(QStringLiteral("ctrl+plus"));
    QTRY_COMPARE_WITH_TIMEOUT(view->zoomFactor(), 1.1, engineTimeoutMs);
    m_program->pressOnTheKeyboard(QStringLiteral("ctrl+0"));
    QTRY_COMPARE_WITH_TIMEOUT(view->zoomFactor(), 1.0, engineTimeoutMs);

    // The tab keys, from either pane, with the focus in the page or in the
    // window's own controls: each switches to the other tab.
    MainWindow *window = m_program->window();
    for (const char *keys : { "ctrl+Tab", "ctrl+shift+Tab", "ctrl+Next", "ctrl+Prior" }) {
        for (const MainWindow::Tab from : { MainWindow::AuctionTab, MainWindow::ServiceTab }) {
            for (const bool inThePage : { true, false }) {
                window->selectTab(from);
                BrowserPane *pane = from == MainWindow::AuctionTab ? m_program->auctionPane() : m_program->servicePane();
                QWidget *control = from == MainWindow::AuctionTab ? static_cast<QWidget *>(m_program->urlbox()->lineEdit())
                                                                  : window->findChild<QWidget *>(QStringLiteral("TabStrip1"));
                if (inThePage) {
                    QWebEngineView *shown = static_cast<WebEnginePane *>(pane)->view();
                    clickOn(shown, QPoint(shown->width() / 2, shown->height() - 10));
                    QTRY_VERIFY_WITH_TIMEOUT(pageHasFocus(shown), engineTimeoutMs);
                } else {
                    control->setFocus();
                    QTRY_VERIFY(control->hasFocus());
                }
                m_program->pressOnTheKeyboard(QString::fromLatin1(keys));
                const MainWindow::Tab other = from == MainWindow::AuctionTab ? MainWindow::ServiceTab : MainWindow::AuctionTab;
                QTRY_COMPARE_WITH_TIMEOUT(window->currentTab(), other, engineTimeoutMs);
            }
        }
    }
    window->selectTab(MainWindow::AuctionTab);

    m_program->pressOnTheKeyboard(QStringLiteral("ctrl+l"));
    QTRY_VERIFY_WITH_TIMEOUT(m_program->urlbox()->lineEdit()->hasFocus(), engineTimeoutMs);
    QCOMPARE(m_program->urlbox()->lineEdit()->selectedText(), second);
}

void TestNavigationEndToEnd::findBarCountsAndStepsThroughMatches()
{
    // On the auction site's home page, with the focus in the page.
    WebEnginePane *pane = m_program->auctionPane();
    QVERIFY(m_program->activate());
    QWebEngineView *view = pane->view();
    clickOn(view, QPoint(view->width() / 2, view->height() - 10));
    QTRY_VERIFY_WITH_TIMEOUT(pageHasFocus(view), engineTimeoutMs);
    const int items = int(ProgramUnderTest::pageText(pane).count(QStringLiteral("item"), Qt::CaseInsensitive));
    QVERIFY(items >= 3);
    const QString of = QStringLiteral(" of %1").arg(items);

    m_program->press(Qt::Key_F, Qt::ControlModifier);
    FindBar *bar = pane->findBar();
    QVERIFY(bar->isVisible());
    auto *text = bar->findChild<QLineEdit *>(QStringLiteral("findText"));
    auto *matches = bar->findChild<QLabel *>(QStringLiteral("findMatches"));
    QVERIFY(text->hasFocus());
    m_program->type(QStringLiteral("item"));
    QTRY_COMPARE_WITH_TIMEOUT(matches->text(), QStringLiteral("1") + of, engineTimeoutMs);
    m_program->press(Qt::Key_F3);
    QTRY_COMPARE_WITH_TIMEOUT(matches->text(), QStringLiteral("2") + of, engineTimeoutMs);
    m_program->press(Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(matches->text(), QStringLiteral("3") + of, engineTimeoutMs);
    m_program->press(Qt::Key_F3, Qt::ShiftModifier);
    QTRY_COMPARE_WITH_TIMEOUT(matches->text(), QStringLiteral("2") + of, engineTimeoutMs);
    m_program->type(QStringLiteral("zz"));
    QTRY_COMPARE_WITH_TIMEOUT(matches->text(), QStringLiteral("No matches"), engineTimeoutMs);

    // Esc closes the bar and gives the page the focus back; the page stays.
    m_program->press(Qt::Key_Escape);
    QVERIFY(bar->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(pageHasFocus(view), engineTimeoutMs);
    QCOMPARE(pane->locationUrl(), m_program->peers().auctionUrl());

    // From the service tab, the service pane's own bar.
    m_program->window()->selectTab(MainWindow::ServiceTab);
    m_program->press(Qt::Key_F, Qt::ControlModifier);
    QVERIFY(m_program->servicePane()->findBar()->isVisible());
    QVERIFY(bar->isHidden());
}

void TestNavigationEndToEnd::faqLoadsInTheServicePane()
{
    action("mnuBidwardenHomepage")->trigger();
    QCOMPARE(m_program->window()->currentTab(), MainWindow::ServiceTab);
    const QString faq = m_program->peers().serviceUrl() + QStringLiteral("/faq.cfm");
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane(), faq));
    QVERIFY(m_program->peers().hasRequest(QStringLiteral("service"), QStringLiteral("GET"), QStringLiteral("/faq.cfm")));
}

void TestNavigationEndToEnd::exitLeavesTheHomepageDialogRunning()
{
    const auto openWindows = [] {
        int open = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            open += w->isVisible() && !w->inherits("QMenu") ? 1 : 0;
        return open;
    };
    action("mnuSetEbayHomepage")->trigger();
    action("mnuBidwardenPassword")->trigger();
    QPointer<SetHomepageDialog> homepage = m_program->window()->dialogs()->setHomepageDialog();
    QPointer<StorePasswordDialog> password = m_program->window()->dialogs()->storePasswordDialog();
    QVERIFY(homepage && password);

    action("mnuExit")->trigger();
    QTRY_VERIFY(!m_program->window()->isVisible());
    QTRY_VERIFY(!password || !password->isVisible());
    QVERIFY(homepage && homepage->isVisible());
    // The dialog is the one window left, so the program keeps running.
    QCOMPARE(openWindows(), 1);

    homepage->close();
    QTRY_COMPARE(openWindows(), 0);
}

BIDWARDEN_ENGINE_TEST_MAIN(TestNavigationEndToEnd)
#include "tst_e2e_navigation.moc"

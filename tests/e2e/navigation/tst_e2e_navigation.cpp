#include "address_box.h"
#include "dialog_host.h"
#include "e2e_fixture.h"
#include "main_window.h"
#include "set_homepage_dialog.h"
#include "store_password_dialog.h"
#include "web_engine_pane.h"

#include <QAction>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace bidwarden;
using namespace bidwarden::test;

class TestNavigationEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_program.reset(); }

    void backActsOnlyOnThePaneInFront();
    void faqLoadsInTheServicePane();
    void typedAddressIsListedTwice();
    void exitLeavesTheHomepageDialogRunning();

private:
    QAction *action(const char *name) const
    {
        return m_program->window()->findChild<QAction *>(QString::fromLatin1(name));
    }

    std::unique_ptr<ProgramUnderTest> m_program;
};

void TestNavigationEndToEnd::init()
{
    m_program = std::make_unique<ProgramUnderTest>();
    QVERIFY(m_program->startPeers());
    m_program->open();
    QVERIFY(m_program->waitForStartPage());
}

void TestNavigationEndToEnd::backActsOnlyOnThePaneInFront()
{
    const QString first = m_program->peers().auctionUrl() + QStringLiteral("itm/1?hash=a");
    const QString second = m_program->peers().auctionUrl() + QStringLiteral("itm/2?hash=b");
    for (const QString &address : { first, second }) {
        QSignalSpy documents(m_program->auctionPane(), &BrowserPane::documentCompleted);
        m_program->auctionPane()->navigate(address);
        QTRY_VERIFY_WITH_TIMEOUT(documents.count() >= 1, 30000);
    }
    QSignalSpy serviceDocuments(m_program->servicePane(), &BrowserPane::documentCompleted);
    m_program->servicePane()->navigate(m_program->peers().serviceUrl() + QStringLiteral("/faq.cfm"));
    QTRY_VERIFY_WITH_TIMEOUT(serviceDocuments.count() >= 1, 30000);
    const QString serviceBefore = m_program->servicePane()->locationUrl();

    // With the auction tab in front, Back moves the auction pane only.
    action("mnuBack")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(m_program->auctionPane()->locationUrl(), first, 30000);
    QCOMPARE(m_program->servicePane()->locationUrl(), serviceBefore);
    QTRY_COMPARE_WITH_TIMEOUT(m_program->urlbox()->text(), first, 30000);

    // With the service tab in front, it moves the service pane only.
    m_program->window()->selectTab(MainWindow::ServiceTab);
    action("mnuBack")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(m_program->servicePane()->locationUrl() != serviceBefore, 30000);
    QCOMPARE(m_program->auctionPane()->locationUrl(), first);
}

void TestNavigationEndToEnd::faqLoadsInTheServicePane()
{
    QSignalSpy documents(m_program->servicePane(), &BrowserPane::documentCompleted);
    action("mnuBidwardenHomepage")->trigger();
    QCOMPARE(m_program->window()->currentTab(), MainWindow::ServiceTab);
    QTRY_COMPARE_WITH_TIMEOUT(m_program->servicePane()->locationUrl(),
                              m_program->peers().serviceUrl() + QStringLiteral("/faq.cfm"), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(m_program->peers().hasRequest(QStringLiteral("service"), QStringLiteral("GET"),
                                                            QStringLiteral("/faq.cfm")),
                             30000);
}

void TestNavigationEndToEnd::typedAddressIsListedTwice()
{
    AddressBox *box = m_program->urlbox();
    const QString address = m_program->peers().auctionUrl() + QStringLiteral("itm/77?hash=zz&var=1");
    const qsizetype before = box->addresses().size();
    QVERIFY(QTest::qWaitForWindowActive(m_program->window()));
    box->lineEdit()->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), address);
    QCOMPARE(box->text(), address);

    QSignalSpy documents(m_program->auctionPane(), &BrowserPane::documentCompleted);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(documents.count() >= 1, 30000);
    QCOMPARE(m_program->auctionPane()->locationUrl(), address);
    QCOMPARE(box->addresses().mid(before), QStringList({ address, address }));
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

// The address box as a user drives it, with real keys through the window,
// against the real engine and the demo auction site.
#include "address_box.h"
#include "engine_suite.h"
#include "main_window.h"
#include "user_input.h"
#include "web_engine_pane.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace bidwarden;
using namespace bidwarden::test;

class TestAddressBoxEndToEnd : public EngineSuite
{
    Q_OBJECT

private Q_SLOTS:
    void enterLoadsTheTypedAddress();
    void completionFollowsTheKeys();
    void chosenEntryIsSniped();
    void loadedPageKeepsItsOwnAddress();
    void encodedAddressIsSnipedAsLoaded();

private:
    void start() override;
    QList<LoggedRequest> snipes() const { return m_program->peers().posts(QStringLiteral("/cl/SUpdate.cfm")); }
};

void TestAddressBoxEndToEnd::start()
{
    QVERIFY(openOnTheStartPage());
    QVERIFY(m_program->activate());
}

void TestAddressBoxEndToEnd::enterLoadsTheTypedAddress()
{
    AddressBox *box = m_program->urlbox();
    const QString address = m_program->peers().auctionUrl() + QStringLiteral("itm/77?hash=zz&var=1");
    const qsizetype before = box->addresses().size();
    m_program->typeIntoTheAddressBox(address);
    QCOMPARE(box->text(), address);
    m_program->press(Qt::Key_Return);
    QVERIFY(m_program->waitForLoadFinished(m_program->auctionPane(), address));
    QVERIFY(m_program->peers().hasRequest(QStringLiteral("auction"), QStringLiteral("GET"),
                                          QStringLiteral("/itm/77?hash=zz&var=1")));
    // As typed, and as the page reported it once loaded.
    QCOMPARE(box->addresses().mid(before), QStringList({ address, address }));
}

void TestAddressBoxEndToEnd::completionFollowsTheKeys()
{
    AddressBox *box = m_program->urlbox();
    const QString item = m_program->peers().auctionUrl() + QStringLiteral("itm/123?hash=abc&var=2");
    QVERIFY(m_program->load(m_program->auctionPane(), item));

    // Six characters never complete; the seventh does, to the latest entry,
    // and only what it added is selected.
    m_program->typeIntoTheAddressBox(QStringLiteral("http:/"));
    QCOMPARE(box->text(), QStringLiteral("http:/"));
    m_program->type(QStringLiteral("/"));
    QCOMPARE(box->text(), item);
    QCOMPARE(box->lineEdit()->selectedText(), item.mid(7));
    // The next key replaces only the completed part, and completes again.
    m_program->type(item.mid(7, 1));
    QCOMPARE(box->text(), item);
    QCOMPARE(box->lineEdit()->selectedText(), item.mid(8));
    // Backspace takes the completion away, and it stays away.
    m_program->press(Qt::Key_Backspace);
    QCOMPARE(box->text(), item.left(8));
    m_program->press(Qt::Key_Backspace);
    QCOMPARE(box->text(), item.left(7));
    // Case matters.
    m_program->typeIntoTheAddressBox(item.left(8).toUpper());
    QCOMPARE(box->text(), item.left(8).toUpper());
    // Enter loads what the box holds.
    m_program->typeIntoTheAddressBox(item.left(10));
    QCOMPARE(box->text(), item);
    m_program->press(Qt::Key_Return);
    QVERIFY(m_program->waitForLoadFinished(m_program->auctionPane(), item));
}

void TestAddressBoxEndToEnd::chosenEntryIsSniped()
{
    AddressBox *box = m_program->urlbox();
    DemoPeers &peers = m_program->peers();
    const QString first = peers.auctionUrl() + QStringLiteral("itm/1");
    QVERIFY(m_program->load(m_program->auctionPane(), first));
    QVERIFY(m_program->load(m_program->auctionPane(), peers.auctionUrl() + QStringLiteral("itm/2")));
    const qsizetype requests = peers.requests(QStringLiteral("auction")).size();

    clickOn(box->lineEdit());
    m_program->press(Qt::Key_F4);
    QWidget *list = QApplication::activePopupWidget();
    QVERIFY(list);
    // The list: the home page, item 1, item 2; it opens at the entry shown.
    pressKey(list, Qt::Key_Up);
    pressKey(list, Qt::Key_Return);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(box->text(), first);
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(snipes().size(), 1, engineTimeoutMs);
    QCOMPARE(snipes().first().body, snipePostBody(first));
    // Choosing loads nothing.
    QCOMPARE(peers.requests(QStringLiteral("auction")).size(), requests);
}

void TestAddressBoxEndToEnd::loadedPageKeepsItsOwnAddress()
{
    DemoPeers &peers = m_program->peers();
    const QString longer = peers.auctionUrl() + QStringLiteral("itm/5?hash=x");
    const QString page = peers.auctionUrl() + QStringLiteral("itm/5");
    QVERIFY(m_program->load(m_program->auctionPane(), longer));
    QVERIFY(m_program->load(m_program->auctionPane(), page));
    QCOMPARE(m_program->urlbox()->text(), page);
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(snipes().size(), 1, engineTimeoutMs);
    QCOMPARE(snipes().first().body, snipePostBody(page));
}

void TestAddressBoxEndToEnd::encodedAddressIsSnipedAsLoaded()
{
    // The site's own address, byte for byte: decoding it would turn %20 into
    // a space and %C5%82 into a character the service cannot take.
    const QString item = m_program->peers().auctionUrl()
            + QStringLiteral("itm/Zegarek-%C5%82adny%20nowy/123?_nkw=red%20shoes&q=a%26b");
    QVERIFY(m_program->load(m_program->auctionPane(), item));
    QCOMPARE(m_program->urlbox()->text(), item);
    QCOMPARE(m_program->pageStatus(), QStringLiteral("Document Finished."));
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(snipes().size(), 1, engineTimeoutMs);
    QCOMPARE(snipes().first().body, snipePostBody(item));
    QVERIFY(snipes().first().body.contains("%25C5%2582adny%2520nowy"));
}

BIDWARDEN_ENGINE_TEST_MAIN(TestAddressBoxEndToEnd)
#include "tst_e2e_address_box.moc"

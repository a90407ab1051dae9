#include "credentials.h"
#include "fake_pane.h"
#include "resend_question.h"
#include "service_session.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

const QString serviceBase = QStringLiteral("http://service.test");
const QString loginUrl = QStringLiteral("http://service.test/cl/logincheck.cfm");
const QString snipeUrl = QStringLiteral("http://service.test/cl/SUpdate.cfm");
const QByteArray item5 = "AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F5";

// The session on a fake service pane, with credentials stored in a folder
// of its own.
struct Session
{
    void storeCredentials(const QString &user, const QString &password)
    {
        QVERIFY(bidwarden::storeCredentials(file(), { user, password }, {}).ok());
    }
    QString file() const { return dir.filePath(QStringLiteral("pd1.txt")); }
    void logIn() { session.logInWithStoredCredentials(file()); }
    QByteArray lastBody() const { return pane.posts.isEmpty() ? QByteArray() : pane.posts.constLast().postData; }

    QTemporaryDir dir;
    FakePane pane;
    ServiceSession session{ &pane, serviceBase };
};

} // namespace

class TestServiceSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loginPostsStoredCredentials_data();
    void loginPostsStoredCredentials();
    void snipePostsTheAddress_data();
    void snipePostsTheAddress();
    void snipeDuringTheLoginWaitsForItsAnswer_data();
    void snipeDuringTheLoginWaitsForItsAnswer();
    void unansweredLoginGoesAgain_data();
    void unansweredLoginGoesAgain();
    void keptSnipeGoesOnceTheServiceAnswers_data();
    void keptSnipeGoesOnceTheServiceAnswers();
    void keptSnipesGoInOrderEachAfterTheLastAnswer();
    void whatMayHaveArrivedIsNeverSentAgain_data();
    void whatMayHaveArrivedIsNeverSentAgain();
    void retryDelayGrowsToAMinute_data();
    void retryDelayGrowsToAMinute();
    void resendQuestionNamesTheForm_data();
    void resendQuestionNamesTheForm();
};

void TestServiceSession::loginPostsStoredCredentials_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file at all
    QTest::addColumn<QByteArray>("body"); // empty: nothing is posted
    // 0xB2 is the scrambling byte: "jo smith,p&q," scrambled, then CR LF.
    QByteArray stored;
    for (const char c : QByteArray("jo smith,p&q,"))
        stored += char(c ^ 0xB2);
    QTest::newRow("as the dialog stores it") << stored + "\r\n" << QByteArray("UserLogin=jo+smith&UserPassword=p%26q");
    // Without its last comma, as a hand-edited file may be: the line end is
    // not part of the password.
    QTest::newRow("without the final comma") << stored.chopped(1) + "\r\n"
                                             << QByteArray("UserLogin=jo+smith&UserPassword=p%26q");
    QByteArray signs;
    for (const char c : QByteArray("jo,+%,"))
        signs += char(c ^ 0xB2);
    QTest::newRow("plus and percent signs") << signs + "\r\n" << QByteArray("UserLogin=jo&UserPassword=%2B%25");
    QTest::newRow("empty file: empty values") << QByteArray("") << QByteArray("UserLogin=&UserPassword=");
    QTest::newRow("unreadable file: empty values") << QByteArray() << QByteArray("UserLogin=&UserPassword=");
    // A user name too long for the service is not posted cut short.
    QByteArray tooLong;
    for (const char c : QByteArray(40000, 'u') + ",pw,")
        tooLong += char(c ^ 0xB2);
    QTest::newRow("too long to send") << tooLong + "\r\n" << QByteArray();
}

void TestServiceSession::loginPostsStoredCredentials()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, body);
    Session s;
    if (!file.isNull()) {
        QFile f(s.file());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
    }
    s.session.openStartPage();
    s.logIn();
    QStringList calls{ QStringLiteral("navigate http://service.test/?source=program") };
    if (!body.isEmpty())
        calls << QStringLiteral("post ") + loginUrl;
    QCOMPARE(s.pane.calls, calls);
    QCOMPARE(s.lastBody(), body);
    if (!body.isEmpty())
        QCOMPARE(s.pane.posts.at(0).headerLines, QByteArray("Content-Type: application/x-www-form-urlencoded\r\n"));
    QCOMPARE(s.session.loginPending(), !body.isEmpty());
}

void TestServiceSession::snipePostsTheAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("body");    // empty: refused
    QTest::addColumn<QString>("refusalSays"); // part of the refusal's text

    QTest::newRow("query kept whole") << QStringLiteral("http://auction.test/itm/9?hash=abc&var=2")
                                      << QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F9%3Fhash%3Dabc%26var%3D2")
                                      << QString();
    QTest::newRow("typed text") << QStringLiteral("typed auction") << QByteArray("AuctionURL=typed+auction") << QString();
    QTest::newRow("typed text with a comma") << QStringLiteral("typed, not entered")
                                             << QByteArray("AuctionURL=typed%2C+not+entered") << QString();
    QTest::newRow("outside the code page") << QStringLiteral("http://auction.test/\u2603") << QByteArray()
                                           << QStringLiteral("\u2603");
    QTest::newRow("too long") << QString(40000, QLatin1Char('a')) << QByteArray() << QStringLiteral("too long");
}

void TestServiceSession::snipePostsTheAddress()
{
    QFETCH(QString, address);
    QFETCH(QByteArray, body);
    QFETCH(QString, refusalSays);
    Session s;
    const std::optional<QString> refusal = s.session.snipe(address);
    if (body.isEmpty()) {
        QVERIFY(refusal);
        QVERIFY2(refusal->contains(refusalSays), qPrintable(*refusal));
        QVERIFY(s.pane.posts.isEmpty());
        return;
    }
    QVERIFY(!refusal);
    QCOMPARE(s.pane.posts.size(), 1);
    QCOMPARE(s.pane.posts.at(0).url, QUrl(snipeUrl));
    QCOMPARE(s.lastBody(), body);
}

void TestServiceSession::snipeDuringTheLoginWaitsForItsAnswer_data()
{
    QTest::addColumn<bool>("loginAnswered"); // else the login's load fails
    QTest::newRow("login answered") << true;
    QTest::newRow("login failed") << false;
}

void TestServiceSession::snipeDuringTheLoginWaitsForItsAnswer()
{
    // A snipe made before the login's answer must neither cancel the login
    // nor be cancelled by it: it goes out after the answer.
    QFETCH(bool, loginAnswered);
    Session s;
    s.storeCredentials(QStringLiteral("jo"), QStringLiteral("pw"));
    s.logIn();
    QCOMPARE(s.pane.posts.size(), 1);
    QVERIFY(!s.session.snipe(QStringLiteral("http://auction.test/itm/1")));
    // A second one waits too, behind the first: neither is lost.
    QVERIFY(!s.session.snipe(QStringLiteral("http://auction.test/itm/2")));
    QCOMPARE(s.pane.posts.size(), 1);
    QCOMPARE(s.session.keptSnipeCount(), 2);

    s.pane.startLoad();
    if (loginAnswered) {
        s.pane.commit(loginUrl, QStringLiteral("Logged in"));
        QCOMPARE(s.pane.posts.size(), 1); // the answer is in, its load is not over
    }
    s.pane.finishLoad(loginAnswered);
    QCOMPARE(s.pane.posts.size(), 2);
    QCOMPARE(s.lastBody(), QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F1"));
    s.pane.completeLoad(snipeUrl, QStringLiteral("Snipe list"));
    QCOMPARE(s.pane.posts.size(), 3);
    QCOMPARE(s.lastBody(), QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F2"));
    s.pane.completeLoad(snipeUrl, QStringLiteral("Snipe list"));
    QCOMPARE(s.session.keptSnipeCount(), 0);

    // Once they are out, snipes go at once again, each replacing the last
    // one's load as a new request does in a browser.
    QVERIFY(!s.session.snipe(QStringLiteral("http://auction.test/itm/3")));
    QVERIFY(!s.session.snipe(QStringLiteral("http://auction.test/itm/4")));
    QCOMPARE(s.pane.posts.size(), 5);
}

void TestServiceSession::unansweredLoginGoesAgain_data()
{
    // How the user goes on after a login that failed; whether any answer came.
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("answered");
    for (const char *how : { "snipe", "service brought up", "service page" }) {
        QTest::addRow("%s after no answer", how) << QString::fromLatin1(how) << false;
        QTest::addRow("%s after an error page", how) << QString::fromLatin1(how) << true;
    }
}

void TestServiceSession::unansweredLoginGoesAgain()
{
    // A login the service never got (refused at start-up) goes again before
    // the next snipe or page of the service, which wait for its answer; one
    // the service answered, even with an error, is not sent twice.
    QFETCH(QString, how);
    QFETCH(bool, answered);
    Session s;
    s.storeCredentials(QStringLiteral("jo"), QStringLiteral("pw"));
    s.logIn();
    const QByteArray login = s.lastBody();
    s.pane.startLoad();
    if (answered) {
        s.pane.commit(loginUrl, QStringLiteral("Server error"));
        s.pane.finishLoad(false);
    } else {
        s.pane.failUnanswered();
    }
    QCOMPARE(s.pane.posts.size(), 1); // nothing goes by itself

    const bool snipes = how == QLatin1String("snipe");
    const bool showsPage = how == QLatin1String("service page");
    const auto act = [&] {
        if (snipes)
            QVERIFY(!s.session.snipe(QStringLiteral("http://auction.test/itm/5")));
        else if (showsPage)
            s.session.showPage(serviceBase);
        else
            s.session.serviceBroughtUp();
    };
    const auto askedForIsSent = [&] {
        if (snipes)
            return s.lastBody() == item5;
        if (showsPage)
            return !s.pane.navigations.isEmpty() && s.pane.navigations.constLast() == serviceBase;
        return true;
    };
    act();
    if (answered) {
        QCOMPARE(s.pane.posts.size(), snipes ? 2 : 1);
        QVERIFY(askedForIsSent());
        return;
    }
    QCOMPARE(s.pane.posts.size(), 2);
    QCOMPARE(s.pane.posts.at(1).postData, login);
    // What the user asked for waits for the login's answer.
    QVERIFY(!askedForIsSent() || how == QLatin1String("service brought up"));
    s.pane.completeLoad(loginUrl, QStringLiteral("Logged in"));
    QVERIFY(askedForIsSent());
    QCOMPARE(s.pane.posts.size(), snipes ? 3 : 2);

    // Sent and answered: bringing up the service again sends nothing more.
    s.session.serviceBroughtUp();
    QCOMPARE(s.pane.posts.size(), snipes ? 3 : 2);
}

void TestServiceSession::keptSnipeGoesOnceTheServiceAnswers_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("byUser");
    QTest::newRow("the user does nothing") << QStringLiteral("timer") << false;
    QTest::newRow("the user brings the service up") << QStringLiteral("service") << true;
    QTest::newRow("the user makes another snipe") << QStringLiteral("snipe") << true;
}

void TestServiceSession::keptSnipeGoesOnceTheServiceAnswers()
{
    // Refused, the snipe cannot have reached the service: it is kept and
    // goes again, with exactly the bytes it had, until the service answers;
    // then never again.
    QFETCH(QString, how);
    QFETCH(bool, byUser);
    Session s;
    const std::chrono::milliseconds delay(how == QLatin1String("timer") ? 10 : 3600000);
    s.session.setRetryDelay([delay](int) { return delay; });
    QSignalSpy kept(&s.session, &ServiceSession::snipeKept);
    QSignalSpy sent(&s.session, &ServiceSession::keptSnipeSent);
    QVERIFY(!s.session.snipe(QStringLiteral("http://auction.test/itm/5")));
    const FakePane::Post first = s.pane.posts.constLast();
    s.pane.startLoad();
    s.pane.failUnanswered();
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept.at(0).at(0).toString(), QStringLiteral("http://auction.test/itm/5"));
    QCOMPARE(s.session.keptSnipeCount(), 1);
    QTest::qWait(30);
    QCOMPARE(s.pane.posts.size(), how == QLatin1String("timer") ? 2 : 1);

    if (how == QLatin1String("service"))
        s.session.serviceBroughtUp();
    else if (how == QLatin1String("snipe"))
        QVERIFY(!s.session.snipe(QStringLiteral("http://auction.test/itm/6")));
    QCOMPARE(s.pane.posts.size(), 2);
    QCOMPARE(s.pane.posts.at(1).url, first.url);
    QCOMPARE(s.pane.posts.at(1).postData, first.postData);
    QCOMPARE(s.pane.posts.at(1).headerLines, first.headerLines);
    s.pane.completeLoad(snipeUrl, QStringLiteral("Snipe list"));
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.at(0).at(0).toString(), QStringLiteral("http://auction.test/itm/5"));
    QCOMPARE(sent.at(0).at(1).toBool(), byUser);

    // The other snipe went after the kept one's answer; nothing more goes.
    const int posts = how == QLatin1String("snipe") ? 3 : 2;
    QCOMPARE(s.pane.posts.size(), posts);
    if (how == QLatin1String("snipe")) {
        QCOMPARE(s.lastBody(), QByteArray("AuctionURL=http%3A%2F%2Fauction.test%2Fitm%2F6"));
        s.pane.completeLoad(snipeUrl, QStringLiteral("Snipe list"));
    }
    QCOMPARE(s.session.keptSnipeCount(), 0);
    s.session.serviceBroughtUp();
    QTest::qWait(30);
    QCOMPARE(s.pane.posts.size(), posts);
}

void TestServiceSession::keptSnipesGoInOrderEachAfterTheLastAnswer()
{
    Session s;
    s.session.setRetryDelay([](int) { return std::chrono::milliseconds(10); });
    QVERIFY(!s.session.snipe(QStringLiteral("http://auction.test/itm/1")));
    s.pane.startLoad();
    s.pane.failUnanswered();
    // The second goes behind the first, which is tried again at once.
    QVERIFY(!s.session.snipe(QStringLiteral("http://auction.test/itm/2")));
    QCOMPARE(s.session.keptSnipeCount(), 2);
    QCOMPARE(s.pane.posts.size(), 2);
    s.pane.startLoad();
    s.pane.failUnanswered();
    QCOMPARE(s.pane.posts.size(), 2);
    // The timer tries again: the first, then after its answer the second.
    QTRY_COMPARE(s.pane.posts.size(), 3);
    s.pane.completeLoad(snipeUrl, QStringLiteral("Snipe list"));
    QCOMPARE(s.pane.posts.size(), 4);
    s.pane.completeLoad(snipeUrl, QStringLiteral("Snipe list"));
    QStringList bodies;
    for (const FakePane::Post &post : std::as_const(s.pane.posts))
        bodies << QString::fromLatin1(post.postData).section(QLatin1String("%2F"), -1);
    QCOMPARE(bodies, QStringList({ "1", "1", "1", "2" }));
    QCOMPARE(s.session.keptSnipeCount(), 0);
}

void TestServiceSession::whatMayHaveArrivedIsNeverSentAgain_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("timed out once sent") << QStringLiteral("timed out");
    QTest::newRow("the service's error page") << QStringLiteral("error page");
    QTest::newRow("replaced by the next snipe") << QStringLiteral("replaced");
}

void TestServiceSession::whatMayHaveArrivedIsNeverSentAgain()
{
    QFETCH(QString, end);
    Session s;
    s.session.setRetryDelay([](int) { return std::chrono::milliseconds(10); });
    QSignalSpy kept(&s.session, &ServiceSession::snipeKept);
    QVERIFY(!s.session.snipe(QStringLiteral("http://auction.test/itm/1")));
    s.pane.startLoad();
    if (end == QLatin1String("timed out")) {
        s.pane.failUnanswered(true);
    } else if (end == QLatin1String("error page")) {
        s.pane.commit(snipeUrl, QStringLiteral("Server error"));
        s.pane.finishLoad(false);
    } else {
        QVERIFY(!s.session.snipe(QStringLiteral("http://auction.test/itm/2")));
        s.pane.completeLoad(snipeUrl, QStringLiteral("Snipe list"));
    }
    const int posts = int(s.pane.posts.size());
    s.session.serviceBroughtUp();
    QTest::qWait(30);
    QCOMPARE(s.pane.posts.size(), posts);
    QVERIFY(kept.isEmpty());
    QCOMPARE(s.session.keptSnipeCount(), 0);
}

void TestServiceSession::retryDelayGrowsToAMinute_data()
{
    QTest::addColumn<int>("failedTries");
    QTest::addColumn<int>("seconds");
    QTest::newRow("first failure") << 1 << 5;
    QTest::newRow("second") << 2 << 10;
    QTest::newRow("fourth") << 4 << 40;
    QTest::newRow("fifth: a minute at most") << 5 << 60;
    QTest::newRow("many") << 1000 << 60;
}

void TestServiceSession::retryDelayGrowsToAMinute()
{
    QFETCH(int, failedTries);
    QFETCH(int, seconds);
    QCOMPARE(retryDelay(failedTries), std::chrono::milliseconds(seconds * 1000));
}

void TestServiceSession::resendQuestionNamesTheForm_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("named");

    QTest::newRow("the login's answer") << loginUrl << QStringLiteral("Send the login again?");
    QTest::newRow("a snipe's answer") << snipeUrl << QStringLiteral("Send the snipe again?");
    QTest::newRow("the service's own form") << QStringLiteral("http://service.test/cl/account.cfm")
                                            << QStringLiteral("a form of the page's own");
    QTest::newRow("another site at the same path") << QStringLiteral("http://other.test/cl/SUpdate.cfm")
                                                   << QStringLiteral("a form of the page's own");
}

void TestServiceSession::resendQuestionNamesTheForm()
{
    QFETCH(QString, page);
    QFETCH(QString, named);
    const QString question = resendQuestionText(sentFormAnswered(page, serviceBase));
    QVERIFY2(question.contains(named), qPrintable(question));
}

QTEST_MAIN(TestServiceSession)
#include "tst_service_session.moc"

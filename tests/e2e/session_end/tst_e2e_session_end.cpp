// The real program, ended by a signal as the desktop session ends it: what a
// site stored a moment before is there at the next start.
#include "demo_peers.h"
#include "e2e_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace bidwarden::test;

namespace {

const QString stayPage = QStringLiteral("/stay-signed-in.html");
const QByteArray stayCookie = "BWSTAY=signed-in";

bool sendsTheCookie(const LoggedRequest &request)
{
    return request.header("cookie").remove(QLatin1Char(' ')).toLatin1().split(';').contains(stayCookie);
}

} // namespace

class TestE2eSessionEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void siteDataOutlivesTheSignal_data();
    void siteDataOutlivesTheSignal();

private:
    // Starts the program from its folder with the home folder given, as the
    // desktop starts it.
    bool start(QProcess &program, const QString &folder, const QString &home);
    // Sends the signal and waits for the program to end as Exit ends it.
    void end(QProcess &program, int number);
};

bool TestE2eSessionEnd::start(QProcess &program, const QString &folder, const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    for (const char *name : { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME" })
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(folder + QStringLiteral("/bidwarden"), {});
    return program.waitForStarted(engineTimeoutMs);
}

void TestE2eSessionEnd::end(QProcess &program, int number)
{
    QVERIFY(::kill(pid_t(program.processId()), number) == 0);
    QVERIFY2(program.waitForFinished(engineTimeoutMs), "the program did not end on the signal");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void TestE2eSessionEnd::siteDataOutlivesTheSignal_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("the session ends (SIGTERM)") << int(SIGTERM);
    QTest::newRow("the terminal closes (SIGHUP)") << int(SIGHUP);
    QTest::newRow("Ctrl+C (SIGINT)") << int(SIGINT);
}

void TestE2eSessionEnd::siteDataOutlivesTheSignal()
{
    QFETCH(int, number);
    DemoPeers peers;
    QVERIFY(peers.start());

    // A program folder of its own, whose home page is the site's page that
    // keeps the user signed in; the engine's profile in a home of its own.
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("program"));
    const QString home = dir.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(home));
    QVERIFY(QFile::copy(QStringLiteral(BIDWARDEN_PROGRAM), folder + QStringLiteral("/bidwarden")));
    QFile homepage(folder + QStringLiteral("/homepage.txt"));
    QVERIFY(homepage.open(QIODevice::WriteOnly));
    homepage.write((peers.auctionUrl() + stayPage.mid(1)).toLatin1() + "\r\n");
    homepage.close();

    const auto requestsFor = [&peers](const QString &path) {
        QList<LoggedRequest> found;
        for (const LoggedRequest &request : peers.requests(QStringLiteral("auction"))) {
            if (request.path == path)
                found.append(request);
        }
        return found;
    };

    QProcess first;
    QVERIFY(start(first, folder, home));
    // The picture is asked for after the page, and so its cookie, arrived.
    QTRY_VERIFY_WITH_TIMEOUT(!requestsFor(QStringLiteral("/pixel.gif")).isEmpty(), engineTimeoutMs);
    QVERIFY(!sendsTheCookie(requestsFor(stayPage).constFirst()));
    // A second later: long before the engine would write its cookies by itself.
    QTest::qWait(1000);
    end(first, number);

    QProcess second;
    QVERIFY(start(second, folder, home));
    QTRY_VERIFY_WITH_TIMEOUT(requestsFor(stayPage).size() == 2, engineTimeoutMs);
    QVERIFY2(sendsTheCookie(requestsFor(stayPage).at(1)),
             qPrintable(QStringLiteral("the next start sent: ") + requestsFor(stayPage).at(1).header("cookie")));
    end(second, SIGTERM);
}

QTEST_GUILESS_MAIN(TestE2eSessionEnd)
#include "tst_e2e_session_end.moc"

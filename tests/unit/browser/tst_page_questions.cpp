#include "authentication_dialog.h"
#include "automatic_downloads.h"
#include "other_programs.h"
#include "permission_answers.h"
#include "permission_bar.h"
#include "shown_host.h"
#include "user_input.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>

using namespace bidwarden;
using namespace bidwarden::test;

Q_DECLARE_METATYPE(bidwarden::DownloadVerdict)

class TestPageQuestions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void questions_data();
    void questions();
    void hostsAreShownAsTheEngineResolvesThem_data();
    void hostsAreShownAsTheEngineResolvesThem();
    void otherProgramsSchemes_data();
    void otherProgramsSchemes();
    void automaticDownloads_data();
    void automaticDownloads();
    void answersAreKeptPerHostAndPermission();
    void barAsksOneAtATimeFromTheKeyboard();
    void unansweredQuestionsAreBlocked();
};

void TestPageQuestions::questions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("location") << permissionQuestion(QStringLiteral("shop.test"), PagePermission::Location)
                              << QStringLiteral("shop.test wants to know your location.");
    QTest::newRow("no host") << permissionQuestion(QString(), PagePermission::Notifications)
                             << QStringLiteral("This page wants to show notifications.");
    QTest::newRow("site with realm") << authenticationQuestion(QStringLiteral("shop.test"), QStringLiteral("Members"), false)
                                     << QStringLiteral("shop.test asks for a user name and password for \u201cMembers\u201d.");
    QTest::newRow("site without realm") << authenticationQuestion(QStringLiteral("shop.test"), QString(), false)
                                        << QStringLiteral("shop.test asks for a user name and password.");
    QTest::newRow("proxy") << authenticationQuestion(QStringLiteral("proxy.test"), QStringLiteral("Office"), true)
                           << QStringLiteral("The proxy proxy.test asks for a user name and password for \u201cOffice\u201d.");
    QTest::newRow("other program") << otherProgramQuestion(QStringLiteral("shop.test"), QUrl(QStringLiteral("mailto:jo@shop.test")))
                                   << QStringLiteral("shop.test wants to open a link with another program: mailto:jo@shop.test");
    // Cut in the middle, both ends kept; the whole address is the tooltip.
    const QString longAddress = QStringLiteral("bwprobe://lot/") + QString(100, QLatin1Char('x')) + QStringLiteral("?end=1");
    QTest::newRow("other program, long address")
            << otherProgramQuestion(QStringLiteral("shop.test"), QUrl(longAddress))
            << QStringLiteral("shop.test wants to open a link with another program: bwprobe://lot/")
                       + QString(26, QLatin1Char('x')) + QChar(0x2026) + QString(33, QLatin1Char('x')) + QStringLiteral("?end=1");
    QTest::newRow("other program, typed") << otherProgramQuestion(QString(), QUrl(QStringLiteral("ssh://jo@shop.test")))
                                          << QStringLiteral("Open this address with another program: ssh://jo@shop.test");
}

void TestPageQuestions::questions()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void TestPageQuestions::hostsAreShownAsTheEngineResolvesThem_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("shown");

    QTest::newRow("ASCII") << QStringLiteral("https://shop.test/itm/1") << QStringLiteral("shop.test");
    QTest::newRow("address") << QStringLiteral("http://127.0.0.1:8080/") << QStringLiteral("127.0.0.1");
    // Qt would decode these for ".com", which is on its list of domains.
    QTest::newRow("IDN, all letters of one script")
            << QStringLiteral("https://b\u00fccher.com/") << QStringLiteral("xn--bcher-kva.com");
    QTest::newRow("IDN given encoded") << QStringLiteral("https://xn--bcher-kva.com/") << QStringLiteral("xn--bcher-kva.com");
    QTest::newRow("mixed scripts (Cyrillic a in a Latin name)")
            << QStringLiteral("https://ex\u0430mple.com/") << QStringLiteral("xn--exmple-4nf.com");
    QTest::newRow("no host") << QStringLiteral("file:///home/jo/invoice.html") << QString();
}

void TestPageQuestions::hostsAreShownAsTheEngineResolvesThem()
{
    QFETCH(QString, address);
    QFETCH(QString, shown);
    QCOMPARE(shownHost(QUrl(address)), shown);
}

void TestPageQuestions::otherProgramsSchemes_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<bool>("loadedByTheEngine");

    for (const char *scheme : { "http", "HTTPS", "file", "data", "blob", "about", "javascript" })
        QTest::newRow(scheme) << QString::fromLatin1(scheme) << true;
    for (const char *scheme : { "mailto", "ssh", "sftp", "irc", "bwprobe", "steam" })
        QTest::newRow(scheme) << QString::fromLatin1(scheme) << false;
}

void TestPageQuestions::otherProgramsSchemes()
{
    QFETCH(QString, scheme);
    QFETCH(bool, loadedByTheEngine);
    QCOMPARE(engineLoadsScheme(scheme), loadedByTheEngine);
}

void TestPageQuestions::automaticDownloads_data()
{
    QTest::addColumn<bool>("first");
    QTest::addColumn<bool>("clicked");
    QTest::addColumn<qint64>("msSincePrevious");
    QTest::addColumn<int>("siteAnswer"); // -1 none, 0 block, 1 allow
    QTest::addColumn<bool>("questionOpen");
    QTest::addColumn<DownloadVerdict>("verdict");

    const qint64 soon = 300;
    const qint64 late = automaticDownloadWindowMs + 1;
    QTest::newRow("first") << true << false << qint64(0) << -1 << false << DownloadVerdict::Offer;
    QTest::newRow("clicked") << false << true << soon << 0 << false << DownloadVerdict::Offer;
    QTest::newRow("long after") << false << false << late << 0 << false << DownloadVerdict::Offer;
    QTest::newRow("soon, by itself") << false << false << soon << -1 << false << DownloadVerdict::Ask;
    QTest::newRow("while asked") << false << false << soon << -1 << true << DownloadVerdict::Hold;
    QTest::newRow("site allowed") << false << false << soon << 1 << false << DownloadVerdict::Offer;
    QTest::newRow("site blocked") << false << false << soon << 0 << false << DownloadVerdict::Refuse;
}

void TestPageQuestions::automaticDownloads()
{
    QFETCH(bool, first);
    QFETCH(bool, clicked);
    QFETCH(qint64, msSincePrevious);
    QFETCH(int, siteAnswer);
    QFETCH(bool, questionOpen);
    QFETCH(DownloadVerdict, verdict);
    DownloadCircumstances download{ first, clicked, msSincePrevious, std::nullopt, questionOpen };
    if (siteAnswer >= 0)
        download.siteAnswer = siteAnswer == 1;
    QCOMPARE(downloadVerdict(download), verdict);
}

void TestPageQuestions::answersAreKeptPerHostAndPermission()
{
    PermissionAnswers answers;
    answers.remember(QStringLiteral("a.test"), PagePermission::Camera, true);
    answers.remember(QStringLiteral("b.test"), PagePermission::Camera, false);
    QCOMPARE(answers.allowed(QStringLiteral("a.test"), PagePermission::Camera), std::optional<bool>(true));
    QCOMPARE(answers.allowed(QStringLiteral("b.test"), PagePermission::Camera), std::optional<bool>(false));
    QCOMPARE(answers.allowed(QStringLiteral("a.test"), PagePermission::Microphone), std::nullopt);
    QCOMPARE(answers.allowed(QStringLiteral("c.test"), PagePermission::Camera), std::nullopt);
    answers.remember(QStringLiteral("a.test"), PagePermission::Camera, false);
    QCOMPARE(answers.allowed(QStringLiteral("a.test"), PagePermission::Camera), std::optional<bool>(false));
}

void TestPageQuestions::barAsksOneAtATimeFromTheKeyboard()
{
    QWidget window;
    auto *bar = new PermissionBar(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(bar);
    layout->addWidget(new QLabel(QStringLiteral("the page"), &window));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(bar->isHidden());

    QStringList answered;
    const auto record = [&answered](const QString &name) {
        return [&answered, name](bool allowed) { answered << name + (allowed ? QStringLiteral(" allowed") : QStringLiteral(" blocked")); };
    };
    bar->ask({ permissionQuestion(QStringLiteral("a.test"), PagePermission::Location), record(QStringLiteral("location")) });
    bar->ask({ permissionQuestion(QStringLiteral("a.test"), PagePermission::Camera), record(QStringLiteral("camera")) });
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->questionText(), QStringLiteral("a.test wants to know your location."));
    // A mnemonic presses its button visibly, so the answer comes a moment later.
    pressKey(&window, Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE(answered, QStringList{ QStringLiteral("location blocked") });
    QCOMPARE(bar->questionText(), QStringLiteral("a.test wants to use your camera."));
    pressKey(&window, Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(answered, QStringList({ QStringLiteral("location blocked"), QStringLiteral("camera allowed") }));
    QVERIFY(bar->isHidden());
    QCOMPARE(bar->pending(), 0);
}

void TestPageQuestions::unansweredQuestionsAreBlocked()
{
    // The page went away: every question still open is answered Block, once.
    PermissionBar bar;
    int blocked = 0;
    int allowed = 0;
    const auto count = [&](bool yes) { ++(yes ? allowed : blocked); };
    int dropped = 0;
    bar.ask({ permissionQuestion(QStringLiteral("a.test"), PagePermission::Location), count });
    bar.ask({ permissionQuestion(QStringLiteral("a.test"), PagePermission::Notifications), count });
    // One that is not a Block when unanswered is dropped instead.
    bar.ask({ QStringLiteral("a.test wants to download several files."), count, {}, {}, [&dropped] { ++dropped; } });
    bar.blockAll();
    QCOMPARE(blocked, 2);
    QCOMPARE(dropped, 1);
    QCOMPARE(allowed, 0);
    QCOMPARE(bar.pending(), 0);
    bar.blockAll();
    QCOMPARE(blocked, 2);
}

QTEST_MAIN(TestPageQuestions)
#include "tst_page_questions.moc"

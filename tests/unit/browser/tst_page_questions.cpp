#include "authentication_dialog.h"
#include "permission_answers.h"
#include "permission_bar.h"
#include "user_input.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

using namespace bidwarden;
using namespace bidwarden::test;

class TestPageQuestions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void questions_data();
    void questions();
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
}

void TestPageQuestions::questions()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
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
    bar->ask({ QStringLiteral("a.test"), PagePermission::Location, record(QStringLiteral("location")) });
    bar->ask({ QStringLiteral("a.test"), PagePermission::Camera, record(QStringLiteral("camera")) });
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
    bar.ask({ QStringLiteral("a.test"), PagePermission::Location, count });
    bar.ask({ QStringLiteral("a.test"), PagePermission::Notifications, count });
    bar.blockAll();
    QCOMPARE(blocked, 2);
    QCOMPARE(allowed, 0);
    QCOMPARE(bar.pending(), 0);
    bar.blockAll();
    QCOMPARE(blocked, 2);
}

QTEST_MAIN(TestPageQuestions)
#include "tst_page_questions.moc"

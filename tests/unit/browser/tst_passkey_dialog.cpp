#include "passkey_dialog.h"
#include "passkey_words.h"
#include "user_input.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace bidwarden;
using namespace bidwarden::test;

Q_DECLARE_METATYPE(bidwarden::PasskeyStep)
Q_DECLARE_METATYPE(bidwarden::PinReason)
Q_DECLARE_METATYPE(bidwarden::PinError)

namespace {

PasskeyState at(PasskeyStep step)
{
    PasskeyState state;
    state.step = step;
    return state;
}

} // namespace

class TestPasskeyDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void steps_data();
    void steps();
    void everyFailureHasWordsOfItsOwn();
    void pinQuestions_data();
    void pinQuestions();
    void pinLength_data();
    void pinLength();

    void accountIsChosenFromTheKeyboard();
    void pinGoesOnceWhenLongEnough();
    void failureOffersRetry();
    void closingCancelsOnce_data();
    void closingCancelsOnce();
    void endedRequestClosesWithoutCancelling();

private:
    // A dialog over a window of its own, shown and active.
    PasskeyDialog *openDialog();

    std::unique_ptr<QWidget> m_window;
};

void TestPasskeyDialog::steps_data()
{
    QTest::addColumn<PasskeyStep>("step");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("retry");

    QTest::newRow("not started") << PasskeyStep::NotStarted
                                 << QStringLiteral("shop.test asks for your security key. Insert it.") << false << false;
    QTest::newRow("select account") << PasskeyStep::SelectAccount
                                    << QStringLiteral("Your security key has no account for shop.test.") << false << false;
    QTest::newRow("PIN") << PasskeyStep::CollectPin << QStringLiteral("Enter your security key's PIN.") << false << false;
    QTest::newRow("touch") << PasskeyStep::FinishTokenCollection << QStringLiteral("Touch your security key.") << false
                           << false;
    QTest::newRow("failed") << PasskeyStep::RequestFailed << QStringLiteral("No security key answered in time.")
                            << false << true;
    QTest::newRow("cancelled") << PasskeyStep::Cancelled << QString() << true << false;
    QTest::newRow("completed") << PasskeyStep::Completed << QString() << true << false;
}

void TestPasskeyDialog::steps()
{
    QFETCH(PasskeyStep, step);
    QFETCH(QString, message);
    QFETCH(bool, ends);
    QFETCH(bool, retry);
    QCOMPARE(passkeyMessage(at(step), QStringLiteral("shop.test")), message);
    QCOMPARE(passkeyStepEnds(step), ends);
    QCOMPARE(passkeyStepOffersRetry(step), retry);
}

void TestPasskeyDialog::everyFailureHasWordsOfItsOwn()
{
    QSet<QString> texts;
    const int last = int(PasskeyFailure::WinUserCancelled);
    for (int n = 0; n <= last; ++n) {
        const QString text = passkeyFailureText(PasskeyFailure(n));
        QVERIFY2(text.endsWith(QLatin1Char('.')), qPrintable(text));
        texts << text;
    }
    QCOMPARE(texts.size(), last + 1);
    PasskeyState failed = at(PasskeyStep::RequestFailed);
    failed.failure = PasskeyFailure::HardPinBlock;
    QCOMPARE(passkeyMessage(failed, QStringLiteral("shop.test")), passkeyFailureText(PasskeyFailure::HardPinBlock));
}

void TestPasskeyDialog::pinQuestions_data()
{
    QTest::addColumn<PinReason>("reason");
    QTest::addColumn<PinError>("error");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<QString>("text");

    QTest::newRow("first try") << PinReason::Challenge << PinError::NoError << 8
                               << QStringLiteral("Enter your security key's PIN.\n8 attempts left.");
    QTest::newRow("wrong, one left") << PinReason::Challenge << PinError::WrongPin << 1
                                     << QStringLiteral("That PIN was wrong.\nEnter your security key's PIN.\n1 attempt left.");
    QTest::newRow("attempts unknown") << PinReason::Challenge << PinError::InternalUvLocked << -1
                                      << QStringLiteral("Your security key could not check your fingerprint too often; "
                                                        "enter its PIN instead.\nEnter your security key's PIN.");
    // Attempts count only for the existing PIN; a new one has a length.
    QTest::newRow("set") << PinReason::Set << PinError::NoError << 8
                         << QStringLiteral("Choose a PIN for your security key.\nIt needs at least 6 characters.");
    QTest::newRow("change, same as before") << PinReason::Change << PinError::SameAsCurrentPin << 8
                                            << QStringLiteral("The new PIN must differ from the current one.\n"
                                                              "Your security key asks you to change its PIN: "
                                                              "enter a new one.\nIt needs at least 6 characters.");
}

void TestPasskeyDialog::pinQuestions()
{
    QFETCH(PinReason, reason);
    QFETCH(PinError, error);
    QFETCH(int, attempts);
    QFETCH(QString, text);
    PasskeyState state = at(PasskeyStep::CollectPin);
    state.pin = { reason, error, 6, attempts };
    QCOMPARE(passkeyMessage(state, QStringLiteral("shop.test")), text);
}

void TestPasskeyDialog::pinLength_data()
{
    QTest::addColumn<QString>("pin");
    QTest::addColumn<int>("minLength");
    QTest::addColumn<bool>("acceptable");

    QTest::newRow("empty") << QString() << 0 << false;
    QTest::newRow("one short") << QStringLiteral("123") << 4 << false;
    QTest::newRow("long enough") << QStringLiteral("1234") << 4 << true;
    // Counted in code points: four faces are four characters, not eight.
    QTest::newRow("four faces of 5") << QStringLiteral("\U0001F600\U0001F600\U0001F600\U0001F600") << 5 << false;
    QTest::newRow("four faces of 4") << QStringLiteral("\U0001F600\U0001F600\U0001F600\U0001F600") << 4 << true;
    QTest::newRow("63 bytes") << QString(63, QLatin1Char('7')) << 4 << true;
    QTest::newRow("64 bytes") << QString(64, QLatin1Char('7')) << 4 << false;
    QTest::newRow("22 euro signs, 66 bytes") << QString(22, QChar(0x20AC)) << 4 << false;
}

void TestPasskeyDialog::pinLength()
{
    QFETCH(QString, pin);
    QFETCH(int, minLength);
    QFETCH(bool, acceptable);
    QCOMPARE(pinAcceptable(pin, minLength), acceptable);
}

PasskeyDialog *TestPasskeyDialog::openDialog()
{
    m_window = std::make_unique<QWidget>();
    m_window->show();
    auto *dialog = new PasskeyDialog(QStringLiteral("shop.test"), m_window.get());
    dialog->show();
    dialog->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog))
        return nullptr;
    return dialog;
}

void TestPasskeyDialog::accountIsChosenFromTheKeyboard()
{
    PasskeyDialog *dialog = openDialog();
    QVERIFY(dialog);
    QSignalSpy chosen(dialog, &PasskeyDialog::accountChosen);
    QSignalSpy cancelled(dialog, &PasskeyDialog::cancelRequested);
    PasskeyState choosing = at(PasskeyStep::SelectAccount);
    choosing.accounts = QStringList{ QStringLiteral("jo"), QStringLiteral("ann") };
    dialog->follow(choosing);
    QVERIFY(dialog->findChild<QListWidget *>(QStringLiteral("passkeyAccounts"))->isVisible());
    QVERIFY(!dialog->findChild<QLineEdit *>(QStringLiteral("passkeyPin"))->isVisible());
    pressKey(dialog, Qt::Key_Down);
    pressKey(dialog, Qt::Key_Return);
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toString(), QStringLiteral("ann"));
    QVERIFY(dialog->isVisible());
    QCOMPARE(cancelled.size(), 0);
}

void TestPasskeyDialog::pinGoesOnceWhenLongEnough()
{
    PasskeyDialog *dialog = openDialog();
    QVERIFY(dialog);
    QSignalSpy entered(dialog, &PasskeyDialog::pinEntered);
    PasskeyState asking = at(PasskeyStep::CollectPin);
    asking.pin.minLength = 4;
    dialog->follow(asking);
    auto *next = dialog->findChild<QPushButton *>(QStringLiteral("passkeyContinue"));
    typeText(dialog, QStringLiteral("123"));
    QVERIFY(!next->isEnabled());
    pressKey(dialog, Qt::Key_Return);
    QCOMPARE(entered.size(), 0);
    typeText(dialog, QStringLiteral("4"));
    QVERIFY(next->isEnabled());
    pressKey(dialog, Qt::Key_Return);
    pressKey(dialog, Qt::Key_Return);
    QCOMPARE(entered.size(), 1);
    QCOMPARE(entered.first().first().toString(), QStringLiteral("1234"));
    // Until the key answers, nothing more is sent; a wrong PIN asks again.
    QVERIFY(!dialog->findChild<QLineEdit *>(QStringLiteral("passkeyPin"))->isEnabled());
    asking.pin.error = PinError::WrongPin;
    dialog->follow(asking);
    QVERIFY(dialog->findChild<QLabel *>(QStringLiteral("passkeyMessage"))->text().startsWith(QStringLiteral("That PIN was wrong.")));
    typeText(dialog, QStringLiteral("4321"));
    pressKey(dialog, Qt::Key_Return);
    QCOMPARE(entered.size(), 2);
    QCOMPARE(entered.last().first().toString(), QStringLiteral("4321"));
}

void TestPasskeyDialog::failureOffersRetry()
{
    PasskeyDialog *dialog = openDialog();
    QVERIFY(dialog);
    QSignalSpy retried(dialog, &PasskeyDialog::retryRequested);
    auto *retry = dialog->findChild<QPushButton *>(QStringLiteral("passkeyRetry"));
    dialog->follow(at(PasskeyStep::FinishTokenCollection));
    QVERIFY(!retry->isVisible());
    PasskeyState failed = at(PasskeyStep::RequestFailed);
    failed.failure = PasskeyFailure::KeyNotRegistered;
    dialog->follow(failed);
    QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("passkeyMessage"))->text(),
             passkeyFailureText(PasskeyFailure::KeyNotRegistered));
    QVERIFY(retry->isVisible());
    clickOn(retry);
    QCOMPARE(retried.size(), 1);
    // The engine starts over: the key is asked for again.
    dialog->follow(at(PasskeyStep::FinishTokenCollection));
    QVERIFY(!retry->isVisible());
    QVERIFY(dialog->isVisible());
}

void TestPasskeyDialog::closingCancelsOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc") << QStringLiteral("esc");
    QTest::newRow("Cancel") << QStringLiteral("cancel");
    QTest::newRow("the window's close button") << QStringLiteral("close");
}

void TestPasskeyDialog::closingCancelsOnce()
{
    QFETCH(QString, how);
    QPointer<PasskeyDialog> dialog = openDialog();
    QVERIFY(dialog);
    QSignalSpy cancelled(dialog.data(), &PasskeyDialog::cancelRequested);
    // The engine answers a cancel with its Cancelled step, at once.
    connect(dialog.data(), &PasskeyDialog::cancelRequested, dialog.data(),
            [dialog] { dialog->follow(at(PasskeyStep::Cancelled)); });
    dialog->follow(at(PasskeyStep::FinishTokenCollection));
    if (how == QLatin1String("esc"))
        pressKey(dialog, Qt::Key_Escape);
    else if (how == QLatin1String("cancel"))
        clickOn(dialog->findChild<QPushButton *>(QStringLiteral("passkeyCancel")));
    else
        dialog->close();
    QCOMPARE(cancelled.size(), 1);
    QTRY_VERIFY(!dialog);
}

void TestPasskeyDialog::endedRequestClosesWithoutCancelling()
{
    QPointer<PasskeyDialog> dialog = openDialog();
    QVERIFY(dialog);
    QSignalSpy cancelled(dialog.data(), &PasskeyDialog::cancelRequested);
    dialog->follow(at(PasskeyStep::FinishTokenCollection));
    dialog->follow(at(PasskeyStep::Completed));
    QVERIFY(!dialog->isVisible());
    // Later steps of the ended request change nothing.
    dialog->follow(at(PasskeyStep::RequestFailed));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(cancelled.size(), 0);
    QTRY_VERIFY(!dialog);
}

QTEST_MAIN(TestPasskeyDialog)
#include "tst_passkey_dialog.moc"

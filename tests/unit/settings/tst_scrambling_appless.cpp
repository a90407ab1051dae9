// No QCoreApplication here: the default hook must do nothing, and scrambling
// must work all the same.
#include "credentials.h"
#include "scrambling.h"

#include <QCoreApplication>
#include <QTest>

using namespace bidwarden;

class TestScramblingAppless : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void worksWithoutAnApplication();
};

void TestScramblingAppless::worksWithoutAnApplication()
{
    QVERIFY(!QCoreApplication::instance());
    processPendingNonInputEvents();
    const QString text = composeCredentialRecord(QStringLiteral("a user name"), QStringLiteral("a long password"));
    QVERIFY(text.size() >= 20);
    const QString once = encryptDecrypt(text, credentialsKey);
    QVERIFY(once != text);
    QCOMPARE(encryptDecrypt(once, credentialsKey), text);
}

QTEST_APPLESS_MAIN(TestScramblingAppless)
#include "tst_scrambling_appless.moc"

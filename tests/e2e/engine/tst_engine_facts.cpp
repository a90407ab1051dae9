#include "engine_facts.h"

#include <QFile>
#include <QTest>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

using namespace bidwarden;

// What Help > About says of the engine this test runs on: its versions and
// the Debian package it came from.
class TestEngineFacts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesTheEngineAndItsPackage();
};

void TestEngineFacts::namesTheEngineAndItsPackage()
{
    const QList<QPair<QString, QString>> facts = engineFacts();
    const auto value = [&facts](const QString &name) {
        for (const auto &[fact, text] : facts) {
            if (fact == name)
                return text;
        }
        return QString();
    };
    QCOMPARE(value(QStringLiteral("Qt WebEngine")), QString::fromLatin1(qWebEngineVersion()));
    QCOMPARE(value(QStringLiteral("Chromium")), QString::fromLatin1(qWebEngineChromiumVersion()));

    const QString package = value(QStringLiteral("Qt WebEngine package"));
    if (!QFile::exists(QStringLiteral("/var/lib/dpkg/status"))) {
        QCOMPARE(package, QStringLiteral("unknown"));
        return;
    }
    // Debian's engine: its library package, at the version of the engine
    // that runs ("6.10.2+dfsg-3~bpo13+1" for 6.10.2 from trixie-backports).
    const QString prefix = QStringLiteral("libqt6webenginecore6 ") + QString::fromLatin1(qWebEngineVersion());
    QVERIFY2(package.startsWith(prefix), qPrintable(package));
    qInfo("engine %s, Chromium %s, package %s", qWebEngineVersion(), qWebEngineChromiumVersion(), qPrintable(package));
}

QTEST_APPLESS_MAIN(TestEngineFacts)
#include "tst_engine_facts.moc"

#include "engine_facts.h"
#include "engine_sandbox.h"
#include "script_heap.h"

#include <QFile>
#include <QProcessEnvironment>
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
    void sandbox_data();
    void sandbox();
    void scriptHeapSwitch_data();
    void scriptHeapSwitch();
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
    // The suite runs the engine as root, with the variable set.
    QCOMPARE(value(QStringLiteral("Sandbox")), QStringLiteral("off (QTWEBENGINE_DISABLE_SANDBOX)"));

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

void TestEngineFacts::sandbox_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("offBy");

    const QStringList program{ QStringLiteral("bidwarden") };
    QTest::newRow("on") << QStringList{ QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS=--no-sandboxes") } << program
                        << QString();
    // Set is set, whatever the value: the engine reads it so.
    QTest::newRow("variable set to 0") << QStringList{ QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX=0") } << program
                                       << QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX");
    QTest::newRow("Chromium's switch in the variable")
            << QStringList{ QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS=--foo --no-sandbox") } << program
            << QStringLiteral("--no-sandbox in QTWEBENGINE_CHROMIUM_FLAGS");
    QTest::newRow("Chromium's switch as an argument")
            << QStringList() << QStringList{ QStringLiteral("bidwarden"), QStringLiteral("--no-sandbox") }
            << QStringLiteral("--no-sandbox");
}

void TestEngineFacts::sandbox()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(QString, offBy);
    QProcessEnvironment given;
    for (const QString &entry : environment)
        given.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    QCOMPARE(sandboxSwitchedOffBy(given, arguments), offBy);
}

void TestEngineFacts::scriptHeapSwitch_data()
{
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("started");

    const QString heap = QString::fromLatin1(bidwarden::scriptHeapSwitch);
    const QStringList program{ QStringLiteral("bidwarden") };
    QTest::newRow("no switches") << QString() << program << heap;
    QTest::newRow("others' switches kept") << QStringLiteral(" --no-sandbox --foo ") << program
                                           << QStringLiteral("--no-sandbox --foo ") + heap;
    // The engine keeps one --js-flags: the user's, where given.
    QTest::newRow("the user's script switches")
            << QStringLiteral("--no-sandbox --js-flags=--expose-gc") << program
            << QStringLiteral("--no-sandbox --js-flags=--expose-gc");
    QTest::newRow("the user's script switches as an argument")
            << QStringLiteral("--no-sandbox")
            << QStringList{ QStringLiteral("bidwarden"), QStringLiteral("--js-flags=--max-lazy") }
            << QStringLiteral("--no-sandbox");
    QTest::newRow("the program's name is no switch")
            << QString() << QStringList{ QStringLiteral("--js-flags=odd-name") } << heap;
}

void TestEngineFacts::scriptHeapSwitch()
{
    QFETCH(QString, flags);
    QFETCH(QStringList, arguments);
    QFETCH(QString, started);
    QCOMPARE(withScriptHeapSwitch(flags, arguments), started);
}

QTEST_APPLESS_MAIN(TestEngineFacts)
#include "tst_engine_facts.moc"

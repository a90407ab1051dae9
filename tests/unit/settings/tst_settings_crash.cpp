#include "settings_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace bidwarden;

class TestSettingsCrash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedWriterLeavesWholeFiles();
};

void TestSettingsCrash::killedWriterLeavesWholeFiles()
{
    QTemporaryDir dir;
    const SettingsFolder folder(dir.path());
    const QByteArray whole[2] = { QByteArray(3000, 'a') + "\r\n", QByteArray(5000, 'b') + "\r\n" };
    QRandomGenerator random(20261207);
    int seenBoth = 0;

    for (int round = 0; round < 200; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(BIDWARDEN_SETTINGS_WRITER), { dir.path() });
        QVERIFY(writer.waitForStarted());
        QVERIFY(writer.waitForReadyRead(10000));
        // Let it write for a random moment, then kill it mid-flight.
        QTest::qSleep(int(random.bounded(8)));
        writer.kill();
        QVERIFY(writer.waitForFinished());

        bool sawA = false;
        bool sawB = false;
        for (const QString &path : { folder.homepageFile(), folder.credentialsFile() }) {
            QFile f(path);
            if (!f.exists())
                continue; // killed before its first commit
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            QVERIFY2(bytes == whole[0] || bytes == whole[1],
                     qPrintable(QStringLiteral("round %1: %2 holds %3 bytes").arg(round).arg(path).arg(bytes.size())));
            sawA = sawA || bytes == whole[0];
            sawB = sawB || bytes == whole[1];
        }
        seenBoth += sawA && sawB;
    }
    // How often a kill fell between the two files' saves (for the log only).
    qInfo("rounds that ended between the two files' writes: %d of 200", seenBoth);
}

QTEST_GUILESS_MAIN(TestSettingsCrash)
#include "tst_settings_crash.moc"

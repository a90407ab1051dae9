// The rules of the downloads' words: the status bar's progress text, the
// state in words, which downloaded files Open may hand to the desktop, and
// the name a saved page is offered under.
#include "download_words.h"

#include <QLocale>
#include <QTest>

using namespace bidwarden;

class TestDownloadWords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void progressText_data();
    void progressText();
    void secondsLeft_data();
    void secondsLeft();
    void interruptedSaysWhy();
    void mayOpen_data();
    void mayOpen();
    void savedPageFileName_data();
    void savedPageFileName();
};

void TestDownloadWords::progressText_data()
{
    QTest::addColumn<qint64>("received");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<int>("secondsLeft"); // -1: cannot be told
    QTest::addColumn<QString>("expected");
    QTest::newRow("size unknown: the bytes") << qint64(1536) << qint64(-1) << -1
                                             << QStringLiteral("a.zip \u2014 1.50 KiB");
    QTest::newRow("nothing yet, size unknown") << qint64(0) << qint64(0) << -1 << QStringLiteral("a.zip \u2014 0 bytes");
    QTest::newRow("percent, time not told") << qint64(420) << qint64(1000) << -1 << QStringLiteral("a.zip \u2014 42%");
    QTest::newRow("seconds left") << qint64(500) << qint64(1000) << 12 << QStringLiteral("a.zip \u2014 50% \u2014 12 s left");
    QTest::newRow("minutes, rounded up") << qint64(1) << qint64(1000) << 61 << QStringLiteral("a.zip \u2014 0% \u2014 2 min left");
    QTest::newRow("hours") << qint64(1) << qint64(1000) << 7200 << QStringLiteral("a.zip \u2014 0% \u2014 2 h left");
    QTest::newRow("more than announced stays at 100%") << qint64(1200) << qint64(1000) << -1
                                                       << QStringLiteral("a.zip \u2014 100%");
}

void TestDownloadWords::progressText()
{
    QFETCH(qint64, received);
    QFETCH(qint64, total);
    QFETCH(int, secondsLeft);
    const std::optional<qint64> left = secondsLeft < 0 ? std::nullopt : std::optional<qint64>(secondsLeft);
    QFETCH(QString, expected);
    QCOMPARE(downloadProgressText(QStringLiteral("a.zip"), received, total, left), expected);
}

void TestDownloadWords::secondsLeft_data()
{
    QTest::addColumn<qint64>("received");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<int>("expected"); // -1: cannot be told
    QTest::newRow("half in 10 s: 10 s more") << qint64(500) << qint64(1000) << qint64(10000) << 10;
    QTest::newRow("size unknown") << qint64(500) << qint64(-1) << qint64(10000) << -1;
    QTest::newRow("nothing received") << qint64(0) << qint64(1000) << qint64(10000) << -1;
    QTest::newRow("too early to tell") << qint64(500) << qint64(1000) << qint64(200) << -1;
    QTest::newRow("more than announced") << qint64(2000) << qint64(1000) << qint64(10000) << -1;
}

void TestDownloadWords::secondsLeft()
{
    QFETCH(qint64, received);
    QFETCH(qint64, total);
    QFETCH(qint64, elapsedMs);
    QFETCH(int, expected);
    const std::optional<qint64> left = downloadSecondsLeft(received, total, elapsedMs);
    QCOMPARE(left ? int(*left) : -1, expected);
}

void TestDownloadWords::interruptedSaysWhy()
{
    QCOMPARE(downloadStateText(DownloadState::Interrupted, QStringLiteral("Network error")),
             QStringLiteral("Failed: Network error"));
    QCOMPARE(downloadStateText(DownloadState::Interrupted, QString()), QStringLiteral("Failed"));
}

void TestDownloadWords::mayOpen_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("mayOpen");
    QTest::newRow("a picture") << QStringLiteral("photo.jpg") << false << true;
    QTest::newRow("a document") << QStringLiteral("invoice.pdf") << false << true;
    QTest::newRow("no extension") << QStringLiteral("README") << false << true;
    QTest::newRow("execute bit") << QStringLiteral("photo.jpg") << true << false;
    QTest::newRow("shell script") << QStringLiteral("install.sh") << false << false;
    QTest::newRow("desktop entry") << QStringLiteral("photos.desktop") << false << false;
    QTest::newRow("AppImage, any case") << QStringLiteral("Viewer.AppImage") << false << false;
    QTest::newRow("Java archive") << QStringLiteral("tool.JAR") << false << false;
    QTest::newRow("Debian package") << QStringLiteral("tool_1.0_amd64.deb") << false << false;
    QTest::newRow("script behind a picture's name") << QStringLiteral("photo.jpg.sh") << false << false;
}

void TestDownloadWords::mayOpen()
{
    QFETCH(QString, fileName);
    QFETCH(bool, executable);
    QFETCH(bool, mayOpen);
    QCOMPARE(mayOpenDownload(fileName, executable), mayOpen);
}

void TestDownloadWords::savedPageFileName_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain title") << QStringLiteral("Vintage Lamp \u2014 Demo Auctions")
                                 << QStringLiteral("Vintage Lamp \u2014 Demo Auctions");
    QTest::newRow("folder separators and refused characters")
            << QStringLiteral("a/b\\c: \"d\" <e>|f?*") << QStringLiteral("a b c d e f");
    QTest::newRow("not hidden") << QStringLiteral("..profile") << QStringLiteral("profile");
    QTest::newRow("line breaks") << QStringLiteral("two\nlines\t") << QStringLiteral("two lines");
    QTest::newRow("empty: the site") << QString() << QStringLiteral("auction.test");
    QTest::newRow("nothing left: the site") << QStringLiteral("/ . /") << QStringLiteral("auction.test");
}

void TestDownloadWords::savedPageFileName()
{
    QFETCH(QString, title);
    QFETCH(QString, expected);
    QCOMPARE(bidwarden::savedPageFileName(title, QStringLiteral("auction.test")), expected);
}

QTEST_GUILESS_MAIN(TestDownloadWords)
#include "tst_download_words.moc"

#include "code_page.h"
#include "settings_folder.h"
#include "text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

using namespace bidwarden;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TestSettingsFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir.reset(new QTemporaryDir); QVERIFY(m_dir->isValid()); }

    void codePageRoundTripsEveryByte();
    void codePageRefusesOtherCharacters();
    void fileExists_data();
    void fileExists();
    void writeLayout_data();
    void writeLayout();
    void unreadablePaths_data();
    void unreadablePaths();
    void largeFileIsUnreadable();
    void refusedTextLeavesTheOldFile();
    void failedWriteLeavesTheOldFile_data();
    void failedWriteLeavesTheOldFile();
    void privateFilesAreOwnerOnly();
    void folderJoinsWithTheSeparator();

private:
    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsFiles::codePageRoundTripsEveryByte()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = fromCodePage(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(toCodePage(text).value_or(QByteArray()), all);
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0x81), QChar(0x81));
    QCOMPARE(text.at(0xE9), QChar(0xE9));

    // And through a file: every byte written comes back as it was.
    QVERIFY(writeTextFileContents(text, path("all.txt")).ok());
    QCOMPARE(bytesOf(path("all.txt")), all + "\r\n");
    QCOMPARE(readTextFileContents(path("all.txt")).text, text + QStringLiteral("\r\n"));
}

void TestSettingsFiles::codePageRefusesOtherCharacters()
{
    QVERIFY(!toCodePage(QStringLiteral("a\u0100")));
    QVERIFY(!isRepresentable(QStringLiteral("\U0001F600")));
    QVERIFY(isRepresentable(QStringLiteral("\u20ac\u0178 \u00ff")));
    QCOMPARE(firstUnrepresentable(QStringLiteral("ab\U0001F600\u4e00")), QStringLiteral("\U0001F600"));
    QCOMPARE(firstUnrepresentable(QStringLiteral("plain \u00e9")), QString());
}

void TestSettingsFiles::fileExists_data()
{
    QTest::addColumn<QString>("name"); // relative to the folder; "" is the empty path
    QTest::addColumn<bool>("exists");
    QTest::newRow("empty path") << QString() << false;
    QTest::newRow("regular file") << QStringLiteral("homepage.txt") << true;
    QTest::newRow("read-only file") << QStringLiteral("readonly.txt") << true;
    QTest::newRow("hidden file") << QStringLiteral(".hidden") << false;
    QTest::newRow("folder") << QStringLiteral("folder") << false;
    QTest::newRow("the settings folder") << QStringLiteral(".") << false;
    QTest::newRow("missing") << QStringLiteral("missing.txt") << false;
}

void TestSettingsFiles::fileExists()
{
    QFETCH(QString, name);
    QFETCH(bool, exists);
    put(path("homepage.txt"), "x");
    put(path("readonly.txt"), "x");
    QFile::setPermissions(path("readonly.txt"), QFileDevice::ReadOwner);
    put(path(".hidden"), "x");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    QCOMPARE(bidwarden::fileExists(name.isEmpty() ? QString() : m_dir->filePath(name)), exists);
}

void TestSettingsFiles::writeLayout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("20-character address") << QStringLiteral("http://a.test/abcdef")
                                          << QByteArray("http://a.test/abcdef\r\n");
    QTest::newRow("empty text") << QString() << QByteArray("\r\n");
    QTest::newRow("code-page letters") << QStringLiteral("\u00e9\u20ac") << QByteArray("\xe9\x80\r\n");
}

void TestSettingsFiles::writeLayout()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const QString file = path("homepage.txt");
    put(file, "a much longer earlier content that must go away");
    QVERIFY(writeTextFileContents(text, file).ok());
    QCOMPARE(bytesOf(file), bytes);
    const ReadResult read = readTextFileContents(file);
    QVERIFY(read.ok());
    QCOMPARE(read.text, text + QStringLiteral("\r\n"));
    QCOMPARE(readTextFileContentsQuietly(file), read.text);
}

void TestSettingsFiles::unreadablePaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("missing") << QStringLiteral("missing.txt") << int(FileNotFound);
    QTest::newRow("folder in its place") << QStringLiteral("folder") << int(PathNotFound);
    QTest::newRow("path through a file") << QStringLiteral("plain.txt/pd1.txt") << int(FileNotFound);
}

void TestSettingsFiles::unreadablePaths()
{
    QFETCH(QString, name);
    QFETCH(int, error);
    put(path("plain.txt"), "x");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    const ReadResult read = readTextFileContents(m_dir->filePath(name));
    QVERIFY(!read.ok());
    QCOMPARE(read.status.error, error);
    QVERIFY(!read.status.errorText.isEmpty());
    QCOMPARE(readTextFileContentsQuietly(m_dir->filePath(name)), QString());

    // An empty file is no failure: it reads as the empty text.
    put(path("empty.txt"), QByteArray());
    QVERIFY(readTextFileContents(path("empty.txt")).ok());
    QCOMPARE(readTextFileContentsQuietly(path("empty.txt")), QString());
}

void TestSettingsFiles::largeFileIsUnreadable()
{
    put(path("big.txt"), QByteArray(maxSettingsFileSize, 'a'));
    QVERIFY(readTextFileContents(path("big.txt")).ok());
    put(path("big.txt"), QByteArray(maxSettingsFileSize + 1, 'a'));
    const ReadResult read = readTextFileContents(path("big.txt"));
    QCOMPARE(read.status.error, int(FileTooLarge));
    QVERIFY(read.text.isEmpty());
    QCOMPARE(readTextFileContentsQuietly(path("big.txt")), QString());
}

void TestSettingsFiles::refusedTextLeavesTheOldFile()
{
    put(path("homepage.txt"), "old\r\n");
    const FileResult written = writeTextFileContents(QStringLiteral("new \u4e00"), path("homepage.txt"));
    QCOMPARE(written.error, int(NotRepresentable));
    QVERIFY(written.errorText.contains(QStringLiteral("\u4e00")));
    QCOMPARE(bytesOf(path("homepage.txt")), QByteArray("old\r\n"));
}

void TestSettingsFiles::failedWriteLeavesTheOldFile_data()
{
    QTest::addColumn<int>("sizeLimit"); // bytes a child may write; 0: no child
    QTest::addColumn<QString>("name");
    QTest::newRow("file size limit mid-write") << 100 << QStringLiteral("homepage.txt");
    QTest::newRow("folder where the file should be") << 0 << QStringLiteral("folder");
    QTest::newRow("path through a regular file") << 0 << QStringLiteral("homepage.txt/x");
}

void TestSettingsFiles::failedWriteLeavesTheOldFile()
{
    QFETCH(int, sizeLimit);
    QFETCH(QString, name);
    const QByteArray old("the old content\r\n");
    put(path("homepage.txt"), old);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    const QString target = m_dir->filePath(name);
    const QString longText(4096, QLatin1Char('n'));

    if (sizeLimit == 0) {
        const FileResult written = writeTextFileContents(longText, target);
        QVERIFY(!written.ok());
        QVERIFY(!written.errorText.isEmpty());
    } else {
        // The limit holds in a child only; the write there fails part-way.
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{ rlim_t(sizeLimit), rlim_t(sizeLimit) };
            setrlimit(RLIMIT_FSIZE, &limit);
            const FileResult written = writeTextFileContents(longText, target);
            _exit(written.ok() ? 0 : 3);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 3); // the failure was reported
    }
    QCOMPARE(bytesOf(path("homepage.txt")), old);
    // No temporary file is left beside it.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{ QStringLiteral("homepage.txt") });
}

void TestSettingsFiles::privateFilesAreOwnerOnly()
{
    put(path("pd1.txt"), "old");
    QVERIFY(QFile::setPermissions(path("pd1.txt"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                           | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    for (int i = 0; i < 2; ++i) { // replacing an existing file and writing a new one
        if (i == 1)
            QVERIFY(QFile::remove(path("pd1.txt")));
        QVERIFY(writeTextFileContents(QStringLiteral("secret"), path("pd1.txt"), FileVisibility::Private).ok());
        struct stat info {};
        QCOMPARE(::stat(qPrintable(path("pd1.txt")), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0600));
    }
}

void TestSettingsFiles::folderJoinsWithTheSeparator()
{
    const SettingsFolder folder(QStringLiteral("/opt/bidwarden"));
    QCOMPARE(folder.homepageFile(), QStringLiteral("/opt/bidwarden/homepage.txt"));
    QCOMPARE(folder.credentialsFile(), QStringLiteral("/opt/bidwarden/pd1.txt"));
    QCOMPARE(folder.helpFile(), QStringLiteral("/opt/bidwarden/help.html"));
}

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settings_files.moc"

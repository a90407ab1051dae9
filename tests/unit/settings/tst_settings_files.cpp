#include "code_page.h"
#include "settings_folder.h"
#include "text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
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
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(f.errorString()));
    QCOMPARE(f.write(bytes), bytes.size());
}

mode_t modeOf(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return mode_t(-1);
    return info.st_mode & 07777;
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
}

} // namespace

class TestSettingsFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void fileExists_data();
    void fileExists();
    void writeLayout_data();
    void writeLayout();
    void everyByteThroughAFile();
    void readKeepsEveryByte();
    void emptyFileReadsEmpty();
    void unreadablePaths_data();
    void unreadablePaths();
    void largeFileIsUnreadable();
    void refusedTextLeavesTheOldFile_data();
    void refusedTextLeavesTheOldFile();
    void failedWriteLeavesTheOldFile_data();
    void failedWriteLeavesTheOldFile();
    void cutShortWriteLeavesTheOldFile_data();
    void cutShortWriteLeavesTheOldFile();
    void privateFilesAreOwnerOnly_data();
    void privateFilesAreOwnerOnly();
    void sharedFilesKeepTheirMode();
    void writeFollowsALink();
    void noFileIsLeftOpen();
    void folderJoinsWithTheSeparator();
    void applicationFolderIsTheProgramsFolder();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString path(const char *name) const { return path(QString::fromLatin1(name)); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSettingsFiles::fileExists_data()
{
    QTest::addColumn<QString>("name"); // relative to the folder; "" is the empty path
    QTest::addColumn<bool>("exists");
    QTest::newRow("empty path") << QString() << false;
    QTest::newRow("regular file") << QStringLiteral("homepage.txt") << true;
    QTest::newRow("empty regular file") << QStringLiteral("empty.txt") << true;
    QTest::newRow("read-only file") << QStringLiteral("readonly.txt") << true;
    QTest::newRow("hidden file") << QStringLiteral(".hidden") << false;
    QTest::newRow("folder") << QStringLiteral("folder") << false;
    QTest::newRow("the settings folder") << QStringLiteral(".") << false;
    QTest::newRow("missing") << QStringLiteral("missing.txt") << false;
    QTest::newRow("path through a file") << QStringLiteral("homepage.txt/x") << false;
    QTest::newRow("in a missing folder") << QStringLiteral("nofolder/homepage.txt") << false;
    // Links count as what they point at; the link's own name decides hiding.
    QTest::newRow("link to a regular file") << QStringLiteral("link.txt") << true;
    QTest::newRow("hidden link to a regular file") << QStringLiteral(".link") << false;
    QTest::newRow("link to a hidden file") << QStringLiteral("link-to-hidden.txt") << true;
    QTest::newRow("link to a folder") << QStringLiteral("folderlink") << false;
    QTest::newRow("dangling link") << QStringLiteral("dangling.txt") << false;
    QTest::newRow("pipe") << QStringLiteral("fifo") << false;
    QTest::newRow("device") << QStringLiteral("/dev/null") << false;
}

void TestSettingsFiles::fileExists()
{
    QFETCH(QString, name);
    QFETCH(bool, exists);
    put(path("homepage.txt"), "x");
    put(path("empty.txt"), QByteArray());
    put(path("readonly.txt"), "x");
    QVERIFY(QFile::setPermissions(path("readonly.txt"), QFileDevice::ReadOwner));
    put(path(".hidden"), "x");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    QVERIFY(QFile::link(path("homepage.txt"), path("link.txt")));
    QVERIFY(QFile::link(path("homepage.txt"), path(".link")));
    QVERIFY(QFile::link(path(".hidden"), path("link-to-hidden.txt")));
    QVERIFY(QFile::link(path("folder"), path("folderlink")));
    QVERIFY(QFile::link(path("gone.txt"), path("dangling.txt")));
    QCOMPARE(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    const QString target = name.isEmpty() ? QString() : name.startsWith(QLatin1Char('/')) ? name : path(name);
    QCOMPARE(bidwarden::fileExists(target), exists);
}

void TestSettingsFiles::writeLayout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("20-character address") << QStringLiteral("http://a.test/abcdef")
                                          << QByteArray("http://a.test/abcdef\r\n");
    QTest::newRow("empty text") << QString() << QByteArray("\r\n");
    QTest::newRow("code-page letters") << QStringLiteral("\u00e9\u20ac") << QByteArray("\xe9\x80\r\n");
    QTest::newRow("line ends inside kept") << QStringLiteral("a\r\nb\n") << QByteArray("a\r\nb\n\r\n");
    QTest::newRow("spaces kept") << QStringLiteral("  x  ") << QByteArray("  x  \r\n");
}

void TestSettingsFiles::writeLayout()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const QString file = path("homepage.txt");
    for (bool existed : { true, false }) {
        if (existed)
            put(file, "a much longer earlier content that must go away entirely\r\n");
        else
            QVERIFY(QFile::remove(file));
        QVERIFY(writeTextFileContents(text, file).ok());
        const QByteArray written = bytesOf(file);
        QCOMPARE(written, bytes);
        QCOMPARE(written.size(), text.size() + 2);
        const ReadResult read = readTextFileContents(file);
        QVERIFY(read.ok());
        QCOMPARE(read.status.error, 0);
        QCOMPARE(read.text.size(), text.size() + 2);
        QCOMPARE(read.text, text + QStringLiteral("\r\n"));
        QCOMPARE(readTextFileContentsQuietly(file), read.text);
    }
}

void TestSettingsFiles::everyByteThroughAFile()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = fromCodePage(all);
    QVERIFY(writeTextFileContents(text, path("all.txt")).ok());
    QCOMPARE(bytesOf(path("all.txt")), all + "\r\n");
    QCOMPARE(readTextFileContents(path("all.txt")).text, text + QStringLiteral("\r\n"));
}

void TestSettingsFiles::readKeepsEveryByte()
{
    // Written by someone else: no line end, a NUL, a lone CR; all kept.
    const QByteArray bytes("a\0b\rc \x80\xff", 9);
    put(path("odd.txt"), bytes);
    const ReadResult read = readTextFileContents(path("odd.txt"));
    QVERIFY(read.ok());
    QCOMPARE(read.text, fromCodePage(bytes));
    QCOMPARE(read.text.size(), 9);
}

void TestSettingsFiles::emptyFileReadsEmpty()
{
    put(path("empty.txt"), QByteArray());
    const ReadResult read = readTextFileContents(path("empty.txt"));
    QVERIFY(read.ok());
    QCOMPARE(read.text, QString());
    QCOMPARE(readTextFileContentsQuietly(path("empty.txt")), QString());
}

void TestSettingsFiles::unreadablePaths_data()
{
    QTest::addColumn<QString>("name"); // relative to the folder unless absolute
    QTest::addColumn<int>("error");
    QTest::newRow("empty path") << QString() << int(FileNotFound);
    QTest::newRow("missing") << QStringLiteral("missing.txt") << int(FileNotFound);
    QTest::newRow("missing folder") << QStringLiteral("nofolder/pd1.txt") << int(PathNotFound);
    QTest::newRow("folder in its place") << QStringLiteral("folder") << int(PathNotFound);
    QTest::newRow("path through a file") << QStringLiteral("plain.txt/pd1.txt") << int(PathNotFound);
    QTest::newRow("dangling link") << QStringLiteral("dangling.txt") << int(FileNotFound);
    QTest::newRow("pipe (never opened)") << QStringLiteral("fifo") << int(ReadFailed);
    QTest::newRow("device") << QStringLiteral("/dev/zero") << int(ReadFailed);
    QTest::newRow("no read permission") << QStringLiteral("noaccess.txt") << int(PermissionDenied);
}

void TestSettingsFiles::unreadablePaths()
{
    QFETCH(QString, name);
    QFETCH(int, error);
    if (name == QLatin1String("noaccess.txt") && ::geteuid() == 0)
        QSKIP("root reads files without read permission");
    put(path("plain.txt"), "x");
    put(path("noaccess.txt"), "secret");
    QVERIFY(QFile::setPermissions(path("noaccess.txt"), QFileDevice::Permissions()));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    QVERIFY(QFile::link(path("gone.txt"), path("dangling.txt")));
    QCOMPARE(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    const QString target = name.isEmpty() ? QString() : name.startsWith(QLatin1Char('/')) ? name : path(name);

    const ReadResult read = readTextFileContents(target);
    QVERIFY(!read.ok());
    QCOMPARE(read.status.error, error);
    QVERIFY(!read.status.errorText.isEmpty());
    QCOMPARE(read.text, QString());
    QCOMPARE(readTextFileContentsQuietly(target), QString());
}

void TestSettingsFiles::largeFileIsUnreadable()
{
    put(path("big.txt"), QByteArray(maxSettingsFileSize, 'a'));
    const ReadResult atTheLimit = readTextFileContents(path("big.txt"));
    QVERIFY(atTheLimit.ok());
    QCOMPARE(atTheLimit.text.size(), maxSettingsFileSize);

    put(path("big.txt"), QByteArray(maxSettingsFileSize + 1, 'a'));
    const ReadResult read = readTextFileContents(path("big.txt"));
    QVERIFY(!read.ok());
    QCOMPARE(read.status.error, int(FileTooLarge));
    QVERIFY(!read.status.errorText.isEmpty());
    QVERIFY(read.text.isEmpty());
    QCOMPARE(readTextFileContentsQuietly(path("big.txt")), QString());

    // A sparse file far beyond the limit is refused without being read.
    QFile sparse(path("sparse.txt"));
    QVERIFY(sparse.open(QIODevice::WriteOnly));
    QVERIFY(sparse.resize(qint64(8) * 1024 * 1024 * 1024));
    sparse.close();
    QCOMPARE(readTextFileContents(path("sparse.txt")).status.error, int(FileTooLarge));
    QCOMPARE(readTextFileContentsQuietly(path("sparse.txt")), QString());
}

void TestSettingsFiles::refusedTextLeavesTheOldFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named"); // what the message must contain
    QTest::newRow("CJK") << QStringLiteral("new \u4e00") << QStringLiteral("\u201c\u4e00\u201d (U+4E00)");
    QTest::newRow("A macron") << QStringLiteral("\u0100") << QStringLiteral("U+0100");
    QTest::newRow("emoji") << QStringLiteral("ab\U0001F600") << QStringLiteral("\u201c\U0001F600\u201d (U+1F600)");
    QTest::newRow("lone surrogate") << (QStringLiteral("x") + QChar(char16_t(0xDC01))) << QStringLiteral("U+DC01");
    QTest::newRow("invisible") << QStringLiteral("a\u200bb") << QStringLiteral("U+200B");
    QTest::newRow("first of two") << QStringLiteral("\u0394\u4e00") << QStringLiteral("U+0394");
}

void TestSettingsFiles::refusedTextLeavesTheOldFile()
{
    QFETCH(QString, text);
    QFETCH(QString, named);
    put(path("homepage.txt"), "old\r\n");
    const FileResult written = writeTextFileContents(text, path("homepage.txt"));
    QCOMPARE(written.error, int(NotRepresentable));
    QVERIFY2(written.errorText.contains(named), qPrintable(written.errorText));
    QCOMPARE(bytesOf(path("homepage.txt")), QByteArray("old\r\n"));
    // Nor is a file created where there was none.
    const FileResult fresh = writeTextFileContents(text, path("pd1.txt"), FileVisibility::Private);
    QCOMPARE(fresh.error, int(NotRepresentable));
    QVERIFY(!QFile::exists(path("pd1.txt")));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{ QStringLiteral("homepage.txt") });
}

void TestSettingsFiles::failedWriteLeavesTheOldFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("empty path") << QString() << int(FileNotFound);
    QTest::newRow("folder where the file should be") << QStringLiteral("folder") << int(PathNotFound);
    QTest::newRow("path through a regular file") << QStringLiteral("homepage.txt/x") << int(PathNotFound);
    QTest::newRow("missing folder") << QStringLiteral("nofolder/homepage.txt") << int(PathNotFound);
    QTest::newRow("folder without write permission") << QStringLiteral("locked/homepage.txt") << int(PermissionDenied);
}

void TestSettingsFiles::failedWriteLeavesTheOldFile()
{
    QFETCH(QString, name);
    QFETCH(int, error);
    if (name.startsWith(QLatin1String("locked/")) && ::geteuid() == 0)
        QSKIP("root writes into folders without write permission");
    const QByteArray old("the old content\r\n");
    put(path("homepage.txt"), old);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("locked")));
    put(path("locked/homepage.txt"), old);
    QVERIFY(QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    for (FileVisibility visibility : { FileVisibility::Shared, FileVisibility::Private }) {
        const FileResult written =
                writeTextFileContents(QString(4096, QLatin1Char('n')), name.isEmpty() ? QString() : path(name), visibility);
        QVERIFY(!written.ok());
        QCOMPARE(written.error, error);
        QVERIFY(!written.errorText.isEmpty());
    }
    QCOMPARE(bytesOf(path("homepage.txt")), old);
    QCOMPARE(bytesOf(path("locked/homepage.txt")), old);
    QVERIFY(QFileInfo(path("folder")).isDir());
    QVERIFY(QDir(path("folder")).isEmpty());
    QVERIFY(QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    // No temporary file is left beside either.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{ QStringLiteral("homepage.txt") });
    QCOMPARE(QDir(path("locked")).entryList(QDir::Files | QDir::Hidden), QStringList{ QStringLiteral("homepage.txt") });
}

void TestSettingsFiles::cutShortWriteLeavesTheOldFile_data()
{
    QTest::addColumn<int>("sizeLimit"); // bytes the child may write to any file
    QTest::addColumn<QString>("visibility");
    QTest::newRow("stopped part-way") << 100 << QStringLiteral("shared");
    QTest::newRow("stopped part-way, private") << 100 << QStringLiteral("private");
    QTest::newRow("not a byte taken") << 0 << QStringLiteral("shared");
    QTest::newRow("one byte short") << 4097 << QStringLiteral("private");
}

void TestSettingsFiles::cutShortWriteLeavesTheOldFile()
{
    QFETCH(int, sizeLimit);
    QFETCH(QString, visibility);
    const QByteArray old("the old content\r\n");
    put(path("homepage.txt"), old);

    // The file size limit holds in the child only: the system stops the
    // write there at sizeLimit bytes (SIGXFSZ ignored, so write() reports it).
    QProcess child;
    child.setChildProcessModifier([sizeLimit] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{ rlim_t(sizeLimit), rlim_t(sizeLimit) };
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    child.start(QStringLiteral(BIDWARDEN_SETTINGS_WRITE_ONCE),
                { path("homepage.txt"), QStringLiteral("4096"), visibility });
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    const QList<QByteArray> report = child.readAllStandardOutput().split('\n');
    QCOMPARE(child.exitCode(), 3); // the failure was reported
    QCOMPARE(report.value(0).toInt(), int(WriteFailed));
    QVERIFY(!report.value(1).trimmed().isEmpty());
    qInfo("child reported: %s", report.value(1).constData());

    QCOMPARE(bytesOf(path("homepage.txt")), old);
    // No temporary file is left beside it.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{ QStringLiteral("homepage.txt") });
}

void TestSettingsFiles::privateFilesAreOwnerOnly_data()
{
    QTest::addColumn<int>("oldMode"); // -1: no file before
    QTest::newRow("new file") << -1;
    QTest::newRow("replacing 0644") << 0644;
    QTest::newRow("replacing 0666") << 0666;
    QTest::newRow("replacing 0600") << 0600;
    QTest::newRow("replacing 0400") << 0400;
}

void TestSettingsFiles::privateFilesAreOwnerOnly()
{
    QFETCH(int, oldMode);
    const QString file = path("pd1.txt");
    if (oldMode >= 0) {
        put(file, "old");
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), mode_t(oldMode)), 0);
        QCOMPARE(modeOf(file), mode_t(oldMode));
    }
    // Even with a umask that lets everyone read.
    const mode_t oldMask = ::umask(0);
    const FileResult written = writeTextFileContents(QStringLiteral("secret"), file, FileVisibility::Private);
    ::umask(oldMask);
    if (oldMode == 0400 && ::geteuid() != 0) {
        // QSaveFile refuses to replace a file its owner may not write.
        QVERIFY(!written.ok());
        QCOMPARE(bytesOf(file), QByteArray("old"));
        return;
    }
    QVERIFY2(written.ok(), qPrintable(written.errorText));
    QCOMPARE(bytesOf(file), QByteArray("secret\r\n"));
    QCOMPARE(modeOf(file), mode_t(0600));
    QCOMPARE(QFile::permissions(file) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
             QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestSettingsFiles::sharedFilesKeepTheirMode()
{
    const QString file = path("homepage.txt");
    put(file, "old");
    QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0640), 0);
    QVERIFY(writeTextFileContents(QStringLiteral("new"), file).ok());
    QCOMPARE(modeOf(file), mode_t(0640));

    // A new shared file: the default mode, 0666 less the umask.
    const mode_t oldMask = ::umask(022);
    const FileResult written = writeTextFileContents(QStringLiteral("new"), path("new.txt"));
    ::umask(oldMask);
    QVERIFY(written.ok());
    QCOMPARE(modeOf(path("new.txt")), mode_t(0644));
}

void TestSettingsFiles::writeFollowsALink()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("real")));
    put(path("real/homepage.txt"), "old\r\n");
    QVERIFY(QFile::link(path("real/homepage.txt"), path("homepage.txt")));
    QVERIFY(writeTextFileContents(QStringLiteral("new"), path("homepage.txt")).ok());
    QVERIFY(QFileInfo(path("homepage.txt")).isSymLink());
    QCOMPARE(bytesOf(path("real/homepage.txt")), QByteArray("new\r\n"));
    QCOMPARE(readTextFileContentsQuietly(path("homepage.txt")), QStringLiteral("new\r\n"));
}

void TestSettingsFiles::noFileIsLeftOpen()
{
    put(path("homepage.txt"), "x\r\n");
    put(path("big.txt"), QByteArray(maxSettingsFileSize + 10, 'a'));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    // Warm up: whatever Qt opens once and keeps (ICU data, ...) is not ours.
    readTextFileContents(path("homepage.txt"));
    writeTextFileContents(QStringLiteral("x"), path("homepage.txt"));
    const int before = openDescriptors();
    for (int i = 0; i < 20; ++i) {
        QVERIFY(readTextFileContents(path("homepage.txt")).ok());
        QVERIFY(!readTextFileContents(path("big.txt")).ok());
        QVERIFY(!readTextFileContents(path("missing.txt")).ok());
        QVERIFY(!readTextFileContents(path("folder")).ok());
        QVERIFY(writeTextFileContents(QStringLiteral("y"), path("homepage.txt")).ok());
        QVERIFY(writeTextFileContents(QStringLiteral("y"), path("pd1.txt"), FileVisibility::Private).ok());
        QVERIFY(!writeTextFileContents(QStringLiteral("\u4e00"), path("homepage.txt")).ok());
        QVERIFY(!writeTextFileContents(QStringLiteral("y"), path("folder")).ok());
    }
    QCOMPARE(openDescriptors(), before);
}

void TestSettingsFiles::folderJoinsWithTheSeparator()
{
    const SettingsFolder folder(QStringLiteral("/opt/bidwarden"));
    QCOMPARE(folder.path(), QStringLiteral("/opt/bidwarden"));
    QCOMPARE(folder.filePath(QStringLiteral("x.txt")), QStringLiteral("/opt/bidwarden") + QDir::separator() + QStringLiteral("x.txt"));
    QCOMPARE(folder.homepageFile(), QStringLiteral("/opt/bidwarden/homepage.txt"));
    QCOMPARE(folder.credentialsFile(), QStringLiteral("/opt/bidwarden/pd1.txt"));
    QCOMPARE(folder.helpFile(), QStringLiteral("/opt/bidwarden/help.html"));
}

void TestSettingsFiles::applicationFolderIsTheProgramsFolder()
{
    const SettingsFolder folder = SettingsFolder::applicationFolder();
    QCOMPARE(folder.path(), QCoreApplication::applicationDirPath());
    QCOMPARE(QFileInfo(folder.homepageFile()).absolutePath(), QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
}

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settings_files.moc"

#include "file_result.h"
#include "settings_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace bidwarden;

namespace {

// The unprivileged user the program-folder test runs its probe as, when the
// test runs as root (root may write anywhere, whatever the folder's mode).
constexpr uid_t someUser = 65534;

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(f.errorString()));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

mode_t modeOf(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return mode_t(-1);
    return info.st_mode & 07777;
}

// Makes what a row names at the path: a regular file, a folder or a link to
// nothing.
void make(const QString &what, const QString &path)
{
    if (what == QLatin1String("file"))
        put(path, "x\r\n");
    else if (what == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (what == QLatin1String("dangling link"))
        QVERIFY(QFile::link(path + QStringLiteral(".gone"), path));
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

// The folder becomes the probe's user's, or stays out of its reach.
void giveToUser(const QString &path, bool give)
{
    const QByteArray name = QFile::encodeName(path);
    if (runningAsRoot())
        QVERIFY(!give || ::chown(name.constData(), someUser, someUser) == 0);
    else
        QVERIFY(::chmod(name.constData(), give ? 0755 : 0555) == 0);
}

} // namespace

class TestSettingsFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTheUsersCopyFirst_data();
    void readsTheUsersCopyFirst();
    void oneFolderIsReadAndSaved();
    void privateFolderIsMade_data();
    void privateFolderIsMade();
    void programFolderDecidesForTheUser_data();
    void programFolderDecidesForTheUser();
};

void TestSettingsFolder::readsTheUsersCopyFirst_data()
{
    QTest::addColumn<QString>("usersCopy");    // what the user's folder holds by the file's name
    QTest::addColumn<bool>("administrators");  // whether one is beside the program
    QTest::addColumn<bool>("readsUsers");

    QTest::newRow("none anywhere") << QString() << false << false;
    QTest::newRow("the administrator's default only") << QString() << true << false;
    QTest::newRow("the user's only") << "file" << false << true;
    QTest::newRow("both") << "file" << true << true;
    // Reported as what it is rather than passed over for the default.
    QTest::newRow("a folder in the user's") << "folder" << true << true;
    QTest::newRow("a dangling link in the user's") << "dangling link" << true << true;
}

void TestSettingsFolder::readsTheUsersCopyFirst()
{
    QFETCH(QString, usersCopy);
    QFETCH(bool, administrators);
    QFETCH(bool, readsUsers);

    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("program"));
    const QString user = dir.filePath(QStringLiteral("user"));
    QVERIFY(QDir().mkpath(program) && QDir().mkpath(user));
    const SettingsFolder folder(program, user);
    for (const QString &name : { QStringLiteral("homepage.txt"), QStringLiteral("pd1.txt") }) {
        make(usersCopy, user + QLatin1Char('/') + name);
        if (administrators)
            put(program + QLatin1Char('/') + name, "default\r\n");
    }

    const QString readFrom = readsUsers ? user : program;
    QCOMPARE(folder.homepageFile(), readFrom + QStringLiteral("/homepage.txt"));
    QCOMPARE(folder.credentialsFile(), readFrom + QStringLiteral("/pd1.txt"));
    // Saves and the folder named in About are the user's, whatever is there.
    QCOMPARE(folder.homepageFileToSave(), user + QStringLiteral("/homepage.txt"));
    QCOMPARE(folder.credentialsFileToSave(), user + QStringLiteral("/pd1.txt"));
    QCOMPARE(folder.path(), user);
    QCOMPARE(folder.helpFile(), program + QStringLiteral("/help.html"));
}

void TestSettingsFolder::oneFolderIsReadAndSaved()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing"));
    const SettingsFolder folder(missing);
    QCOMPARE(folder.homepageFile(), missing + QStringLiteral("/homepage.txt"));
    QCOMPARE(folder.homepageFileToSave(), folder.homepageFile());
    QCOMPARE(folder.credentialsFileToSave(), folder.credentialsFile());
    // The program's own folder is never made: a save there fails as before.
    QVERIFY(folder.prepareToSave().ok());
    QVERIFY(!QFileInfo::exists(missing));
}

void TestSettingsFolder::privateFolderIsMade_data()
{
    QTest::addColumn<QString>("existing");   // "what path" made first, or empty
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("error");
    QTest::addColumn<QStringList>("made");   // with mode 0700 afterwards
    QTest::addColumn<QStringList>("kept");   // with mode 0755 afterwards

    const QStringList none;
    QTest::newRow("with its missing parents") << QString() << "home/.config/Bidwarden" << 0
                                              << QStringList{ "home", "home/.config", "home/.config/Bidwarden" } << none;
    QTest::newRow("in a folder that is there") << "folder cfg" << "cfg/Bidwarden" << 0
                                               << QStringList{ "cfg/Bidwarden" } << QStringList{ "cfg" };
    QTest::newRow("there already") << "folder cfg/Bidwarden" << "cfg/Bidwarden" << 0 << none
                                   << QStringList{ "cfg", "cfg/Bidwarden" };
    QTest::newRow("a file in its place") << "file cfg/Bidwarden" << "cfg/Bidwarden" << int(PathNotFound) << none << none;
    QTest::newRow("through a file") << "file cfg" << "cfg/Bidwarden" << int(PathNotFound) << none << none;
    QTest::newRow("a dangling link in its place") << "dangling link cfg" << "cfg" << int(PathNotFound) << none << none;
}

void TestSettingsFolder::privateFolderIsMade()
{
    QFETCH(QString, existing);
    QFETCH(QString, target);
    QFETCH(int, error);
    QFETCH(QStringList, made);
    QFETCH(QStringList, kept);

    QTemporaryDir dir;
    if (!existing.isEmpty()) {
        const QString what = existing.section(QLatin1Char(' '), 0, -2);
        const QString where = dir.filePath(existing.section(QLatin1Char(' '), -1));
        QVERIFY(QDir().mkpath(QFileInfo(where).path()));
        make(what, where);
    }
    for (const QString &folder : kept)
        QVERIFY(QFile::setPermissions(dir.filePath(folder), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                                    | QFile::ReadGroup | QFile::ExeGroup
                                                                    | QFile::ReadOther | QFile::ExeOther));
    // A umask that would take the owner's own bits: the folders are 0700 anyway.
    const mode_t umaskBefore = ::umask(0277);
    const FileResult result = makePrivateFolder(dir.filePath(target));
    ::umask(umaskBefore);

    QCOMPARE(result.error, error);
    if (error != 0)
        QVERIFY2(result.errorText.contains(dir.path()), qPrintable(result.errorText));
    for (const QString &folder : made)
        QCOMPARE(modeOf(dir.filePath(folder)), mode_t(0700));
    for (const QString &folder : kept)
        QCOMPARE(modeOf(dir.filePath(folder)), mode_t(0755));
}

void TestSettingsFolder::programFolderDecidesForTheUser_data()
{
    QTest::addColumn<bool>("programFolderIsTheUsers");
    QTest::addColumn<bool>("homeIsTheUsers");
    QTest::addColumn<QString>("folderInUse"); // "program" or "user"
    QTest::addColumn<int>("error");

    QTest::newRow("unpacked where the user can write") << true << true << "program" << 0;
    QTest::newRow("installed where the user cannot write") << false << true << "user" << 0;
    QTest::newRow("installed, and the home folder is not the user's") << false << false << "user"
                                                                       << int(PermissionDenied);
}

void TestSettingsFolder::programFolderDecidesForTheUser()
{
    QFETCH(bool, programFolderIsTheUsers);
    QFETCH(bool, homeIsTheUsers);
    QFETCH(QString, folderInUse);
    QFETCH(int, error);

    // Open to the probe's user, written by this test's only.
    QTemporaryDir dir;
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                      | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                                                      | QFile::ExeOther));
    const QString program = dir.filePath(QStringLiteral("program"));
    const QString home = dir.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(program) && QDir().mkpath(home));
    const QString probe = program + QStringLiteral("/settings_folder_probe");
    QVERIFY(QFile::copy(QStringLiteral(BIDWARDEN_SETTINGS_FOLDER_PROBE), probe));
    // Beside an unpacked program, the file is the user's as the folder is.
    put(program + QStringLiteral("/homepage.txt"), "http://default.example/\r\n");
    if (programFolderIsTheUsers && runningAsRoot())
        QVERIFY(::chown(QFile::encodeName(program + QStringLiteral("/homepage.txt")).constData(), someUser, someUser) == 0);
    giveToUser(program, programFolderIsTheUsers);
    giveToUser(home, homeIsTheUsers);
    // So that the temporary folder can go again.
    const auto reopen = qScopeGuard([&] {
        for (const QString &folder : { program, home })
            ::chmod(QFile::encodeName(folder).constData(), 0755);
    });
    const QString users = home + QStringLiteral("/.config/Bidwarden");

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QStringList probeArguments{ probe, QStringLiteral("http://mine.example/") };
    if (runningAsRoot()) {
        process.start(QStringLiteral("setpriv"), QStringList{ QStringLiteral("--reuid=%1").arg(someUser),
                                                              QStringLiteral("--regid=%1").arg(someUser),
                                                              QStringLiteral("--clear-groups"), QStringLiteral("--") }
                              + probeArguments);
    } else {
        process.start(probeArguments.first(), probeArguments.mid(1));
    }
    QVERIFY2(process.waitForFinished(60000), qPrintable(process.errorString()));
    const QStringList report = QString::fromLocal8Bit(process.readAllStandardOutput()).split(QLatin1Char('\n'));

    const QString expectedFolder = folderInUse == QLatin1String("user") ? users : program;
    QCOMPARE(report.value(0), QStringLiteral("folder ") + expectedFolder);
    // Until the user saves, the administrator's default is read.
    QCOMPARE(report.value(1), QStringLiteral("before http://default.example/"));
    if (error != 0) {
        QVERIFY2(report.value(2).startsWith(QStringLiteral("failed %1 ").arg(error)), qPrintable(report.join('\n')));
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/.config")));
        QCOMPARE(process.exitCode(), 3);
        return;
    }
    QCOMPARE(report.value(2), QStringLiteral("after http://mine.example/"));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(bytesOf(expectedFolder + QStringLiteral("/homepage.txt")), QByteArray("http://mine.example/\r\n"));
    QCOMPARE(modeOf(expectedFolder + QStringLiteral("/pd1.txt")), mode_t(0600));
    if (folderInUse == QLatin1String("user")) {
        QCOMPARE(modeOf(users), mode_t(0700));
        QCOMPARE(modeOf(home + QStringLiteral("/.config")), mode_t(0700));
        // The administrator's copy stays, and nothing else appears beside the program.
        QCOMPARE(bytesOf(program + QStringLiteral("/homepage.txt")), QByteArray("http://default.example/\r\n"));
        QVERIFY(!QFileInfo::exists(program + QStringLiteral("/pd1.txt")));
    } else {
        QVERIFY(!QFileInfo::exists(users));
    }
}

QTEST_GUILESS_MAIN(TestSettingsFolder)
#include "tst_settings_folder.moc"

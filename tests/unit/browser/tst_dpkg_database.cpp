#include "dpkg_database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace bidwarden;

namespace {

// A dpkg status file with the engine installed from backports, beside a
// package of the same name removed but its configuration kept, and the
// engine of another architecture.
const QByteArray status = "Package: libqt6webenginecore6\n"
                          "Status: deinstall ok config-files\n"
                          "Architecture: i386\n"
                          "Version: 6.8.2+dfsg-4\n"
                          "\n"
                          "Package: libqt6webenginecore6-bin\n"
                          "Status: install ok installed\n"
                          "Architecture: amd64\n"
                          "Version: 6.10.2+dfsg-3~bpo13+1\n"
                          "\n"
                          "Package: libqt6webenginecore6\n"
                          "Status: install ok installed\n"
                          "Priority: optional\n"
                          "Architecture: amd64\n"
                          "Multi-Arch: same\n"
                          "Source: qt6-webengine\n"
                          "Version: 6.10.2+dfsg-3~bpo13+1\n"
                          "Description: Web content engine library for Qt\n"
                          " Version: 1.0 (a description's line, not a field)\n"
                          "\n"
                          "Package: libqt6core6t64\n"
                          "Status: install ok installed\n"
                          "Architecture: amd64\n"
                          "Version: 6.8.2+dfsg-9+deb13u2\n";

bool write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestDpkgDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void packageName_data();
    void packageName();
    void installedVersion_data();
    void installedVersion();
    void fileList_data();
    void fileList();
    void libraryInTheDatabase_data();
    void libraryInTheDatabase();
    void libraryOfThisProcess();
};

void TestDpkgDatabase::packageName_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("package");

    QTest::newRow("the engine, full version") << "libQt6WebEngineCore.so.6.10.2" << "libqt6webenginecore6";
    QTest::newRow("the engine, soname") << "libQt6WebEngineCore.so.6" << "libqt6webenginecore6";
    QTest::newRow("name ending in a digit") << "libfoo2.so.1" << "libfoo2-1";
    QTest::newRow("unversioned") << "libQt6WebEngineCore.so" << "";
    QTest::newRow("no library") << "bidwarden" << "";
}

void TestDpkgDatabase::packageName()
{
    QFETCH(QString, file);
    QFETCH(QString, package);
    QCOMPARE(libraryPackageName(file), package);
}

void TestDpkgDatabase::installedVersion_data()
{
    QTest::addColumn<QByteArray>("package");
    QTest::addColumn<QByteArray>("architecture");
    QTest::addColumn<QByteArray>("version");

    QTest::newRow("installed, that architecture") << QByteArray("libqt6webenginecore6") << QByteArray("amd64")
                                                  << QByteArray("6.10.2+dfsg-3~bpo13+1");
    QTest::newRow("installed, any architecture")
            << QByteArray("libqt6webenginecore6") << QByteArray() << QByteArray("6.10.2+dfsg-3~bpo13+1");
    QTest::newRow("only its configuration left") << QByteArray("libqt6webenginecore6") << QByteArray("i386")
                                                 << QByteArray();
    QTest::newRow("a longer name is another package")
            << QByteArray("libqt6webenginecore6-bin") << QByteArray("amd64") << QByteArray("6.10.2+dfsg-3~bpo13+1");
    QTest::newRow("a shorter name is no match") << QByteArray("libqt6webenginecore") << QByteArray() << QByteArray();
    QTest::newRow("last stanza, no blank line after it")
            << QByteArray("libqt6core6t64") << QByteArray("amd64") << QByteArray("6.8.2+dfsg-9+deb13u2");
    QTest::newRow("not there") << QByteArray("libqt6webenginecore5") << QByteArray() << QByteArray();
}

void TestDpkgDatabase::installedVersion()
{
    QFETCH(QByteArray, package);
    QFETCH(QByteArray, architecture);
    QFETCH(QByteArray, version);
    QCOMPARE(bidwarden::installedVersion(status, package, architecture), version);
}

void TestDpkgDatabase::fileList_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<bool>("held");

    QTest::newRow("a line") << QByteArray("/usr/lib/x86_64-linux-gnu/libQt6WebEngineCore.so.6.10.2") << true;
    QTest::newRow("the last line, no newline") << QByteArray("/usr/lib/x86_64-linux-gnu/libQt6WebEngineCore.so.6")
                                               << true;
    QTest::newRow("the start of a line only") << QByteArray("/usr/lib/x86_64-linux-gnu/libQt6WebEngineCore.so.6.10")
                                              << false;
    QTest::newRow("the end of a line only") << QByteArray("x86_64-linux-gnu/libQt6WebEngineCore.so.6") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestDpkgDatabase::fileList()
{
    QFETCH(QByteArray, path);
    QFETCH(bool, held);
    const QByteArray list = "/.\n/usr\n/usr/lib/x86_64-linux-gnu/libQt6WebEngineCore.so.6.10.2\n"
                            "/usr/lib/x86_64-linux-gnu/libQt6WebEngineCore.so.6";
    QCOMPARE(fileListHolds(list, path), held);
}

void TestDpkgDatabase::libraryInTheDatabase_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<bool>("listsTheLibrary");
    QTest::addColumn<QString>("expected");

    QTest::newRow("multi-arch list") << "libqt6webenginecore6:amd64" << true
                                     << "libqt6webenginecore6 6.10.2+dfsg-3~bpo13+1";
    QTest::newRow("list without architecture") << "libqt6webenginecore6" << true
                                               << "libqt6webenginecore6 6.10.2+dfsg-3~bpo13+1";
    QTest::newRow("the package lists other files") << "libqt6webenginecore6:amd64" << false << "";
    QTest::newRow("the list of another package") << "libqt6webenginecore5:amd64" << true << "";
}

// A library of one's own and a dpkg database that says where it came from,
// as a symbolic link the way the linker finds it, and its real file.
void TestDpkgDatabase::libraryInTheDatabase()
{
    QFETCH(QString, listName);
    QFETCH(bool, listsTheLibrary);
    QFETCH(QString, expected);
    if (QSysInfo::buildCpuArchitecture() != QLatin1String("x86_64") && listName.endsWith(QLatin1String(":amd64")))
        QSKIP("the lists are named for amd64");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString lib = dir.filePath(QStringLiteral("lib"));
    const QString admin = dir.filePath(QStringLiteral("dpkg"));
    QVERIFY(QDir().mkpath(lib) && QDir().mkpath(admin + QStringLiteral("/info")));
    const QString real = QDir(lib).canonicalPath() + QStringLiteral("/libQt6WebEngineCore.so.6.10.2");
    QVERIFY(write(real, "not really a library"));
    const QString link = lib + QStringLiteral("/libQt6WebEngineCore.so.6");
    QVERIFY(QFile::link(QStringLiteral("libQt6WebEngineCore.so.6.10.2"), link));
    QVERIFY(write(admin + QStringLiteral("/status"), status));
    const QByteArray list = "/.\n" + (listsTheLibrary ? real.toUtf8() : QByteArray("/usr/lib/other.so.1")) + '\n';
    QVERIFY(write(admin + QStringLiteral("/info/") + listName + QStringLiteral(".list"), list));

    QCOMPARE(packageOfLibrary(link, admin), expected);
    QCOMPARE(packageOfLibrary(real, admin), expected);
}

// The real thing: this test's own Qt Core library, where the machine has a
// package database (the Debian machines the program is built on).
void TestDpkgDatabase::libraryOfThisProcess()
{
    const QString package = packageOfLibraryHolding(&qVersion);
    if (!QFile::exists(QStringLiteral("/var/lib/dpkg/status"))) {
        QCOMPARE(package, QStringLiteral("unknown"));
        return;
    }
    // Debian 13 renamed it libqt6core6t64.
    QVERIFY2(package.startsWith(QLatin1String("libqt6core6")), qPrintable(package));
    QVERIFY2(package.contains(QLatin1String(qVersion())), qPrintable(package));
    QCOMPARE(packageOfLibraryHolding(static_cast<const void *>(nullptr)), QStringLiteral("unknown"));
}

QTEST_APPLESS_MAIN(TestDpkgDatabase)
#include "tst_dpkg_database.moc"

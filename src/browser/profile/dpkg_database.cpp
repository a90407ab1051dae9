#include "dpkg_database.h"

#include "browser_logging.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <optional>

namespace bidwarden {

namespace {

// The field's value in one stanza of a dpkg status file (from the start of
// its "Package:" line to its end), or nothing where the stanza has none.
std::optional<QByteArrayView> field(QByteArrayView stanza, QByteArrayView name)
{
    qsizetype from = 0;
    while (from < stanza.size()) {
        qsizetype end = stanza.indexOf('\n', from);
        if (end < 0)
            end = stanza.size();
        const QByteArrayView line = stanza.sliced(from, end - from);
        if (line.startsWith(name) && line.sliced(name.size()).startsWith(": "))
            return line.sliced(name.size() + 2).trimmed();
        from = end + 1;
    }
    return std::nullopt;
}

// Debian's name for the architecture the program was built for, as dpkg
// names its lists of multi-arch packages ("PACKAGE:amd64.list").
QString dpkgArchitecture()
{
    const QString cpu = QSysInfo::buildCpuArchitecture();
    if (cpu == QLatin1String("x86_64"))
        return QStringLiteral("amd64");
    if (cpu == QLatin1String("arm"))
        return QStringLiteral("armhf");
    if (cpu == QLatin1String("power64"))
        return QStringLiteral("ppc64el");
    return cpu; // arm64, i386, riscv64, s390x: the same names
}

QString unknown()
{
    return QCoreApplication::translate("EnginePackage", "unknown");
}

// Where needle is in text from position from on, or -1: glibc's search,
// which reads a status file of several megabytes in a fraction of the time
// (the lookup runs while the program starts).
qsizetype find(QByteArrayView text, QByteArrayView needle, qsizetype from)
{
    if (from > text.size())
        return -1;
    const void *found = memmem(text.data() + from, size_t(text.size() - from), needle.data(), size_t(needle.size()));
    return found ? static_cast<const char *>(found) - text.data() : -1;
}

// The whole file, or empty where it cannot be read.
QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

QString libraryPackageName(QStringView fileName)
{
    static const QRegularExpression library(QStringLiteral("^(lib.+)\\.so\\.(\\d+)(\\.[\\d.]+)?$"));
    const QRegularExpressionMatch match = library.match(fileName.toString());
    if (!match.hasMatch())
        return {};
    const QString name = match.captured(1).toLower();
    const bool endsInDigit = name.back().isDigit();
    return name + (endsInDigit ? QStringLiteral("-") : QString()) + match.captured(2);
}

bool fileListHolds(QByteArrayView list, QByteArrayView path)
{
    if (path.isEmpty())
        return false;
    for (qsizetype at = list.indexOf(path); at >= 0; at = list.indexOf(path, at + 1)) {
        const qsizetype end = at + path.size();
        const bool lineStart = at == 0 || list.at(at - 1) == '\n';
        const bool lineEnd = end == list.size() || list.at(end) == '\n';
        if (lineStart && lineEnd)
            return true;
    }
    return false;
}

QByteArray installedVersion(QByteArrayView status, QByteArrayView package, QByteArrayView architecture)
{
    // The stanzas of package begin with its "Package:" line; one per
    // architecture it is installed for.
    const QByteArray start = "Package: " + package.toByteArray() + '\n';
    for (qsizetype at = find(status, start, 0); at >= 0; at = find(status, start, at + 1)) {
        if (at > 0 && status.at(at - 1) != '\n')
            continue;
        qsizetype end = status.indexOf("\n\n", at);
        if (end < 0)
            end = status.size();
        const QByteArrayView stanza = status.sliced(at, end - at);
        const auto state = field(stanza, "Status");
        const auto arch = field(stanza, "Architecture");
        const auto version = field(stanza, "Version");
        if (!state || *state != "install ok installed" || !version)
            continue;
        if (architecture.isEmpty() || (arch && *arch == architecture))
            return version->toByteArray();
    }
    return {};
}

QString packageOfLibrary(const QString &libraryPath, const QString &adminDir)
{
    const QFileInfo library(libraryPath);
    const QString real = library.canonicalFilePath();
    const QString name = libraryPackageName(QFileInfo(real).fileName());
    if (real.isEmpty() || name.isEmpty())
        return {};
    // A package lists the file where it installed it; on a merged /usr a
    // list may still name /lib for what the linker finds under /usr/lib.
    QList<QByteArray> paths{ real.toUtf8(), libraryPath.toUtf8() };
    if (real.startsWith(QStringLiteral("/usr/")))
        paths.append(real.mid(4).toUtf8());

    // Debian 13 renamed some libraries' packages with "t64" (64-bit time);
    // a list is named PACKAGE:ARCHITECTURE.list, or PACKAGE.list for a
    // package of one architecture only. Named outright, as a listing of the
    // database's thousands of files would cost start-up time.
    const QString architecture = dpkgArchitecture();
    for (const QString &package : { name, name + QStringLiteral("t64") }) {
        for (const QString &arch : { architecture, QString() }) {
            const QString listName = arch.isEmpty() ? package : package + QLatin1Char(':') + arch;
            const QByteArray list = readFile(adminDir + QStringLiteral("/info/") + listName + QStringLiteral(".list"));
            if (std::none_of(paths.cbegin(), paths.cend(), [&list](const QByteArray &p) { return fileListHolds(list, p); }))
                continue;
            const QByteArray version =
                    installedVersion(readFile(adminDir + QStringLiteral("/status")), package.toUtf8(), arch.toUtf8());
            if (!version.isEmpty())
                return package + QLatin1Char(' ') + QString::fromUtf8(version);
        }
    }
    return {};
}

QString packageOfLibraryHolding(const void *address)
{
    Dl_info found{};
    if (dladdr(address, &found) == 0 || !found.dli_fname) {
        qCDebug(lcBrowser) << "no shared library holds the code asked about";
        return unknown();
    }
    const QString path = QFile::decodeName(found.dli_fname);
    const QString package = packageOfLibrary(path);
    if (package.isEmpty()) {
        qCDebug(lcBrowser) << "the package database names no package for" << path;
        return unknown();
    }
    return package;
}

} // namespace bidwarden

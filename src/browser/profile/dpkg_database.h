#pragma once

#include <QByteArrayView>
#include <QString>

namespace bidwarden {

// Where the browser engine came from, as Debian's package database tells it:
// the package that installed the engine's library and its version, so that a
// user's report tells trixie's engine from a backported one. Nothing here
// needs the engine; the caller names the library.

// The package Debian names a shared library's package after, from the
// library's file name: "libQt6WebEngineCore.so.6.10.2" gives
// "libqt6webenginecore6" (name and major version, lower case, with a "-"
// between them where the name ends in a digit). Empty for a file that is no
// versioned shared library.
QString libraryPackageName(QStringView fileName);

// Whether a dpkg file list (the package's info/NAME.list) holds path as one of
// its lines.
bool fileListHolds(QByteArrayView list, QByteArrayView path);

// The version of package, of that architecture or of any where it is empty,
// that a dpkg status file says is installed; empty when it is not.
QByteArray installedVersion(QByteArrayView status, QByteArrayView package, QByteArrayView architecture = {});

// "PACKAGE VERSION" of the package whose file list in the database at
// adminDir holds the library at libraryPath (symbolic links resolved, as the
// dynamic linker loaded it), or empty when no package there installed it.
QString packageOfLibrary(const QString &libraryPath, const QString &adminDir = QStringLiteral("/var/lib/dpkg"));

// The same for the shared library that holds the code at address, as
// Help > About shows it: "unknown" when the package database does not know it
// (a Qt of one's own, a system without dpkg).
QString packageOfLibraryHolding(const void *address);
template <typename Function>
QString packageOfLibraryHolding(Function *function)
{
    return packageOfLibraryHolding(reinterpret_cast<const void *>(function));
}

} // namespace bidwarden

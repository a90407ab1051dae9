// Reading a settings file the user (or anything else) may have edited: any
// byte sequence up to the size limit reads as text that encodes back to
// exactly those bytes, and both read forms agree. Larger files are refused,
// never cut short.

#include "fuzz_support.h"
#include "settings_folder.h"
#include "text_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstring>

namespace bidwarden::fuzz {

namespace {

// An input starting with this asks for a file at the size limit: one byte
// under it, exactly at it or one byte over, filled with the rest of the input.
constexpr char bigMarker[] = "\xff" "BIG";
constexpr size_t bigMarkerSize = sizeof(bigMarker) - 1;

const QTemporaryDir &folder()
{
    static const QTemporaryDir dir;
    BIDWARDEN_FUZZ_CHECK(dir.isValid());
    return dir;
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    BIDWARDEN_FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    BIDWARDEN_FUZZ_CHECK(file.write(bytes) == bytes.size());
}

void checkRead(const QString &path, const QByteArray &bytes)
{
    const ReadResult read = readTextFileContents(path);
    const QString quiet = readTextFileContentsQuietly(path);
    BIDWARDEN_FUZZ_CHECK(quiet == read.text);
    BIDWARDEN_FUZZ_CHECK(read.ok() == read.status.errorText.isEmpty());
    if (bytes.size() > maxSettingsFileSize) {
        BIDWARDEN_FUZZ_CHECK(!read.ok());
        BIDWARDEN_FUZZ_CHECK(read.status.error == FileTooLarge);
        BIDWARDEN_FUZZ_CHECK(read.text.isEmpty());
        return;
    }
    BIDWARDEN_FUZZ_CHECK(read.ok());
    BIDWARDEN_FUZZ_CHECK(read.text.size() == bytes.size());
    BIDWARDEN_FUZZ_CHECK(toCodePage(read.text) == bytes);
}

void checkFixedPaths()
{
    const SettingsFolder settings(folder().path());
    const QString missing = settings.filePath(QStringLiteral("missing.txt"));
    BIDWARDEN_FUZZ_CHECK(!fileExists(missing));
    BIDWARDEN_FUZZ_CHECK(readTextFileContents(missing).status.error == FileNotFound);
    BIDWARDEN_FUZZ_CHECK(!fileExists(settings.path()));
    BIDWARDEN_FUZZ_CHECK(readTextFileContents(settings.path()).status.error == PathNotFound);
    BIDWARDEN_FUZZ_CHECK(readTextFileContentsQuietly(settings.path()).isEmpty());
    BIDWARDEN_FUZZ_CHECK(!fileExists(QString()));
}

} // namespace

int testOneInput(const uint8_t *data, size_t size)
{
    static const bool fixedPathsChecked = (checkFixedPaths(), true);
    (void)fixedPathsChecked;

    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    bool big = false;
    if (size > bigMarkerSize && std::memcmp(data, bigMarker, bigMarkerSize) == 0) {
        const qsizetype target = maxSettingsFileSize - 1 + data[bigMarkerSize] % 3;
        const QByteArray fill = bytes.mid(bigMarkerSize);
        bytes = fill.repeated(target / fill.size() + 1).left(target);
        big = true;
    }

    const SettingsFolder settings(folder().path());
    const QString visible = settings.homepageFile();
    const QString hidden = settings.filePath(QStringLiteral(".homepage.txt"));
    put(visible, bytes);
    BIDWARDEN_FUZZ_CHECK(fileExists(visible));
    checkRead(visible, bytes);
    // A megabyte through the dot file as well would only halve the speed.
    if (big)
        return 0;
    put(hidden, bytes);
    // Dot files are not settings files, but a read still gives what is there.
    BIDWARDEN_FUZZ_CHECK(!fileExists(hidden));
    checkRead(hidden, bytes);
    return 0;
}

} // namespace bidwarden::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    bidwarden::fuzz::quietOwnLogging();
    return bidwarden::fuzz::testOneInput(data, size);
}

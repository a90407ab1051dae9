// The stored login: composed, scrambled, written to pd1.txt, read back,
// unscrambled and split exactly as the program does at start-up. Whatever the
// user stored must come back as it was, the file must stay private, and a
// refused save must leave the previous file untouched.

#include "credentials.h"
#include "fuzz_support.h"
#include "scrambling.h"
#include "settings_folder.h"
#include "text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace bidwarden::fuzz {

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QTemporaryDir &folder()
{
    static const QTemporaryDir dir;
    BIDWARDEN_FUZZ_CHECK(dir.isValid());
    return dir;
}

void checkScrambling(const QString &text)
{
    const CodePageTable &table = CodePageTable::instance();
    const QString scrambled = encryptDecrypt(text, credentialsKey, {});
    BIDWARDEN_FUZZ_CHECK(scrambled.size() == text.size());
    BIDWARDEN_FUZZ_CHECK(encryptDecrypt(scrambled, credentialsKey, {}) == text);
    // Scrambling maps the code page onto itself and leaves other characters be.
    for (qsizetype i = 0; i < text.size(); ++i) {
        BIDWARDEN_FUZZ_CHECK(table.has(scrambled.at(i)) == table.has(text.at(i)));
        if (!table.has(text.at(i)))
            BIDWARDEN_FUZZ_CHECK(scrambled.at(i) == text.at(i));
    }
}

} // namespace

int testOneInput(const uint8_t *data, size_t size)
{
    const CodePageTable &table = CodePageTable::instance();
    const FuzzInput input = splitInput(data, size, 2);
    const QString userName = input.values.value(0);
    const QString password = input.values.value(1);

    checkScrambling(input.whole);

    const QString record = composeCredentialRecord(userName, password);
    checkScrambling(record);
    const QString scrambled = encryptDecrypt(record, credentialsKey, {});

    const SettingsFolder settings(folder().path());
    const QString path = settings.credentialsFile();
    const QByteArray before = fileBytes(path);
    const bool existedBefore = QFile::exists(path);

    const FileResult saved = writeTextFileContents(scrambled, path, FileVisibility::Private);
    const bool representable = table.hasAll(userName) && table.hasAll(password);
    BIDWARDEN_FUZZ_CHECK(saved.ok() == representable);
    BIDWARDEN_FUZZ_CHECK(saved.ok() == saved.errorText.isEmpty());
    // Neither a save nor a refusal leaves a temporary file behind.
    const QStringList expectedFiles = (saved.ok() || existedBefore) ? QStringList(QStringLiteral("pd1.txt"))
                                                                    : QStringList();
    BIDWARDEN_FUZZ_CHECK(QDir(folder().path()).entryList(QDir::Files | QDir::Hidden) == expectedFiles);

    if (!saved.ok()) {
        BIDWARDEN_FUZZ_CHECK(saved.error == NotRepresentable);
        BIDWARDEN_FUZZ_CHECK(QFile::exists(path) == existedBefore);
        BIDWARDEN_FUZZ_CHECK(fileBytes(path) == before);
        return 0;
    }

    BIDWARDEN_FUZZ_CHECK(fileExists(path));
    const QByteArray stored = fileBytes(path);
    BIDWARDEN_FUZZ_CHECK(stored.size() == userName.size() + password.size() + 4);
    BIDWARDEN_FUZZ_CHECK(stored.endsWith("\r\n"));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
            | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    BIDWARDEN_FUZZ_CHECK((QFile::permissions(path) & others) == 0);

    const ReadResult read = readTextFileContents(path);
    BIDWARDEN_FUZZ_CHECK(read.ok());
    BIDWARDEN_FUZZ_CHECK(read.text == scrambled + QStringLiteral("\r\n"));
    BIDWARDEN_FUZZ_CHECK(readTextFileContentsQuietly(path) == read.text);

    // As at start-up: the line end is unscrambled along with the record and
    // lands after the last comma, where the split does not look.
    const QString decoded = encryptDecrypt(read.text, credentialsKey, {});
    BIDWARDEN_FUZZ_CHECK(decoded.left(record.size()) == record);
    const Credentials credentials = splitCredentialRecord(decoded);
    if (!userName.contains(QLatin1Char(','))) {
        BIDWARDEN_FUZZ_CHECK(credentials.userName == userName);
        if (!password.contains(QLatin1Char(',')))
            BIDWARDEN_FUZZ_CHECK(credentials.password == password);
    }
    // The split itself: what it is given back is what the dialog composed.
    const Credentials direct = splitCredentialRecord(record);
    BIDWARDEN_FUZZ_CHECK(direct.userName == credentials.userName);
    BIDWARDEN_FUZZ_CHECK(direct.password == credentials.password);
    return 0;
}

} // namespace bidwarden::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    bidwarden::fuzz::quietOwnLogging();
    return bidwarden::fuzz::testOneInput(data, size);
}

#include "spelling.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>

namespace bidwarden {

namespace {

const QString folderName = QStringLiteral("qtwebengine_dictionaries");

} // namespace

QStringList dictionaryFolderCandidates(const QString &fromEnvironment, const QString &programFolder,
                                       const QString &qtDataFolder)
{
    if (!fromEnvironment.isEmpty())
        return { fromEnvironment };
    return { QDir(programFolder).filePath(folderName), QDir(qtDataFolder).filePath(folderName) };
}

QString dictionaryFolder()
{
    const QStringList candidates =
            dictionaryFolderCandidates(qEnvironmentVariable("QTWEBENGINE_DICTIONARIES_PATH"),
                                       QCoreApplication::applicationDirPath(),
                                       QLibraryInfo::path(QLibraryInfo::DataPath));
    for (const QString &candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

void nameDictionaryFolderForTheEngine()
{
    // Qt WebEngine 6.10 does not read the folder beside the program by itself
    // (seen with Debian 13's backported engine: with en-US.bdic there,
    // nothing is underlined and the menu offers no suggestion; 6.4 reads it);
    // every engine reads the folder the variable names. A folder the user
    // named stays theirs.
    if (qEnvironmentVariableIsSet("QTWEBENGINE_DICTIONARIES_PATH"))
        return;
    const QString folder = dictionaryFolder();
    if (!folder.isEmpty())
        qputenv("QTWEBENGINE_DICTIONARIES_PATH", QFile::encodeName(folder));
}

QStringList dictionaryLanguages(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    QStringList languages;
    const QFileInfoList files =
            QDir(folder).entryInfoList({ QStringLiteral("*.bdic") }, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo &file : files)
        languages << file.completeBaseName();
    return languages;
}

QStringList spellCheckLanguagesFor(const QLocale &locale, const QStringList &available)
{
    if (locale.language() == QLocale::C)
        return {};
    // QLocale names it "en_US"; the engine's dictionaries go by "en-US".
    const QString full = locale.name().replace(QLatin1Char('_'), QLatin1Char('-'));
    if (available.contains(full))
        return { full };
    const QString bare = full.section(QLatin1Char('-'), 0, 0);
    if (available.contains(bare))
        return { bare };
    return {};
}

} // namespace bidwarden

#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace bidwarden {

// Where the engine reads its spelling dictionaries (NAME.bdic), in the
// order it looks: the folder QTWEBENGINE_DICTIONARIES_PATH names, and only
// that when it is set; else "qtwebengine_dictionaries" beside the program,
// then in Qt's data folder. The first that exists is the one it reads.
QStringList dictionaryFolderCandidates(const QString &fromEnvironment, const QString &programFolder,
                                       const QString &qtDataFolder);
// The folder the engine reads in this run; empty when there is none.
QString dictionaryFolder();
// Names the folder found for the engine (QTWEBENGINE_DICTIONARIES_PATH),
// unless the user named one; before the engine starts.
void nameDictionaryFolderForTheEngine();
// The languages the folder has dictionaries for ("en-US" for en-US.bdic).
QStringList dictionaryLanguages(const QString &folder);

// The languages to check the user's typing in, for their locale: the
// locale's own ("en-US") where there is a dictionary for it, else its bare
// language ("en") where there is one for that; none otherwise, so nothing
// is underlined in a language nobody chose.
QStringList spellCheckLanguagesFor(const QLocale &locale, const QStringList &available);

} // namespace bidwarden

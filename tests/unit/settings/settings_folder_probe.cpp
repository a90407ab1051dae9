// Uses the settings folder the way the program does, from wherever this
// binary was copied to, and reports on stdout what it found:
//     settings_folder_probe HOMEPAGE
// prints "folder <path in use>", "before <homepage read>", then saves the
// homepage and a login as the dialogs do and prints "after <homepage read>".
// A failure prints its number and text and exits 3. The folder test starts it
// as an unprivileged user, from a program folder that user may or may not
// write to.
#include "credentials.h"
#include "settings_folder.h"
#include "text_file.h"

#include <QCoreApplication>

#include <cstdio>

using namespace bidwarden;

namespace {

void report(const char *what, const QString &text)
{
    std::printf("%s %s\n", what, withoutTrailingLineEnds(text).toLocal8Bit().constData());
}

int failed(const FileResult &result)
{
    std::printf("failed %d %s\n", result.error, result.errorText.toLocal8Bit().constData());
    return 3;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const SettingsFolder folder = SettingsFolder::applicationFolder();
    report("folder", folder.path());
    report("before", readTextFileContents(folder.homepageFile()).text);
    FileResult result = folder.prepareToSave();
    if (result.ok())
        result = writeTextFileContents(QString::fromLocal8Bit(argv[1]), folder.homepageFileToSave());
    if (result.ok())
        result = storeCredentials(folder.credentialsFileToSave(), { QStringLiteral("jo"), QStringLiteral("pw") }, {});
    if (!result.ok())
        return failed(result);
    report("after", readTextFileContents(folder.homepageFile()).text);
    return 0;
}

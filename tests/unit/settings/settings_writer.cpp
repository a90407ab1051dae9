// Rewrites both settings files with alternating contents until it is killed;
// the crash test kills it at random moments and inspects what is left.
#include "code_page.h"
#include "settings_folder.h"
#include "text_file.h"

#include <QString>

#include <cstdio>

using namespace bidwarden;

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    const SettingsFolder folder(QString::fromLocal8Bit(argv[1]));
    const QString contents[2] = { QString(3000, QLatin1Char('a')), QString(5000, QLatin1Char('b')) };
    // Load the code-page converter first (ICU's data, once per process), so
    // the kills land among the writes rather than before the first one.
    if (!toCodePage(contents[0]))
        return 2;
    std::puts("writing");
    std::fflush(stdout);
    for (unsigned i = 0;; ++i) {
        const QString &text = contents[i % 2];
        if (!writeTextFileContents(text, folder.homepageFile()).ok()
            || !writeTextFileContents(text, folder.credentialsFile(), FileVisibility::Private).ok())
            return 1;
    }
}

// Writes one settings file once and reports the outcome on stdout:
//     settings_write_once <path> <length> [private]
// writes <length> times "n" (plus CR LF) to <path>; prints the failure number
// and text and exits 3 on failure, exits 0 on success. The file tests start it
// with a small file size limit, which holds for this child only.
#include "text_file.h"

#include <QString>

#include <cstdio>

using namespace bidwarden;

int main(int argc, char *argv[])
{
    if (argc < 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int length = QString::fromLatin1(argv[2]).toInt();
    const FileVisibility visibility = argc > 3 && QByteArray(argv[3]) == "private" ? FileVisibility::Private
                                                                                   : FileVisibility::Shared;
    const FileResult written = writeTextFileContents(QString(length, QLatin1Char('n')), path, visibility);
    if (written.ok())
        return 0;
    std::printf("%d\n%s\n", written.error, written.errorText.toLocal8Bit().constData());
    return 3;
}

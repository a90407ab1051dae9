// Renders one of the program's SVG pictures to a square PNG at build time, so
// the program shows its pictures without loading an SVG renderer at start-up.
//
//   bidwarden_render_pictures SVG PNG SIZE
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char *argv[])
{
    // A build machine has no display; the renderer needs none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool sizeOk = false;
    const int size = args.value(3).toInt(&sizeOk);
    if (args.size() != 4 || !sizeOk || size <= 0) {
        std::fprintf(stderr, "usage: bidwarden_render_pictures SVG PNG SIZE\n");
        return 2;
    }

    QImageReader reader(args.at(1), "svg");
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    if (image.isNull()) {
        // Qt reads SVG through its svg image-format plugin (Debian: libqt6svg6).
        std::fprintf(stderr, "cannot render %s: %s\n", qPrintable(args.at(1)), qPrintable(reader.errorString()));
        return 1;
    }
    if (!image.convertToFormat(QImage::Format_ARGB32).save(args.at(2), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}

#include "icons.h"

#include <QImageReader>

// Outside the namespace, as the resource compiler names it.
static void initResourcesOnce()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace bidwarden {

void registerProgramIcons()
{
    initResourcesOnce();
}

QPixmap bundledPicture(const QString &fileName)
{
    // Told the format and not to guess, the reader takes Qt's own PNG reader
    // at once; QIcon::addFile() would load every image-format plugin (the SVG
    // one among them) to find out what the file is.
    QImageReader reader(QStringLiteral(":/icons/") + fileName, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon bundledIcon(const char *name)
{
    QIcon icon;
    for (const char *suffix : { ".png", "@2x.png" })
        icon.addPixmap(bundledPicture(QLatin1String(name) + QLatin1String(suffix)));
    return icon;
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : { 16, 24, 32, 48, 64, 128, 256 })
        icon.addPixmap(bundledPicture(QStringLiteral("bidwarden-%1.png").arg(size)));
    return icon;
}

} // namespace bidwarden

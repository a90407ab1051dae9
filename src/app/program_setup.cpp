#include "program_setup.h"

#include "commands.h"

#include <QApplication>

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

void registerProgramPictures()
{
    initResourcesOnce();
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : { 16, 24, 32, 48, 64, 128, 256 })
        icon.addPixmap(bundledPicture(QStringLiteral("bidwarden-%1.png").arg(size)));
    return icon;
}

void setUpApplication()
{
    registerProgramPictures();
    QApplication::setApplicationName(QStringLiteral("Bidwarden"));
    QApplication::setOrganizationName(QStringLiteral("Bidwarden"));
    QApplication::setApplicationVersion(QStringLiteral(BIDWARDEN_VERSION));
    QApplication::setWindowIcon(programIcon());
}

} // namespace bidwarden

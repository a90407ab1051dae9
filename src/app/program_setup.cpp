#include "program_setup.h"

#include "commands.h"

#include <QApplication>

// Outside the namespace, as the resource compiler names it.
static void initResourcesOnce()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace bidwarden {

void registerProgramPictures()
{
    initResourcesOnce();
}

void setUpApplication()
{
    registerProgramPictures();
    QApplication::setApplicationName(QStringLiteral("Bidwarden"));
    QApplication::setOrganizationName(QStringLiteral("Bidwarden"));
    QApplication::setWindowIcon(toolbarIcon(nullptr, "bidwarden"));
}

} // namespace bidwarden

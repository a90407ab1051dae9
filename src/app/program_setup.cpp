#include "program_setup.h"

#include "icons.h"
#include "spelling.h"

#include <QApplication>

namespace bidwarden {

void setUpApplication()
{
    registerProgramIcons();
    QApplication::setApplicationName(QStringLiteral("Bidwarden"));
    QApplication::setOrganizationName(QStringLiteral("Bidwarden"));
    QApplication::setApplicationVersion(QStringLiteral(BIDWARDEN_VERSION));
    QApplication::setWindowIcon(programIcon());
    nameDictionaryFolderForTheEngine();
}

} // namespace bidwarden

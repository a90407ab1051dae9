#include "program_setup.h"

#include "pictures.h"
#include "spelling.h"

#include <QApplication>

namespace bidwarden {

void setUpApplication()
{
    registerProgramPictures();
    QApplication::setApplicationName(QStringLiteral("Bidwarden"));
    QApplication::setOrganizationName(QStringLiteral("Bidwarden"));
    QApplication::setApplicationVersion(QStringLiteral(BIDWARDEN_VERSION));
    QApplication::setWindowIcon(programIcon());
    nameDictionaryFolderForTheEngine();
}

} // namespace bidwarden

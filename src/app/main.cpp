#include "build_config.h"
#include "engine_sandbox.h"
#include "program.h"
#include "program_setup.h"
#include "qt_translations.h"
#include "renderer_choice.h"

#include <QApplication>

using namespace bidwarden;

int main(int argc, char *argv[])
{
    // The engine shares its OpenGL context with the widgets that show it.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    setUpApplication();
    warnWhenSandboxIsOff();
    installQtTranslations(app);
    chooseRenderer();

    Program program({ .endpoints = { QStringLiteral(BIDWARDEN_SERVICE_URL), QStringLiteral(BIDWARDEN_AUCTION_HOME) },
                      .settings = SettingsFolder::applicationFolder(),
                      .windowDeletesItselfOnClose = true });
    program.show();
    return app.exec();
}

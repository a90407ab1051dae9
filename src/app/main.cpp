#include "browser_profile.h"
#include "build_config.h"
#include "desktop_notifications.h"
#include "engine_facts.h"
#include "engine_sandbox.h"
#include "main_window.h"
#include "page_window_opener.h"
#include "program_setup.h"
#include "qt_translations.h"
#include "renderer_choice.h"
#include "session_end.h"
#include "web_engine_pane.h"
#include "window_forward.h"

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

    // Declared first so that they outlive every pane and page window made
    // with them.
    BrowserProfile profile(QStringLiteral("bidwarden"));
    PageWindowOpener windowOpener(&profile);

    const Endpoints endpoints{ QStringLiteral(BIDWARDEN_SERVICE_URL),
                               QStringLiteral(BIDWARDEN_AUCTION_HOME) };
    // Exit unloads the main window and its panes, while a dialog that is still
    // open keeps the program running; the window owns itself from here on.
    auto *window = new MainWindow(endpoints, SettingsFolder::applicationFolder(),
                                  [&profile, &windowOpener](QWidget *parent) -> BrowserPane * {
                                      return new WebEnginePane(&profile, windowOpener.factory(), parent);
                                  });
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setEngineFacts(&engineFacts);
    QObject::connect(&windowOpener, &PageWindowOpener::snipeRequested, window, &MainWindow::snipeAddress);
    QObject::connect(&profile, &BrowserProfile::downloadFinished, window, [window](const QString &path, bool ok) {
        window->showNotice(ok ? MainWindow::tr("Downloaded %1").arg(path)
                              : MainWindow::tr("The download of %1 did not complete.").arg(path));
    });
    // A click on a page's notification whose page has gone shows the window.
    QObject::connect(profile.notifications(), &DesktopNotifications::clickedWithoutPage, window,
                     [window] { bringForward(window); });
    window->show();

    // The session's end, as Exit without questions. Set up once the engine
    // has started, so that nothing it sets up for itself replaces it.
    SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &SessionEnd::ending, window, &MainWindow::closeWithoutAsking);
    return app.exec();
}

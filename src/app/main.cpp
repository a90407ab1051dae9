#include "build_config.h"
#include "drawing_path.h"
#include "main_window.h"
#include "program_setup.h"
#include "qt_translations.h"
#include "session_end.h"
#include "web_engine_browser.h"

#include <QApplication>

using namespace bidwarden;

int main(int argc, char *argv[])
{
    // The engine shares its OpenGL context with the widgets that show it.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    setUpApplication();
    installQtTranslations(app);
    chooseDrawingPath();

    // Declared first so that it outlives every pane made on it.
    WebEngineBrowser browser(QStringLiteral("bidwarden"));

    const Endpoints endpoints{ QStringLiteral(BIDWARDEN_SERVICE_URL),
                               QStringLiteral(BIDWARDEN_AUCTION_HOME) };
    // Exit unloads the main window and its panes, while a dialog that is still
    // open keeps the program running; the window owns itself from here on.
    auto *window = new MainWindow(endpoints, SettingsFolder::applicationFolder(),
                                  [&browser](QWidget *parent) { return browser.createPane(parent); });
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setEngineFacts(engineFacts());
    QObject::connect(&browser, &WebEngineBrowser::snipeRequested, window, &MainWindow::snipeAddress);
    QObject::connect(&browser, &WebEngineBrowser::downloadFinished, window, [window](const QString &path, bool ok) {
        window->showNotice(ok ? MainWindow::tr("Downloaded %1").arg(path)
                              : MainWindow::tr("The download of %1 did not complete.").arg(path));
    });
    window->show();

    // The session's end, as Exit without questions. Set up once the engine
    // has started, so that nothing it sets up for itself replaces it.
    SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &SessionEnd::ending, window, &MainWindow::closeWithoutAsking);
    return app.exec();
}

#include "renderer_choice.h"

#include "app_logging.h"

#include <QElapsedTimer>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace bidwarden {

namespace {

// What the renderer of the context the engine shares reports; empty where
// there is no OpenGL at all.
QByteArray openGLRenderer()
{
    QOpenGLContext *shared = QOpenGLContext::globalShareContext();
    if (!shared)
        return {};
    QOffscreenSurface surface;
    surface.setFormat(shared->format());
    surface.create();
    if (!surface.isValid() || !shared->makeCurrent(&surface))
        return {};
    const auto *renderer = reinterpret_cast<const char *>(shared->functions()->glGetString(GL_RENDERER));
    const QByteArray name(renderer);
    shared->doneCurrent();
    return name;
}

} // namespace

bool isSoftwareRenderer(const QByteArray &renderer)
{
    // Mesa's rasterisers (llvmpipe, softpipe, the old swrast and SWR), and
    // those of other vendors' virtual GPUs.
    static const char *const software[] = { "llvmpipe", "softpipe", "software rasterizer", "swr",
                                            "swiftshader", "basic render driver" };
    const QByteArray name = renderer.toLower();
    for (const char *part : software) {
        if (name.contains(part))
            return true;
    }
    return false;
}

RendererChoice chooseRenderer()
{
    // Qt reads these itself; the user's choice is never overridden.
    for (const char *variable : { "QT_QUICK_BACKEND", "QMLSCENE_DEVICE", "QTWEBENGINE_CHROMIUM_FLAGS" }) {
        if (!qEnvironmentVariableIsEmpty(variable)) {
            qCDebug(lcApp) << "drawing as" << variable << "says:" << qgetenv(variable);
            return RendererChoice::UsersChoice;
        }
    }
    QElapsedTimer timer;
    timer.start();
    const QByteArray renderer = openGLRenderer();
    const bool software = isSoftwareRenderer(renderer);
    if (software)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    qCDebug(lcApp) << "OpenGL renderer" << renderer << "found in" << timer.nsecsElapsed() / 1000 << "us:"
                   << (software ? "drawing pages in software" : "drawing pages the default way");
    return software ? RendererChoice::Software : RendererChoice::Default;
}

} // namespace bidwarden

#include "engine_facts.h"

#include "engine_package.h"

#include <QCoreApplication>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

namespace bidwarden {

QList<QPair<QString, QString>> engineFacts()
{
    const char *context = "bidwarden::EngineFacts";
    return {
        { QCoreApplication::translate(context, "Qt WebEngine"), QString::fromLatin1(qWebEngineVersion()) },
        { QCoreApplication::translate(context, "Chromium"), QString::fromLatin1(qWebEngineChromiumVersion()) },
        { QCoreApplication::translate(context, "Chromium security patches"),
          QString::fromLatin1(qWebEngineChromiumSecurityPatchVersion()) },
        { QCoreApplication::translate(context, "Qt WebEngine package"), packageOfLibraryHolding(&qWebEngineVersion) },
    };
}

} // namespace bidwarden

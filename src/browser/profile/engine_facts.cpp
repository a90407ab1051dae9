#include "engine_facts.h"

#include "dpkg_database.h"
#include "engine_sandbox.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

namespace bidwarden {

QList<QPair<QString, QString>> engineFacts()
{
    const char *context = "bidwarden::EngineFacts";
    const QString sandboxOffBy =
            sandboxSwitchedOffBy(QProcessEnvironment::systemEnvironment(), QCoreApplication::arguments());
    return {
        { QCoreApplication::translate(context, "Qt WebEngine"), QString::fromLatin1(qWebEngineVersion()) },
        { QCoreApplication::translate(context, "Chromium"), QString::fromLatin1(qWebEngineChromiumVersion()) },
        { QCoreApplication::translate(context, "Chromium security patches"),
          QString::fromLatin1(qWebEngineChromiumSecurityPatchVersion()) },
        { QCoreApplication::translate(context, "Qt WebEngine package"), packageOfLibraryHolding(&qWebEngineVersion) },
        { QCoreApplication::translate(context, "Sandbox"),
          sandboxOffBy.isEmpty() ? QCoreApplication::translate(context, "on")
                                 : QCoreApplication::translate(context, "off (%1)").arg(sandboxOffBy) },
    };
}

} // namespace bidwarden

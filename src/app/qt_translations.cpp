#include "qt_translations.h"

#include "app_logging.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace bidwarden {

QTranslator *installQtTranslations(QCoreApplication &app, const QLocale &locale)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(&app);
    // Tries each of the locale's languages in the user's order of preference,
    // "de_DE" before "de".
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        qCDebug(lcApp) << "no Qt translation for" << locale.uiLanguages() << "in" << folder;
        delete translator;
        return nullptr;
    }
    app.installTranslator(translator);
    return translator;
}

} // namespace bidwarden

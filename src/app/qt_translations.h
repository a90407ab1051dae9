#pragma once

#include <QLocale>

QT_BEGIN_NAMESPACE
class QCoreApplication;
class QTranslator;
QT_END_NAMESPACE

namespace bidwarden {

// Loads Qt's own translations (qtbase_<language>.qm from Qt's translations
// folder) for the locale's languages, so the dialogs Qt draws (print, file,
// the standard buttons) speak the user's language. The program's own texts
// have no catalogue and stay as they are. The translator belongs to the
// application; nothing (and a debug line) when no catalogue fits.
QTranslator *installQtTranslations(QCoreApplication &app, const QLocale &locale = QLocale());

} // namespace bidwarden

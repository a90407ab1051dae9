#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace bidwarden {

// The engine's versions, as a user names them in a report: the Qt WebEngine
// version, the Chromium version it is built on and the Chromium security
// patch level it carries, each a name and a value.
QList<QPair<QString, QString>> engineFacts();

} // namespace bidwarden

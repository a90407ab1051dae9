#pragma once

#include <QString>
#include <QVariantMap>

namespace bidwarden {

// How the panes present themselves to sites: as the Chromium the engine is.
// Sign-in providers refuse browsers that name an embedding toolkit, so the
// toolkit's own token ("QtWebEngine/6.4.2") is dropped from the user agent,
// and its brand from the client hints' brand list; everything else stays as
// the engine sends it.
QString chromiumUserAgent(const QString &engineUserAgent);
QVariantMap chromiumBrands(const QVariantMap &engineBrands);

} // namespace bidwarden

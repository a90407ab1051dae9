#pragma once

#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

namespace bidwarden {

// Gives the view the engine's own context menu, plus "Snipe Link" on a link,
// which hands the link's absolute address (percent-encoding kept) to `snipe`
// without loading it.
void offerSnipeLink(QWebEngineView *view, std::function<void(const QString &address)> snipe);

} // namespace bidwarden

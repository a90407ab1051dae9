#pragma once

#include <QString>

QT_BEGIN_NAMESPACE
class QUrl;
QT_END_NAMESPACE

namespace bidwarden {

// Whether the engine loads addresses of this scheme itself; an address of
// any other scheme ("mailto:", "ssh:", a program's own) is handed to
// another program of the desktop.
bool engineLoadsScheme(const QString &scheme);

// The question put to the user before an address goes to another program:
// who asks (the host of the page or frame; empty where the user typed it)
// and the address, cut in the middle where long.
QString otherProgramQuestion(const QString &host, const QUrl &address);

} // namespace bidwarden

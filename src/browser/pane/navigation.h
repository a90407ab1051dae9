#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

namespace bidwarden {

// The address a pane loads for a navigation request: trailing CR and LF are
// dropped (the home-page file ends with a line end), the empty address is
// about:blank, and a bare host name loads as http://host.
QUrl urlForAddress(const QString &address);

// Splits header text into (name, value) pairs: one "Name: value" per line,
// lines ended by CR LF or LF; blank lines and lines without a colon are skipped.
QList<QPair<QByteArray, QByteArray>> parseHeaderLines(const QByteArray &headerLines);

// Whether a load that failed with this network error (the engine's error
// number, negative) cannot have delivered its request to the server: the
// connection was refused or never made, the host is unreachable or its name
// did not resolve. A reset or closed connection, or a time-out while waiting
// for the answer, may come after the request arrived.
bool requestCannotHaveArrived(int netError);

} // namespace bidwarden

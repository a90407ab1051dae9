#pragma once

#include <QString>

QT_BEGIN_NAMESPACE
class QUrl;
QT_END_NAMESPACE

namespace bidwarden {

// A site's host as the program names it wherever the user decides whether
// to trust the site (a sign-in, a permission, a certificate, another
// program, a download): as the engine resolves it. A host with letters
// beyond ASCII is shown in its "xn--" form, so that a look-alike of a known
// host never reads as that host; QUrl::host() alone decodes it for every
// top-level domain on Qt's list. Empty where the address has no host (a
// file on this computer).
QString shownHost(const QUrl &address);

// The text cut in the middle to at most maxLength characters, an ellipsis
// in place of what is left out: both ends of a long address stay readable.
QString middleElided(const QString &text, int maxLength);

} // namespace bidwarden

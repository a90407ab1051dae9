#include "shown_host.h"

#include <QUrl>

namespace bidwarden {

QString shownHost(const QUrl &address)
{
    return address.host(QUrl::EncodeUnicode);
}

QString middleElided(const QString &text, int maxLength)
{
    if (text.size() <= maxLength || maxLength < 3)
        return text;
    const qsizetype kept = maxLength - 1;
    const qsizetype head = (kept + 1) / 2;
    return text.left(head) + QChar(0x2026) + text.right(kept - head);
}

} // namespace bidwarden

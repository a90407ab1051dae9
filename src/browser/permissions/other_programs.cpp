#include "other_programs.h"

#include "shown_host.h"

#include <QCoreApplication>
#include <QUrl>

namespace bidwarden {

namespace {

// Long enough for a whole ordinary link, short enough for one line of the bar.
constexpr int shownAddressLength = 80;

} // namespace

bool engineLoadsScheme(const QString &scheme)
{
    // The schemes of the web itself and those the engine serves from within.
    static const QStringList loaded{
        QStringLiteral("http"),        QStringLiteral("https"),      QStringLiteral("ws"),
        QStringLiteral("wss"),         QStringLiteral("file"),       QStringLiteral("data"),
        QStringLiteral("blob"),        QStringLiteral("filesystem"), QStringLiteral("about"),
        QStringLiteral("javascript"),  QStringLiteral("view-source"), QStringLiteral("chrome"),
        QStringLiteral("chrome-error"), QStringLiteral("devtools"),  QStringLiteral("qrc"),
    };
    return loaded.contains(scheme.toLower());
}

QString otherProgramQuestion(const QString &host, const QUrl &address)
{
    const char *context = "bidwarden::OtherPrograms";
    const QString shown = middleElided(address.toString(QUrl::FullyEncoded), shownAddressLength);
    if (host.isEmpty())
        return QCoreApplication::translate(context, "Open this address with another program: %1").arg(shown);
    return QCoreApplication::translate(context, "%1 wants to open a link with another program: %2").arg(host, shown);
}

} // namespace bidwarden

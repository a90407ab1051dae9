#pragma once

#include <QDateTime>
#include <QString>

QT_BEGIN_NAMESPACE
class QSslCertificate;
QT_END_NAMESPACE

namespace bidwarden {

// What the page view says of a certificate nobody vouches for: the words,
// worked out without the engine or a window. Every field comes from the
// network, so the notice escapes them all.

// Who a certificate names, as "common name, organization, unit" (the
// fields it has, in that order); "(none)" when it names none of them.
QString certificateSubject(const QSslCertificate &certificate);
// Who issued it, in the same words.
QString certificateIssuer(const QSslCertificate &certificate);
// "from 2026-12-09 to 2026-12-11" (UTC dates), with "(expired)" or "(not
// valid yet)" after it when `now` is outside that time.
QString certificateValidity(const QSslCertificate &certificate, const QDateTime &now);

// The text of the button that goes on to the host anyway, with its Alt+P
// mnemonic; an ampersand of the host shows as one.
QString proceedButtonText(const QString &host);

// What the notice in the page's place tells, each part plain text.
struct CertificateFacts
{
    QString host;
    QString reason;   // the engine's own description of what is wrong
    QString subject;  // empty without a certificate
    QString issuer;
    QString validity;
    bool overridable = false;
};

// The notice's rich text: every part escaped.
QString certificateNoticeHtml(const CertificateFacts &facts);
// The notice once the user has gone back from a first page: nothing was
// loaded.
QString certificateRefusedHtml(const QString &host);

} // namespace bidwarden

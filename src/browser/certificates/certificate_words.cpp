#include "certificate_words.h"

#include <QCoreApplication>
#include <QSslCertificate>
#include <QStringList>

#include <functional>

namespace bidwarden {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CertificateNotice", text);
}

// A certificate's name fields, the most telling first; a field may appear
// more than once (several units).
QString describeName(const std::function<QStringList(QSslCertificate::SubjectInfo)> &field)
{
    QStringList parts;
    for (const auto info : { QSslCertificate::CommonName, QSslCertificate::Organization,
                             QSslCertificate::OrganizationalUnitName }) {
        for (const QString &value : field(info)) {
            const QString trimmed = value.trimmed();
            if (!trimmed.isEmpty() && !parts.contains(trimmed))
                parts << trimmed;
        }
    }
    return parts.isEmpty() ? tr("(none)") : parts.join(QStringLiteral(", "));
}

QString isoDate(const QDateTime &when)
{
    return when.isValid() ? when.toUTC().date().toString(Qt::ISODate) : tr("(unknown)");
}

} // namespace

QString certificateSubject(const QSslCertificate &certificate)
{
    return describeName([&certificate](QSslCertificate::SubjectInfo info) { return certificate.subjectInfo(info); });
}

QString certificateIssuer(const QSslCertificate &certificate)
{
    return describeName([&certificate](QSslCertificate::SubjectInfo info) { return certificate.issuerInfo(info); });
}

QString certificateValidity(const QSslCertificate &certificate, const QDateTime &now)
{
    const QDateTime from = certificate.effectiveDate();
    const QDateTime to = certificate.expiryDate();
    QString text = tr("from %1 to %2").arg(isoDate(from), isoDate(to));
    if (to.isValid() && now > to)
        text += QLatin1Char(' ') + tr("(expired)");
    else if (from.isValid() && now < from)
        text += QLatin1Char(' ') + tr("(not valid yet)");
    return text;
}

QString proceedButtonText(const QString &host)
{
    // "&&" is a label's literal ampersand; a lone one would take the mnemonic.
    QString shown = host;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return tr("&Proceed to %1 (unsafe)").arg(shown);
}

QString certificateNoticeHtml(const CertificateFacts &facts)
{
    QString html = tr("<h3>This connection is not private</h3>"
                      "<p>The certificate of <b>%1</b> cannot be trusted: %2</p>")
                           .arg(facts.host.toHtmlEscaped(), facts.reason.toHtmlEscaped());
    if (!facts.subject.isEmpty()) {
        html += tr("<p>Issued to: %1<br>Issued by: %2<br>Valid %3</p>")
                        .arg(facts.subject.toHtmlEscaped(), facts.issuer.toHtmlEscaped(),
                             facts.validity.toHtmlEscaped());
    }
    html += facts.overridable
            ? tr("<p>Someone may be pretending to be this site. Nothing has been sent to it yet; "
                 "go on only if you know why its certificate is not trusted (a router, a "
                 "network's sign-in page).</p>")
            : tr("<p>This site does not allow going on with such a certificate.</p>");
    return html;
}

QString certificateRefusedHtml(const QString &host)
{
    return tr("<h3>This connection is not private</h3>"
              "<p>Nothing was loaded from <b>%1</b>: its certificate cannot be trusted.</p>")
            .arg(host.toHtmlEscaped());
}

} // namespace bidwarden

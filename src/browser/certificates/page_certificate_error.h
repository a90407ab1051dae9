#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWebEngineCertificateError>

#include <optional>

QT_BEGIN_NAMESPACE
class QWebEnginePage;
QT_END_NAMESPACE

namespace bidwarden {

class CertificateNotice;

// Answers a site's certificate that nobody vouches for (self-signed,
// expired, made for another host): the load waits, nothing is requested
// from the host, while the notice tells the user what is wrong. "Proceed"
// accepts the certificate (the engine remembers that for the host while the
// program runs) and the load goes on; "Go back" refuses it and returns to
// the page before, or tells that nothing was loaded when there is none. A
// new navigation meanwhile refuses it too. Lives as long as the page.
class PageCertificateError : public QObject
{
    Q_OBJECT

public:
    PageCertificateError(QWebEnginePage *page, CertificateNotice *notice);

Q_SIGNALS:
    // The notice is to be shown in the page's place.
    void noticeWanted();
    // The page is to be shown again.
    void pageWanted();

private:
    void ask(const QWebEngineCertificateError &error);
    void proceed();
    void goBack();
    void handleLoadStarted();
    void handleLoadFinished();

    QWebEnginePage *m_page = nullptr;
    QPointer<CertificateNotice> m_notice;
    // The question waiting for the user, deferred.
    std::optional<QWebEngineCertificateError> m_pending;
    // The address refused with "Go back", until its load has ended.
    QUrl m_refused;
};

} // namespace bidwarden

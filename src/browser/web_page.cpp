#include "web_page.h"

#include "other_programs.h"

#include <QUuid>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>

namespace bidwarden {

namespace {

// Sees every request the page makes before it goes out; tells the page the
// method of its main-frame requests.
class MainFrameRequestWatcher : public QWebEngineUrlRequestInterceptor
{
public:
    explicit MainFrameRequestWatcher(WebPage *page)
        : QWebEngineUrlRequestInterceptor(page)
        , m_page(page)
    {
    }

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
            Q_EMIT m_page->mainFrameRequestSent(info.requestMethod() == "POST");
    }

private:
    WebPage *m_page;
};

// One random word per run: the pages' own scripts cannot see the script
// below (it runs in a world of its own), so they cannot fake its messages.
QString commitToken()
{
    static const QString token = QUuid::createUuid().toString(QUuid::Id128);
    return token;
}

} // namespace

WebPage::WebPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
    , m_mainFrameMarker(QStringLiteral("bidwarden-committed-main-") + commitToken())
    , m_subFrameMarker(QStringLiteral("bidwarden-committed-frame-") + commitToken())
    , m_inputMarker(QStringLiteral("bidwarden-input-") + commitToken())
{
    setUrlRequestInterceptor(new MainFrameRequestWatcher(this));

    // WORKAROUND for Qt WebEngine 6.4.2 and 6.8.2 (Debian 12 and 13; the
    // script runs on every version): the page has no signal for a committed
    // navigation (6.8's loadingChanged tells a load's start and end, not its
    // commit), so nothing tells when an answer has replaced the page shown.
    // urlChanged comes at the commit only when the address changes (and
    // inside setUrl() for a load started by the program); loadStarted comes
    // before the request. A script that runs as each new document is created
    // reports the commit, frames included.
    QWebEngineScript script;
    script.setName(QStringLiteral("bidwarden-commit-report"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QStringLiteral("console.log((window === window.top ? '%1 ' : '%2 ') + location.href);")
                                 .arg(m_mainFrameMarker, m_subFrameMarker));
    scripts().insert(script);

    // The engine tells the program that a navigation came from the user, not
    // from which frame. A frame of another site (an advert) asks in its own
    // name, so every frame reports where the user's own presses land; a
    // page's script cannot make such an event (isTrusted).
    QWebEngineScript input;
    input.setName(QStringLiteral("bidwarden-input-report"));
    input.setInjectionPoint(QWebEngineScript::DocumentCreation);
    input.setWorldId(QWebEngineScript::ApplicationWorld);
    input.setRunsOnSubFrames(true);
    input.setSourceCode(QStringLiteral("(function () { function report(e) { if (e.isTrusted)"
                                       " console.log('%1 ' + (self.origin || location.origin)); }"
                                       " addEventListener('mousedown', report, true);"
                                       " addEventListener('keydown', report, true); })();")
                                .arg(m_inputMarker));
    scripts().insert(input);

    // What the program hands to other programs it asks the user first
    // (acceptNavigationRequest below), and only for a user's click: a
    // script's or a redirect's navigation to such an address goes nowhere.
    settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
}

QWebEnginePage *WebPage::createWindow(WebWindowType type)
{
    return m_openWindow ? m_openWindow(type) : nullptr;
}

bool WebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // The engine asks here about another program's address only after a
    // user's click, and would hand it to the desktop at once on a yes.
    if (!engineLoadsScheme(url.scheme())) {
        Q_EMIT otherProgramRequested(url);
        return false;
    }
    if (isMainFrame)
        Q_EMIT mainFrameNavigationRequested();
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

void WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                        const QString &sourceId)
{
    const qsizetype space = message.indexOf(QLatin1Char(' '));
    const QStringView marker = QStringView(message).left(space);
    const QUrl address(message.mid(space + 1));
    if (space > 0 && marker == m_mainFrameMarker)
        Q_EMIT documentCommitted(true, address);
    else if (space > 0 && marker == m_subFrameMarker)
        Q_EMIT documentCommitted(false, address);
    else if (space > 0 && marker == m_inputMarker)
        Q_EMIT userInput(address);
    else
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceId);
}

bool WebPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &message)
{
    // The engine asks its beforeunload question here too, with a message of
    // its own, and tells nothing else of a "Stay" (Qt WebEngine 6's widgets
    // page: QWebEnginePagePrivate::javascriptDialog).
    Q_EMIT confirmAsked();
    const bool yes = QWebEnginePage::javaScriptConfirm(securityOrigin, message);
    Q_EMIT confirmAnswered(yes);
    return yes;
}

} // namespace bidwarden

#include "demo_sites.h"

#include "demo_documents.h"
#include "form_decoding.h"

#include <QUrlQuery>

#include <optional>

namespace bidwarden::demo {

namespace {

QString sessionCookie()
{
    return QStringLiteral("BWSESSION");
}

DemoResponse page(const QString &title, const QStringList &paragraphs, const QString &rawBody = QString())
{
    DemoResponse response;
    response.body = htmlPage(title, paragraphs, rawBody);
    return response;
}

QString link(const QString &href, const QString &text)
{
    return QStringLiteral("<li><a href=\"%1\">%2</a></li>").arg(href.toHtmlEscaped(), text.toHtmlEscaped());
}

bool isGet(const DemoRequest &request)
{
    return request.method == QLatin1String("GET") || request.method == QLatin1String("HEAD");
}

std::optional<FormFields> formOf(const DemoRequest &request, DemoResponse *refusal)
{
    if (request.method != QLatin1String("POST")) {
        *refusal = errorPage(405, QStringLiteral("This address takes a form post."));
        refusal->headers.append(qMakePair(QByteArray("Allow"), QByteArray("POST")));
        return std::nullopt;
    }
    std::optional<FormFields> fields = decodeForm(request.body);
    if (!fields)
        *refusal = errorPage(400, QStringLiteral("The form data is malformed."));
    return fields;
}

} // namespace

QByteArray DemoRequest::header(const QByteArray &name) const
{
    QByteArrayList values;
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            values << value;
    }
    return values.join(", ");
}

QString DemoRequest::cookie(const QString &name) const
{
    // Each Cookie header on its own: joining them with ", " would glue the
    // last cookie of one to the first of the next.
    for (const auto &[key, value] : headers) {
        if (key.compare("Cookie", Qt::CaseInsensitive) != 0)
            continue;
        for (const QByteArray &part : value.split(';')) {
            const QByteArray trimmed = part.trimmed();
            const qsizetype eq = trimmed.indexOf('=');
            if (eq > 0 && QString::fromLatin1(trimmed.left(eq).trimmed()) == name)
                return QString::fromLatin1(trimmed.mid(eq + 1).trimmed());
        }
    }
    return QString();
}

QByteArray htmlPage(const QString &title, const QStringList &paragraphs, const QString &rawBody)
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">");
    if (!title.isNull())
        html += QStringLiteral("<title>%1</title>").arg(title.toHtmlEscaped());
    html += QStringLiteral("</head><body>");
    if (!title.isNull())
        html += QStringLiteral("<h1>%1</h1>").arg(title.toHtmlEscaped());
    for (const QString &p : paragraphs)
        html += QStringLiteral("<p>%1</p>").arg(p.toHtmlEscaped());
    html += rawBody + QStringLiteral("</body></html>\n");
    return html.toUtf8();
}

DemoResponse errorPage(int status, const QString &reason)
{
    DemoResponse response;
    response.status = status;
    response.body = htmlPage(QStringLiteral("Error %1").arg(status), { reason });
    return response;
}

DemoResponse ServiceSite::handle(const DemoRequest &request)
{
    if (request.body.size() > maxRequestBody)
        return errorPage(413, QStringLiteral("The request is too large."));
    if (request.path == QLatin1String("/") && isGet(request)) {
        if (QUrlQuery(request.query).queryItemValue(QStringLiteral("source")) == QLatin1String("program"))
            return page(QStringLiteral("Bidwarden \u2014 Welcome"),
                        { QStringLiteral("Welcome to the Bidwarden sniping service."),
                          QStringLiteral("Browse to an auction and press Ctrl+S to snipe it.") });
        return page(QStringLiteral("Bidwarden"), { QStringLiteral("Last-second bids, placed for you.") },
                    link(QStringLiteral("/faq.cfm"), QStringLiteral("Questions and answers")));
    }
    if (request.path == QLatin1String("/faq.cfm") && isGet(request))
        return page(QStringLiteral("Bidwarden \u2014 FAQ"),
                    { QStringLiteral("How does sniping work? Bidwarden bids seconds before the auction ends."),
                      QStringLiteral("Do I need to keep the program open? No, the bid is placed by the service.") });
    if (request.path == QLatin1String("/cl/logincheck.cfm"))
        return logIn(request);
    if (request.path == QLatin1String("/cl/SUpdate.cfm"))
        return snipe(request);
    if (request.path == QLatin1String("/") || request.path == QLatin1String("/faq.cfm"))
        return errorPage(405, QStringLiteral("This page is only read, not posted to."));
    return errorPage(404, QStringLiteral("There is no page at %1.").arg(request.path));
}

DemoResponse ServiceSite::logIn(const DemoRequest &request)
{
    DemoResponse refusal;
    const std::optional<FormFields> fields = formOf(request, &refusal);
    if (!fields)
        return refusal;
    const QString user = formValue(*fields, QStringLiteral("UserLogin")).value_or(QString());
    if (user.isEmpty())
        return page(QStringLiteral("Bidwarden \u2014 Login failed"), { QStringLiteral("Login failed.") });
    const QString session = m_book.logIn(user);
    DemoResponse response = page(QStringLiteral("Bidwarden \u2014 Logged in"),
                                 { QStringLiteral("Logged in as %1").arg(user) });
    response.headers.append(qMakePair(QByteArray("Set-Cookie"),
                                      (sessionCookie() + QLatin1Char('=') + session
                                       + QStringLiteral("; Path=/; HttpOnly")).toLatin1()));
    return response;
}

DemoResponse ServiceSite::snipe(const DemoRequest &request)
{
    DemoResponse refusal;
    const std::optional<FormFields> fields = formOf(request, &refusal);
    if (!fields)
        return refusal;
    const QString session = request.cookie(sessionCookie());
    if (!m_book.userOf(session))
        return page(QStringLiteral("Bidwarden \u2014 Please log in"), { QStringLiteral("Please log in") });
    const QString auction = formValue(*fields, QStringLiteral("AuctionURL")).value_or(QString());
    // An empty entry would only hide the fault of whoever posted it.
    if (auction.isEmpty())
        return errorPage(400, QStringLiteral("The form has no AuctionURL."));
    const QStringList list = m_book.snipe(session, auction).value_or(QStringList());
    QString items = QStringLiteral("<ul>");
    for (const QString &entry : list)
        items += QStringLiteral("<li>%1</li>").arg(entry.toHtmlEscaped());
    items += QStringLiteral("</ul>");
    return page(QStringLiteral("Bidwarden \u2014 Snipe list"),
                { QStringLiteral("Your snipe list (%1):").arg(list.size()) }, items);
}

namespace {

// Pages that ask things of the browser showing them, as auction sites'
// pages do: new windows, a partner's sign-in popup, a members' area behind
// HTTP authentication, permissions, full screen, and a message form that
// asks before the user leaves it.
std::optional<DemoResponse> pageAskingTheBrowser(const DemoRequest &request)
{
    const QString &path = request.path;
    if (path == QLatin1String("/links.html"))
        return page(QStringLiteral("Links \u2014 Demo Auctions"), {},
                    QStringLiteral("<p><a id=\"blank\" href=\"/itm/900\" target=\"_blank\">Item 900 in a new window</a></p>"
                                   "<p><a id=\"plain\" href=\"/itm/902\">Item 902</a></p>"
                                   "<p><button id=\"signin\" onclick=\"window.open('/signin.html', 'partner', "
                                   "'width=500,height=600')\">Sign in with a partner</button></p>"
                                   "<p id=\"signedin\">Not signed in.</p>"
                                   "<script>window.addEventListener('message', function (e) {"
                                   " document.getElementById('signedin').textContent = 'Signed in as ' + e.data;"
                                   " document.title = 'Signed in as ' + e.data; });</script>"));
    if (path == QLatin1String("/signin.html"))
        return page(QStringLiteral("Partner sign-in"), { QStringLiteral("Sign in to Demo Auctions as jo.") },
                    QStringLiteral("<button id=\"done\" onclick=\"window.opener.postMessage('jo', '*'); "
                                   "window.close()\">Sign in</button>"));
    if (path == QLatin1String("/popup-unasked.html"))
        return page(QStringLiteral("Unasked popup \u2014 Demo Auctions"), { QStringLiteral("A page that opens a window by itself.") },
                    QStringLiteral("<script>document.title = window.open('/itm/901') ? 'opened' : 'blocked';</script>"));
    if (path == QLatin1String("/members/")) {
        // The user name and password: jo and pw.
        if (request.header("Authorization") == "Basic " + QByteArray("jo:pw").toBase64())
            return page(QStringLiteral("Members \u2014 Demo Auctions"), { QStringLiteral("Members' area for jo.") });
        DemoResponse refused = errorPage(401, QStringLiteral("You are not signed in."));
        refused.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"Demo members\"")));
        return refused;
    }
    if (path == QLatin1String("/permissions.html"))
        return page(QStringLiteral("Permissions \u2014 Demo Auctions"), {},
                    QStringLiteral("<p><button id=\"where\" onclick=\"navigator.geolocation.getCurrentPosition("
                                   "function () { document.title = 'location allowed'; },"
                                   " function (e) { document.title = 'location refused ' + e.code; })\">"
                                   "Auctions near me</button></p>"
                                   "<p><button id=\"notify\" onclick=\"Notification.requestPermission().then("
                                   "function (p) { document.title = 'notifications ' + p; })\">"
                                   "Tell me when I am outbid</button></p>"));
    if (path == QLatin1String("/video.html"))
        return page(QStringLiteral("Video \u2014 Demo Auctions"), {},
                    QStringLiteral("<div id=\"player\" style=\"width:320px;height:180px;background:#333\"></div>"
                                   "<p><button id=\"full\" onclick=\"document.getElementById('player')"
                                   ".requestFullscreen().then(function () { document.title = 'full screen'; },"
                                   " function (e) { document.title = 'refused ' + e; })\">Full screen</button></p>"
                                   "<script>document.addEventListener('fullscreenchange', function () {"
                                   " if (!document.fullscreenElement) document.title = 'left full screen'; });</script>"));
    // A long catalogue page in two colours: what is drawn tells where it
    // is scrolled to.
    if (path == QLatin1String("/catalogue.html"))
        return page(QStringLiteral("Catalogue — Demo Auctions"), {},
                    QStringLiteral("<style>body { margin: 0 } div { height: 3000px }</style>"
                                   "<div id=\"top\" style=\"background: rgb(200, 30, 30)\"></div>"
                                   "<div id=\"end\" style=\"background: rgb(30, 30, 200)\"></div>"));
    if (path == QLatin1String("/compose.html"))
        return page(QStringLiteral("Message the seller \u2014 Demo Auctions"), {},
                    QStringLiteral("<textarea id=\"message\" rows=\"4\" cols=\"40\"></textarea>"
                                   "<script>window.addEventListener('beforeunload', function (e) {"
                                   " if (document.getElementById('message').value) { e.preventDefault();"
                                   " e.returnValue = ''; } });</script>"));
    return std::nullopt;
}


// Pages that use what the browser gives every page alike: a notes box whose
// words are spell-checked, and an outbid notice shown on the desktop
// (Notification) that the page can take back.
std::optional<DemoResponse> pageUsingTheBrowsersServices(const DemoRequest &request)
{
    const QString &path = request.path;
    if (path == QLatin1String("/notes.html"))
        return page(QStringLiteral("Notes \u2014 Demo Auctions"), {},
                    QStringLiteral("<textarea id=\"notes\" rows=\"4\" cols=\"40\" spellcheck=\"true\""
                                   " style=\"font: 16px/20px monospace; padding: 4px\"></textarea>"));
    if (path == QLatin1String("/notify.html"))
        return page(QStringLiteral("Notices \u2014 Demo Auctions"), {},
                    QStringLiteral("<p><button id=\"show\" onclick=\"showNotice()\">Show the notice</button></p>"
                                   "<p><button id=\"hide\" onclick=\"notice.close()\">Take it back</button></p>"
                                   "<script>var notice = null, shown = 0;"
                                   " function showNotice() { Notification.requestPermission().then(function (p) {"
                                   "  if (p !== 'granted') { document.title = 'notices ' + p; return; }"
                                   "  notice = new Notification('Outbid on item 900',"
                                   "   { body: 'Someone bid 12.50 USD.', tag: 'item-900' });"
                                   "  notice.onshow = function () { document.title = 'notice shown ' + (++shown); };"
                                   "  notice.onclick = function () { document.title = 'notice clicked'; };"
                                   " }); }</script>"));
    return std::nullopt;
}

// Pages for the windows that pages open: a page of links, each opening its
// page in a new window (the message form that asks before it is left, an
// outbid alarm that rings until stopped, a plain item), and the alarm.
std::optional<DemoResponse> pageForNewWindows(const DemoRequest &request)
{
    const QString &path = request.path;
    if (path == QLatin1String("/windows.html"))
        return page(QStringLiteral("Windows \u2014 Demo Auctions"), {},
                    QStringLiteral("<p><a id=\"compose\" href=\"/compose.html\" target=\"_blank\">"
                                   "Message the seller in a new window</a></p>"
                                   "<p><a id=\"alarm\" href=\"/alarm.html\" target=\"_blank\">"
                                   "The outbid alarm in a new window</a></p>"
                                   "<p><a id=\"item\" href=\"/itm/904\" target=\"_blank\">"
                                   "Item 904 in a new window</a></p>"));
    // A tone made in the page (the engine plays sound a click started); its
    // title tells whether it rings.
    if (path == QLatin1String("/alarm.html"))
        return page(QStringLiteral("Outbid alarm \u2014 Demo Auctions"), {},
                    QStringLiteral("<p><button id=\"ring\" onclick=\"ring()\">Ring</button> "
                                   "<button id=\"quiet\" onclick=\"quiet()\">Stop</button></p>"
                                   "<script>var audio = null, tone = null;"
                                   "function ring() { if (tone) return;"
                                   " audio = audio || new AudioContext(); tone = audio.createOscillator();"
                                   " var level = audio.createGain(); level.gain.value = 0.2;"
                                   " tone.frequency.value = 880; tone.connect(level); level.connect(audio.destination);"
                                   " tone.start(); audio.resume(); document.title = 'ringing'; }"
                                   "function quiet() { if (tone) { tone.stop(); tone = null; }"
                                   " document.title = 'quiet'; }</script>"));
    return std::nullopt;
}

// A page that signs in with a security key, after the user's click; its
// title tells how the request ended ("passkey refused: NotAllowedError").
std::optional<DemoResponse> passkeyPage(const DemoRequest &request)
{
    if (request.path != QLatin1String("/passkey.html"))
        return std::nullopt;
    return page(QStringLiteral("Security key \u2014 Demo Auctions"), {},
                QStringLiteral("<p><button id=\"key\" onclick=\"signInWithKey()\">Sign in with a security key</button></p>"
                               "<script>function signInWithKey() {"
                               " document.title = 'passkey asked';"
                               " var refused = function (e) { document.title = 'passkey refused: ' + (e && e.name); };"
                               " if (!window.PublicKeyCredential || !navigator.credentials) { refused({ name: 'unsupported' });"
                               " return; }"
                               " try { navigator.credentials.get({ publicKey: {"
                               " challenge: crypto.getRandomValues(new Uint8Array(32)), timeout: 4000,"
                               " allowCredentials: [{ type: 'public-key', id: new Uint8Array(16) }],"
                               " userVerification: 'discouraged' } }).then("
                               " function () { document.title = 'passkey signed in'; }, refused);"
                               " } catch (e) { refused(e); } }</script>"));
}

// Pages that try to reach beyond the browser: links to other programs' addresses
// (the page's own, and an advert's in a frame from another site, localhost
// here), a page that goes to one by itself, and a page that downloads five
// files by itself, one after the other.
std::optional<DemoResponse> pageReachingBeyondTheBrowser(const DemoRequest &request)
{
    const QString &path = request.path;
    if (path == QLatin1String("/other-programs.html"))
        return page(QStringLiteral("Other programs \u2014 Demo Auctions"), {},
                    QStringLiteral("<p><a id=\"probe\" href=\"bwprobe://lot/900?seller=jo&amp;note=a%20b\">"
                                   "Open the lot in the viewer</a></p>"
                                   "<p><a id=\"mail\" href=\"mailto:seller@demo.test?subject=Item%20900\">"
                                   "Write to the seller</a></p>"
                                   "<script>document.write('<iframe id=\"advert\" width=\"300\" height=\"80\""
                                   " src=\"http://localhost:' + location.port + '/advert.html\"></iframe>');</script>"));
    if (path == QLatin1String("/advert.html"))
        return page(QString(), {},
                    QStringLiteral("<a id=\"offer\" href=\"bwprobe://advert/offer\" style=\"display: block;"
                                   " position: fixed; inset: 0; background: #fc0\">Win a prize</a>"));
    if (path == QLatin1String("/other-program-unasked.html"))
        return page(QStringLiteral("Unasked \u2014 Demo Auctions"), {},
                    QStringLiteral("<script>location.href = 'bwprobe://unasked';</script>"));
    if (path == QLatin1String("/downloads.html"))
        return page(QStringLiteral("Downloads \u2014 Demo Auctions"), {},
                    QStringLiteral("<script>var part = 0; function next() { var a = document.createElement('a');"
                                   " a.href = '/download/catalog.txt?part=' + (++part); a.download = 'part' + part + '.txt';"
                                   " document.body.appendChild(a); a.click(); if (part < 5) setTimeout(next, 300); }"
                                   " setTimeout(next, 100);</script>"));
    return std::nullopt;
}

// The pages that try what a page asks of its browser, each kind from a
// function of its own.
std::optional<DemoResponse> pageForTheBrowsersDuties(const DemoRequest &request)
{
    using PageFunction = std::optional<DemoResponse> (*)(const DemoRequest &);
    for (PageFunction pageFor : { &pageAskingTheBrowser, &pageUsingTheBrowsersServices, &invoicePages,
                                  &pageForNewWindows, &passkeyPage, &pageReachingBeyondTheBrowser }) {
        if (std::optional<DemoResponse> response = pageFor(request))
            return response;
    }
    return std::nullopt;
}

// The auction site's home page: today's items and the site's other pages.
DemoResponse auctionHomePage()
{
    QString links = QStringLiteral("<ul>");
    for (int item : { 123, 456, 789 })
        links += link(QStringLiteral("/itm/%1?hash=abc&var=2").arg(item), QStringLiteral("Item %1").arg(item));
    links += link(QStringLiteral("/frames.html"), QStringLiteral("Two frames"));
    links += link(QStringLiteral("/notitle.html"), QStringLiteral("A page without a title"));
    links += link(QStringLiteral("/with-image.html"), QStringLiteral("An item with a picture"));
    links += link(QStringLiteral("/download/catalog.txt"), QStringLiteral("Download the catalogue"));
    links += link(QStringLiteral("/invoice.html"), QStringLiteral("Your invoice"));
    links += QStringLiteral("</ul>");
    return page(QStringLiteral("Demo Auctions"), { QStringLiteral("Today's auctions:") }, links);
}

} // namespace

DemoResponse handleAuctionSite(const DemoRequest &request)
{
    if (request.body.size() > maxRequestBody)
        return errorPage(413, QStringLiteral("The request is too large."));
    if (!isGet(request))
        return errorPage(405, QStringLiteral("The auction site only serves pages."));
    const QString &path = request.path;
    if (path == QLatin1String("/"))
        return auctionHomePage();
    if (path.startsWith(QLatin1String("/itm/")) && path.size() > 5) {
        const QString item = path.mid(5);
        return page(QStringLiteral("Item %1 \u2014 Demo Auctions").arg(item),
                    { QStringLiteral("Auction for item %1. Ends soon.").arg(item) });
    }
    if (path == QLatin1String("/frames.html"))
        return page(QStringLiteral("Frames \u2014 Demo Auctions"), {},
                    QStringLiteral("<iframe src=\"/frame/a.html\"></iframe><iframe src=\"/frame/b.html\"></iframe>"));
    if (path == QLatin1String("/frame/a.html") || path == QLatin1String("/frame/b.html"))
        return page(QStringLiteral("Frame %1 \u2014 Demo Auctions").arg(path.mid(7, 1).toUpper()),
                    { QStringLiteral("Inside a frame.") });
    if (path == QLatin1String("/with-image.html"))
        return page(QStringLiteral("Pictures \u2014 Demo Auctions"), { QStringLiteral("An item with a picture.") },
                    QStringLiteral("<img src=\"/pixel.gif\" alt=\"item\">"));
    if (path == QLatin1String("/pixel.gif")) {
        // The smallest GIF: one transparent pixel.
        DemoResponse response;
        response.contentType = "image/gif";
        response.body = QByteArray::fromBase64("R0lGODlhAQABAAAAACH5BAEAAAAALAAAAAABAAEAAAIBAAA=");
        return response;
    }
    if (path == QLatin1String("/notitle.html"))
        return page(QString(), { QStringLiteral("This page has no title.") });
    // A site's "stay signed in": a cookie kept for a year. The picture is
    // asked for once the page, and so the cookie, has arrived.
    if (path == QLatin1String("/stay-signed-in.html")) {
        DemoResponse response = page(QStringLiteral("Signed in \u2014 Demo Auctions"),
                                     { QStringLiteral("You stay signed in on this computer.") },
                                     QStringLiteral("<img src=\"/pixel.gif\" alt=\"\">"));
        response.headers.append(qMakePair(QByteArray("Set-Cookie"),
                                          QByteArray("BWSTAY=signed-in; Max-Age=31536000; Path=/")));
        return response;
    }
    if (const std::optional<DemoResponse> browserPage = pageForTheBrowsersDuties(request))
        return *browserPage;
    if (path == QLatin1String("/download/catalog.txt")) {
        DemoResponse response;
        response.contentType = "text/plain; charset=utf-8";
        response.headers.append(
                qMakePair(QByteArray("Content-Disposition"), QByteArray("attachment; filename=\"catalog.txt\"")));
        response.body = "Item 123\nItem 456\nItem 789\n";
        return response;
    }
    return errorPage(404, QStringLiteral("There is no page at %1.").arg(path));
}

} // namespace bidwarden::demo

#pragma once

#include <QWidget>

#include <functional>

QT_BEGIN_NAMESPACE
class QLabel;
class QStackedLayout;
class QWebEngineDownloadRequest;
class QWebEngineView;
QT_END_NAMESPACE

namespace bidwarden {

class BrowserProfile;
class CertificateNotice;
class FindBar;
class WebPage;
class PagePrint;
class PageDownloads;
class PageClose;
class PageSave;
class PageOtherPrograms;
class PageSoundMark;
class PageView;
class PermissionBar;

// Opens a window for a page's request of one (a link to a new window, a
// sign-in popup), as a window of the opener's window, and gives the page
// view in it, where the requested page loads; nullptr opens nothing.
using PageWindowFactory = std::function<PageView *(QWidget *opener)>;

// One page as the program shows it, in a pane or in a page window, with
// everything a browser gives its pages: the engine's view and page, the
// permission bar and the find bar over it, a notice in its place once its
// renderer has ended (until the next load) or while a certificate
// nobody vouches for waits for the user, and the answers to what the page
// asks: new windows (made by the factory), sign-in, permissions, full
// screen, printing, saving (Save Page As), links to other programs (asked
// first), and its downloads (offered by the profile, several in a row only
// with the user's leave). It closes only once the page agrees (the close
// handshake), it zooms and finds, and it has a speaker mark while it plays
// sound. Once offered, its menu on a link has "Snipe Link". A page duty
// added here serves panes and page windows alike.
class PageView : public QWidget
{
    Q_OBJECT

public:
    // On the profile, which must outlive the view.
    PageView(BrowserProfile *profile, PageWindowFactory openWindow, QWidget *parent = nullptr);
    ~PageView() override;

    QWebEngineView *view() const { return m_view; }
    WebPage *page() const { return m_page; }
    PermissionBar *permissionBar() const { return m_permissions; }
    FindBar *findBar() const { return m_findBar; }
    // The print dialog and job of the page, its own print requests answered.
    PagePrint *pagePrint() const { return m_print; }
    // Save Page As for the page.
    PageSave *pageSave() const { return m_save; }
    // The notice shown in place of the page once its renderer has ended.
    QLabel *renderProcessNotice() const { return m_notice; }
    // The notice shown in place of the page while its site's certificate
    // waits for the user's answer.
    CertificateNotice *certificateNotice() const { return m_certificateNotice; }

    // The page's address as the engine loaded it, percent-encoding kept.
    QString address() const;
    // Loads the address the user gave (typed, chosen); one of another
    // program is handed over only once the user agrees in the bar.
    void load(const QUrl &address);
    // Adds "Snipe Link" to the page's menu on a link (snipeLinkRequested).
    void offerSnipeLink();

    // Whatever closes the page asks it first: closeAllowed() follows once
    // it may go, never inside this call; closeRefused() when the user chose
    // to stay. While a print job runs the page is asked once it has ended.
    void requestClose();

    // The zoom steps of Ctrl+Plus, Ctrl+Minus and Ctrl+0.
    void zoomIn();
    void zoomOut();
    void resetZoom();
    // Opens the find bar, or finds its text again (opening it when it has
    // nothing to find yet).
    void showFindBar();
    void findAgain(bool backward);

    // The speaker shown while the page plays sound or is muted; a click
    // mutes the page or lets it be heard again. Whoever frames the page
    // puts it where it shows.
    PageSoundMark *soundMark() const { return m_soundMark; }

Q_SIGNALS:
    // "Snipe Link" on a link: its absolute address, as encoded.
    void snipeLinkRequested(const QString &address);
    // The page asked for a download; raised before the user is asked where
    // to save it.
    void downloadStarting();
    // The user has answered where to save the page's download, or refused it.
    void downloadOffered();
    // The page's renderer ended abnormally; the text says how.
    void renderProcessEnded(const QString &what);
    // The answers to requestClose().
    void closeAllowed();
    void closeRefused();
    // The page's own window.close(), unasked: a page window goes, a pane
    // stays.
    void closeRequestedByPage();

private:
    void openWindowsFor(PageWindowFactory openWindow);
    void showRenderProcessEnded(int status, int exitCode);
    void handleDownloadRequested(QWebEngineDownloadRequest *download);

    BrowserProfile *m_profile = nullptr;
    QWebEngineView *m_view = nullptr;
    WebPage *m_page = nullptr;
    PermissionBar *m_permissions = nullptr;
    FindBar *m_findBar = nullptr;
    QLabel *m_notice = nullptr;
    PagePrint *m_print = nullptr;
    PageSave *m_save = nullptr;
    CertificateNotice *m_certificateNotice = nullptr;
    QStackedLayout *m_stack = nullptr;
    PageOtherPrograms *m_otherPrograms = nullptr;
    PageDownloads *m_downloads = nullptr;
    PageClose *m_close = nullptr;
    PageSoundMark *m_soundMark = nullptr;
};

} // namespace bidwarden

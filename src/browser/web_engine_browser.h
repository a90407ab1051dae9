#pragma once

#include "page_questions.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
class QWebEngineDownloadRequest;
class QWebEngineProfile;
class QWebEngineView;
QT_END_NAMESPACE

namespace bidwarden {

class BrowserPane;
class PageWindow;
class PanePage;
class PermissionBar;

// The engine's versions, as a user names them in a report: the Qt WebEngine
// version, the Chromium version it is built on and the Chromium security
// patch level it carries, each a name and a value.
QList<QPair<QString, QString>> engineFacts();

// Where downloads are offered: the user's download folder, or the home
// folder where there is none.
QString downloadFolder();

// Owns the one profile that every pane of the program shares (cookies, cache,
// the login made in the service pane) and makes panes on it. It must outlive
// the panes it made.
class WebEngineBrowser : public QObject
{
    Q_OBJECT

public:
    // storagePath empty: the engine's default place for a named profile.
    explicit WebEngineBrowser(const QString &storageName, const QString &storagePath = QString(),
                              QObject *parent = nullptr);
    ~WebEngineBrowser() override;

    BrowserPane *createPane(QWidget *parent);
    QWebEngineProfile *profile() const { return m_profile; }

    // Gives a page made on this profile what a browser gives its pages: its
    // requests for new windows open page windows, and its questions (sign-in,
    // permissions, full screen) are answered (PageRequests). The bar asks the
    // page's permission questions.
    void servePage(PanePage *page, QWebEngineView *view, PermissionBar *bar);
    // A page window, shown, as a window of the opener's window.
    PageWindow *openPageWindow(QWidget *opener);
    // Offers a download a page of this profile asked for.
    void offerDownload(QWebEngineDownloadRequest *download);

    // Asks where to save a download, given the suggested path; the empty
    // text cancels it. By default a save dialog asks the user.
    using SaveLocationChooser = std::function<QString(const QString &suggestedPath)>;
    void setSaveLocationChooser(SaveLocationChooser chooser) { m_chooseSaveLocation = std::move(chooser); }

Q_SIGNALS:
    // A download the user accepted has ended, completed or not.
    void downloadFinished(const QString &path, bool completed);
    // Snipe in a page window: the page's address, for the program's one
    // snipe path.
    void snipeRequested(const QString &address);

private:
    QWebEngineProfile *m_profile = nullptr;
    PermissionAnswers m_permissionAnswers;
    SaveLocationChooser m_chooseSaveLocation;
};

} // namespace bidwarden

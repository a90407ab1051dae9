#pragma once

#include "download_list.h"
#include "permission_answers.h"

#include <QLocale>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class QWebEngineDownloadRequest;
class QWebEngineProfile;
QT_END_NAMESPACE

namespace bidwarden {

class BrowsingData;
class DesktopNotifications;

// Where downloads are offered: the user's download folder, or the home
// folder where there is none.
QString downloadFolder();

// The one profile every page of the program is made on (cookies, cache, the
// login made in the service pane), with what the pages share beyond it: the
// user's answers to their permission questions and the offering of their
// downloads. It must outlive every page made on it.
class BrowserProfile : public QObject
{
    Q_OBJECT

public:
    // storagePath empty: the engine's default place for a named profile.
    explicit BrowserProfile(const QString &storageName, const QString &storagePath = QString(),
                            QObject *parent = nullptr);
    ~BrowserProfile() override;

    QWebEngineProfile *profile() const { return m_profile; }
    PermissionAnswers *permissionAnswers() { return &m_permissionAnswers; }
    // Where the pages' notifications go: the desktop's notification service.
    DesktopNotifications *notifications() const { return m_notifications.get(); }
    // What Clear Browsing Data clears.
    BrowsingData *browsingData() const { return m_browsingData.get(); }

    // Checks the spelling in the pages' text boxes in the locale's language
    // where the engine has a dictionary for it, and turns it off where it has
    // none. Made with the system's locale.
    void checkSpellingIn(const QLocale &locale);

    // Offers a download a page of this profile asked for.
    void offerDownload(QWebEngineDownloadRequest *download);
    // Follows a download that runs already (a page being saved) as one the
    // user accepted.
    void followDownload(QWebEngineDownloadRequest *download);
    // This run's downloads the user accepted, from every page.
    DownloadList *downloads() { return &m_downloads; }

    // Asks where to save a download, given the suggested path; the empty
    // text cancels it. By default a save dialog asks the user.
    using SaveLocationChooser = std::function<QString(const QString &suggestedPath)>;
    void setSaveLocationChooser(SaveLocationChooser chooser) { m_chooseSaveLocation = std::move(chooser); }

private:
    QWebEngineProfile *m_profile = nullptr;
    PermissionAnswers m_permissionAnswers;
    DownloadList m_downloads;
    SaveLocationChooser m_chooseSaveLocation;
    std::unique_ptr<DesktopNotifications> m_notifications;
    std::unique_ptr<BrowsingData> m_browsingData;
};

} // namespace bidwarden

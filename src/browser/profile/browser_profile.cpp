#include "browser_profile.h"

#include "browser_logging.h"
#include "browsing_data.h"
#include "desktop_notifications.h"
#include "engine_download.h"
#include "engine_version.h"
#include "notification_service.h"
#include "spelling.h"
#include "user_agent.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#if BIDWARDEN_ENGINE_HAS_CLIENT_HINTS()
#include <QWebEngineClientHints>
#endif
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#if BIDWARDEN_ENGINE_HAS_PROFILE_BUILDER()
#include <QWebEngineProfileBuilder>
#endif
#include <QWebEngineSettings>

namespace bidwarden {

QString downloadFolder()
{
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty() && QFileInfo(downloads).isDir())
        return downloads;
    return QDir::homePath();
}

namespace {

// The profile, its storage in place from the start. storagePath empty: the
// engine's default place for a named profile.
QWebEngineProfile *makeProfile(const QString &storageName, const QString &storagePath, QObject *parent)
{
#if BIDWARDEN_ENGINE_HAS_PROFILE_BUILDER()
    // Qt WebEngine 6.9 and later (Debian 13's backported 6.10, whose headers
    // say 6.8.2 all the same, hence no version check) take a profile's storage
    // and permissions policy as the profile is made, and ask that they stay
    // as made: the setters below change a profile already set up.
    QWebEngineProfileBuilder builder;
    if (!storagePath.isEmpty()) {
        builder.setPersistentStoragePath(storagePath);
        builder.setCachePath(storagePath + QStringLiteral("/cache"));
    }
    // The program remembers the user's answers until it ends; the engine
    // would otherwise keep them on disk by itself.
    builder.setPersistentPermissionsPolicy(QWebEngineProfile::PersistentPermissionsPolicy::AskEveryTime);
    return builder.createProfile(storageName, parent);
#else
    auto *profile = new QWebEngineProfile(storageName, parent);
    if (!storagePath.isEmpty()) {
        profile->setPersistentStoragePath(storagePath);
        profile->setCachePath(storagePath + QStringLiteral("/cache"));
    }
#if BIDWARDEN_ENGINE_HAS_PERMISSION_API()
    // Qt WebEngine 6.8 would otherwise keep permissions on disk by itself;
    // the program remembers the user's answers until it ends.
    profile->setPersistentPermissionsPolicy(QWebEngineProfile::PersistentPermissionsPolicy::AskEveryTime);
#endif
    return profile;
#endif
}

// The profile's pages present themselves as the Chromium the engine is, in
// the header, to scripts and (Qt WebEngine 6.8 and later) in the client
// hints; nothing else of what the engine sends changes.
void presentAsChromium(QWebEngineProfile *profile)
{
    profile->setHttpUserAgent(chromiumUserAgent(profile->httpUserAgent()));
#if BIDWARDEN_ENGINE_HAS_CLIENT_HINTS()
    // Qt WebEngine 6.8 sends the brands' full versions as a client hint
    // (Sec-CH-UA-Full-Version-List, userAgentData.getHighEntropyValues()).
    // Set only where a brand goes: setting the list sorts it anew.
    QWebEngineClientHints *hints = profile->clientHints();
    const QVariantMap brands = hints->fullVersionList();
    const QVariantMap chromium = chromiumBrands(brands);
    if (chromium != brands)
        hints->setFullVersionList(chromium);
#endif
}

// The engine keeps cookies and sites' storage in plain files: its folders
// are the user's alone, also where they were made before with wider access.
void keepToTheUser(const QString &folder)
{
    if (folder.isEmpty())
        return;
    if (!QDir().mkpath(folder)
        || !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        qCWarning(lcBrowser) << "could not keep the browser's folder" << folder << "to the user alone";
}

// What the user cleared in the last run that the engine held open then goes
// now, before the engine opens the folder again.
QWebEngineProfile *makeProfileAfterClearing(const QString &storageName, const QString &storagePath, QObject *parent)
{
    const QString folder = profileStoragePath(storageName, storagePath);
    const QString failure = removeSiteStorageMarkedForRemoval(folder);
    if (!failure.isEmpty())
        qCWarning(lcBrowser) << "the data sites store was not removed:" << failure;
    return makeProfile(storageName, storagePath, parent);
}

} // namespace

BrowserProfile::BrowserProfile(const QString &storageName, const QString &storagePath, QObject *parent)
    : QObject(parent)
    , m_profile(makeProfileAfterClearing(storageName, storagePath, this))
{
    keepToTheUser(m_profile->persistentStoragePath());
    keepToTheUser(m_profile->cachePath());
    // The save dialog opens in the user's download folder, not in whatever
    // folder the program happened to be started from.
    m_profile->setDownloadPath(downloadFolder());
    presentAsChromium(m_profile);
    checkSpellingIn(QLocale::system());
    m_notifications = std::make_unique<DesktopNotifications>(m_profile, desktopNotificationService());
    m_browsingData = std::make_unique<BrowsingData>(m_profile);
    // As browsers block popups: window.open opens a window only in answer to
    // the user's click or key.
    m_profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // A video's full-screen button works (PageFullScreen grants it).
    m_profile->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    // A PDF shows in the page, in the engine's viewer (PdfViewerEnabled is on
    // by default, but the viewer is a plugin); one sent as an attachment
    // stays a download. The viewer's print button reaches PagePrint as
    // printRequested from Qt WebEngine 6.7 on; 6.4 does not report it.
    m_profile->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    // A page opened from disk (a saved invoice) shows, and reads no other file.
    m_profile->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    // WebRTC offers pages the public interface only, not every local address.
    m_profile->settings()->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    m_chooseSaveLocation = [](const QString &suggestedPath) {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), tr("Save File"), suggestedPath);
    };
}

BrowserProfile::~BrowserProfile() = default;

void BrowserProfile::checkSpellingIn(const QLocale &locale)
{
    const QString folder = dictionaryFolder();
    const QStringList languages = spellCheckLanguagesFor(locale, dictionaryLanguages(folder));
    if (languages.isEmpty())
        qCDebug(lcBrowser) << "no spelling dictionary for" << locale.name() << "in"
                           << (folder.isEmpty() ? QStringLiteral("(no dictionary folder)") : folder);
    m_profile->setSpellCheckLanguages(languages);
    m_profile->setSpellCheckEnabled(!languages.isEmpty());
}

void BrowserProfile::offerDownload(QWebEngineDownloadRequest *download)
{
    // The engine drops a request that is not accepted during this signal, so
    // the question is asked here. Nothing is written before the user agrees.
    const QString suggested = QDir(download->downloadDirectory()).filePath(download->suggestedFileName());
    const QString path = m_chooseSaveLocation ? m_chooseSaveLocation(suggested) : QString();
    if (path.isEmpty()) {
        download->cancel();
        return;
    }
    const QFileInfo target(path);
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    download->accept();
    followDownload(download);
}

void BrowserProfile::followDownload(QWebEngineDownloadRequest *download)
{
    m_downloads.add(new EngineDownload(download, &m_downloads));
}

} // namespace bidwarden

#include "browsing_data.h"

#include "browser_logging.h"
#include "engine_version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QNetworkCookie>
#include <QStandardPaths>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

namespace bidwarden {

namespace {

// Beside the engine's own files in the profile's folder.
const QString removalMark = QStringLiteral("bidwarden-remove-site-storage");

// Where Chromium keeps what sites store for themselves, in a profile's
// folder: local and session storage, IndexedDB, Web SQL, the file system
// API, service workers and their caches, storage buckets, blobs.
const QStringList siteStorageFolders{
    QStringLiteral("Local Storage"), QStringLiteral("Session Storage"), QStringLiteral("IndexedDB"),
    QStringLiteral("databases"),     QStringLiteral("File System"),     QStringLiteral("Service Worker"),
    QStringLiteral("WebStorage"),    QStringLiteral("blob_storage"),
};

QByteArray cookieKey(const QNetworkCookie &cookie)
{
    return cookie.domain().toUtf8() + '\t' + cookie.path().toUtf8() + '\t' + cookie.name();
}

} // namespace

BrowsingData::BrowsingData(QWebEngineProfile *profile, QObject *parent)
    : QObject(parent)
    , m_profile(profile)
{
    QWebEngineCookieStore *store = m_profile->cookieStore();
    connect(store, &QWebEngineCookieStore::cookieAdded, this,
            [this](const QNetworkCookie &cookie) { m_cookies.insert(cookieKey(cookie)); });
    connect(store, &QWebEngineCookieStore::cookieRemoved, this, &BrowsingData::cookieRemoved);
    // Those kept from earlier runs are told once, here.
    store->loadAllCookies();
#if BIDWARDEN_ENGINE_REPORTS_CACHE_CLEARED()
    connect(m_profile, &QWebEngineProfile::clearHttpCacheCompleted, this, [this] {
        if (m_waiting.contains(Part::Cache))
            report(Part::Cache, Outcome::Done);
    });
#endif
}

void BrowsingData::clear(const QList<Part> &parts)
{
    QList<Part> toClear;
    for (Part part : parts) {
        if (!m_waiting.contains(part) && !toClear.contains(part))
            toClear.append(part);
    }
    m_waiting += toClear;
    for (Part part : toClear) {
        switch (part) {
        case Part::Cookies:
            clearCookies();
            break;
        case Part::SiteStorage:
            clearSiteStorage();
            break;
        case Part::Cache:
            clearCache();
            break;
        case Part::VisitedLinks:
            m_profile->clearAllVisitedLinks();
            report(part, Outcome::Done);
            break;
        }
    }
}

void BrowsingData::clearCookies()
{
    m_cookiesToGo = m_cookies;
    m_profile->cookieStore()->deleteAllCookies();
    if (m_cookiesToGo.isEmpty())
        report(Part::Cookies, Outcome::Done);
}

void BrowsingData::cookieRemoved(const QNetworkCookie &cookie)
{
    const QByteArray key = cookieKey(cookie);
    m_cookies.remove(key);
    if (m_cookiesToGo.remove(key) && m_cookiesToGo.isEmpty() && m_waiting.contains(Part::Cookies))
        report(Part::Cookies, Outcome::Done);
}

void BrowsingData::clearSiteStorage()
{
    const QString failure = markSiteStorageForRemoval(m_profile->persistentStoragePath());
    report(Part::SiteStorage, failure.isEmpty() ? Outcome::AtNextStart : Outcome::Failed, failure);
}

void BrowsingData::clearCache()
{
    m_profile->clearHttpCache();
#if !BIDWARDEN_ENGINE_REPORTS_CACHE_CLEARED()
    // Qt WebEngine 6.4 clears the cache without saying when it is done.
    report(Part::Cache, Outcome::Started);
#endif
}

void BrowsingData::report(Part part, Outcome outcome, const QString &failure)
{
    if (outcome == Outcome::Failed)
        qCWarning(lcBrowser) << "could not clear" << part << ":" << failure;
    m_waiting.removeOne(part);
    Q_EMIT partCleared(part, outcome, failure);
    if (m_waiting.isEmpty())
        Q_EMIT finished();
}

QString BrowsingData::describe(Part part, Outcome outcome, const QString &failure)
{
    switch (outcome) {
    case Outcome::Failed:
        switch (part) {
        case Part::Cookies: return tr("Cookies could not be deleted: %1").arg(failure);
        case Part::SiteStorage: return tr("The data sites store could not be removed: %1").arg(failure);
        case Part::Cache: return tr("Cached pages and images could not be cleared: %1").arg(failure);
        case Part::VisitedLinks: return tr("Visited links could not be cleared: %1").arg(failure);
        }
        break;
    case Outcome::Started:
        return part == Part::Cache ? tr("Cached pages and images are being cleared by the browser engine.")
                                   : tr("Being cleared.");
    case Outcome::AtNextStart:
        return tr("The data sites store (local storage, databases) will be removed when Bidwarden next starts.");
    case Outcome::Done:
        switch (part) {
        case Part::Cookies: return tr("Cookies deleted: you are signed out of every site.");
        case Part::SiteStorage: return tr("The data sites store has been removed.");
        case Part::Cache: return tr("Cached pages and images cleared.");
        case Part::VisitedLinks: return tr("Visited links cleared.");
        }
        break;
    }
    return QString();
}

QString profileStoragePath(const QString &storageName, const QString &storagePath)
{
    if (!storagePath.isEmpty())
        return storagePath;
    // The engine's own rule for a named profile (ProfileAdapter::dataPath,
    // alike in Qt WebEngine 6.4 to 6.10).
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.") + QCoreApplication::applicationName();
    return base + QStringLiteral("/QtWebEngine/") + storageName;
}

QString markSiteStorageForRemoval(const QString &profileFolder)
{
    if (profileFolder.isEmpty())
        return BrowsingData::tr("the browser keeps no data on disk.");
    QFile mark(QDir(profileFolder).filePath(removalMark));
    if (!mark.open(QIODevice::WriteOnly) || !mark.flush()) // an empty file: being there is the mark
        return mark.errorString();
    return QString();
}

QString removeSiteStorageMarkedForRemoval(const QString &profileFolder)
{
    const QDir folder(profileFolder);
    if (profileFolder.isEmpty() || !folder.exists(removalMark))
        return QString();
    QStringList left;
    for (const QString &name : siteStorageFolders) {
        QDir storage(folder.filePath(name));
        if (storage.exists() && !storage.removeRecursively())
            left.append(name);
    }
    if (!left.isEmpty()) {
        // The mark stays: the next start tries again.
        return BrowsingData::tr("could not remove %1 in %2").arg(left.join(QStringLiteral(", ")), profileFolder);
    }
    if (!QFile::remove(folder.filePath(removalMark)))
        return BrowsingData::tr("could not remove the mark %1").arg(folder.filePath(removalMark));
    return QString();
}

} // namespace bidwarden

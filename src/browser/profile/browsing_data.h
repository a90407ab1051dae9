#pragma once

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

QT_BEGIN_NAMESPACE
class QNetworkCookie;
class QWebEngineProfile;
QT_END_NAMESPACE

namespace bidwarden {

// What sites and the engine keep of the user's browsing, cleared on the
// user's word (Tools › Clear Browsing Data…): cookies (which signs the user
// out of every site, the service included), the sites' own storage, the
// cache and the visited links. The program's settings files and the address
// box's list are not the engine's and stay.
class BrowsingData : public QObject
{
    Q_OBJECT

public:
    enum class Part { Cookies, SiteStorage, Cache, VisitedLinks };
    Q_ENUM(Part)
    enum class Outcome {
        Done,        // gone now
        Started,     // the engine clears it in its own time and does not say when it is done
        AtNextStart, // the engine keeps it open while it runs: removed as the program next starts
        Failed,
    };
    Q_ENUM(Outcome)

    explicit BrowsingData(QWebEngineProfile *profile, QObject *parent = nullptr);

    // Clears these parts; each is reported once, as it ends. One clearing
    // at a time: a part still being cleared is not asked again.
    void clear(const QList<Part> &parts);
    bool isClearing() const { return !m_waiting.isEmpty(); }

    // The outcome in the user's words.
    static QString describe(Part part, Outcome outcome, const QString &failure = QString());

Q_SIGNALS:
    void partCleared(bidwarden::BrowsingData::Part part, bidwarden::BrowsingData::Outcome outcome,
                     const QString &failure);
    // Every part of the last clear() has been reported.
    void finished();

private:
    void clearCookies();
    void clearSiteStorage();
    void clearCache();
    void report(Part part, Outcome outcome, const QString &failure = QString());
    void cookieRemoved(const QNetworkCookie &cookie);

    QWebEngineProfile *m_profile = nullptr;
    // The cookies the engine holds, as it tells them, and those a deletion
    // still waits to hear are gone: the engine deletes without saying when
    // it is done, but tells each cookie it removes.
    QSet<QByteArray> m_cookies;
    QSet<QByteArray> m_cookiesToGo;
    QList<Part> m_waiting;
};

// The folder the engine keeps a profile's data in: storagePath, or where
// the engine puts a named profile's when it is empty.
QString profileStoragePath(const QString &storageName, const QString &storagePath);

// The sites' storage (local storage, IndexedDB, …) is held open by the
// engine while it runs: it is marked in the profile's folder, and removed
// before the engine next opens the folder. Both give the failure in words,
// empty on success; a removal that fails keeps the mark for the next start.
QString markSiteStorageForRemoval(const QString &profileFolder);
QString removeSiteStorageMarkedForRemoval(const QString &profileFolder);

} // namespace bidwarden

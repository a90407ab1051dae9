#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
class QWebEngineDownloadRequest;
class QWebEngineProfile;
QT_END_NAMESPACE

namespace bidwarden {

class BrowserPane;

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

    // Asks where to save a download, given the suggested path; the empty
    // text cancels it. By default a save dialog asks the user.
    using SaveLocationChooser = std::function<QString(const QString &suggestedPath)>;
    void setSaveLocationChooser(SaveLocationChooser chooser) { m_chooseSaveLocation = std::move(chooser); }

Q_SIGNALS:
    // A download the user accepted has ended, completed or not.
    void downloadFinished(const QString &path, bool completed);

private:
    void offerDownload(QWebEngineDownloadRequest *download);

    QWebEngineProfile *m_profile = nullptr;
    SaveLocationChooser m_chooseSaveLocation;
};

} // namespace bidwarden

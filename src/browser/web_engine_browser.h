#pragma once

#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QWebEngineProfile;
QT_END_NAMESPACE

namespace bidwarden {

class BrowserPane;

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

    BrowserPane *createPane(QWidget *parent) const;
    QWebEngineProfile *profile() const { return m_profile; }

private:
    QWebEngineProfile *m_profile = nullptr;
};

} // namespace bidwarden

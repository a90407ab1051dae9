#include "web_engine_browser.h"

#include "web_engine_pane.h"

#include <QWebEngineProfile>

namespace bidwarden {

WebEngineBrowser::WebEngineBrowser(const QString &storageName, const QString &storagePath,
                                   QObject *parent)
    : QObject(parent)
    , m_profile(new QWebEngineProfile(storageName, this))
{
    if (!storagePath.isEmpty()) {
        m_profile->setPersistentStoragePath(storagePath);
        m_profile->setCachePath(storagePath + QStringLiteral("/cache"));
    }
}

WebEngineBrowser::~WebEngineBrowser() = default;

BrowserPane *WebEngineBrowser::createPane(QWidget *parent) const
{
    return new WebEnginePane(m_profile, parent);
}

} // namespace bidwarden

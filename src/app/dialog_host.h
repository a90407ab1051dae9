#pragma once

#include "set_homepage_dialog.h"
#include "settings_folder.h"
#include "store_password_dialog.h"

#include <QObject>
#include <QPointer>

namespace bidwarden {

// Keeps each settings dialog a single instance: created on first use, shown
// again (with what was typed) when asked for while open. The dialogs have no
// owner window, so they stay open when the main window closes.
class DialogHost : public QObject
{
    Q_OBJECT

public:
    explicit DialogHost(const SettingsFolder &settings, QObject *parent = nullptr);
    ~DialogHost() override;

    void showStorePassword();
    void showSetHomepage();
    // Exit closes the store-password dialog, never the set-homepage one.
    void closeStorePassword();

    StorePasswordDialog *storePasswordDialog() const { return m_storePassword; }
    SetHomepageDialog *setHomepageDialog() const { return m_setHomepage; }

private:
    SettingsFolder m_settings;
    QPointer<StorePasswordDialog> m_storePassword;
    QPointer<SetHomepageDialog> m_setHomepage;
};

} // namespace bidwarden

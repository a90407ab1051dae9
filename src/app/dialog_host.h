#pragma once

#include "about_window.h"
#include "clear_data_dialog.h"
#include "set_homepage_dialog.h"
#include "settings_folder.h"
#include "store_password_dialog.h"

#include <QObject>
#include <QPointer>

#include <functional>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

// The program's other windows, each a single instance: created on first use
// and brought to the front (with what was typed) when asked for again. The
// settings dialogs have no owner window, so they stay open when the main
// window closes; About is the main window's and closes with it. The help page
// opens in the desktop's application for it.
class DialogHost : public QObject
{
    Q_OBJECT

public:
    DialogHost(const SettingsFolder &settings, QWidget *mainWindow);
    ~DialogHost() override;

    void showStorePassword();
    void showSetHomepage();
    // Exit closes the store-password dialog, never the set-homepage one.
    void closeStorePassword();
    void openHelp();
    void showAbout();
    // Tools › Clear Browsing Data…; the main window's, as About is.
    void showClearBrowsingData();

    // What Help › About names besides the program, Qt and the settings folder:
    // the browser engine's versions and package, which only the engine's side
    // knows; asked for when About opens (the package database is read then,
    // not while the program starts).
    void setEngineFacts(std::function<AboutFacts()> facts) { m_engineFacts = std::move(facts); }
    AboutFacts aboutFacts() const;
    // Connects the Clear Browsing Data dialog, as it is made, to what clears
    // the data, which only the engine's side has.
    void setBrowsingDataClearing(std::function<void(ClearDataDialog *)> connectDialog)
    {
        m_connectClearing = std::move(connectDialog);
    }
    ClearDataDialog *clearDataDialog() const { return m_clearData; }

    StorePasswordDialog *storePasswordDialog() const { return m_storePassword; }
    SetHomepageDialog *setHomepageDialog() const { return m_setHomepage; }

Q_SIGNALS:
    // Something the user should know, for the status bar.
    void notice(const QString &text);

private:
    SettingsFolder m_settings;
    QWidget *m_mainWindow = nullptr;
    std::function<AboutFacts()> m_engineFacts;
    QPointer<StorePasswordDialog> m_storePassword;
    QPointer<SetHomepageDialog> m_setHomepage;
    QPointer<AboutWindow> m_about;
    std::function<void(ClearDataDialog *)> m_connectClearing;
    QPointer<ClearDataDialog> m_clearData;
};

} // namespace bidwarden

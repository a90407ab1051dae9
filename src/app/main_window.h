#pragma once

#include "endpoints.h"
#include "service_post.h"
#include "settings_folder.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

QT_BEGIN_NAMESPACE
class QLabel;
class QTabBar;
class QTimer;
class QToolBar;
QT_END_NAMESPACE

namespace bidwarden {

class AddressBox;
class BrowserPane;
class DialogHost;
struct Commands;
class StatusPanels;

// Makes one browser pane as a child of the given widget.
using PaneFactory = std::function<BrowserPane *(QWidget *parent)>;

// The program's main window: the auction pane and the service pane in one
// place, a tab strip that brings one of them to the front with its toolbar,
// the address box and the status bar.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The tabs of the tab strip, in order.
    enum Tab { ServiceTab = 0, AuctionTab = 1 };

    MainWindow(const Endpoints &endpoints, const SettingsFolder &settings,
               const PaneFactory &makePane, QWidget *parent = nullptr);
    ~MainWindow() override;

    BrowserPane *auctionPane() const { return m_auctionPane; }
    BrowserPane *servicePane() const { return m_servicePane; }
    Tab currentTab() const;
    void selectTab(Tab tab);

    // Logs in to the service with the stored credentials, in the service pane.
    void loadPasswordInit();
    // Posts in the service pane, then brings the given tab to the front once
    // the service has answered (or shortly after, if it is slow), so showing
    // the pane does not hold up the request. Selecting a tab in the meantime
    // cancels the switch.
    void postToService(const ServicePost &post, Tab tabAfterwards);

    DialogHost *dialogs() const { return m_dialogs; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls(const PaneFactory &makePane);
    void createMenus();
    QToolBar *createToolbar(const char *objectName, const QString &accessibleName,
                            const QList<QAction *> &actions,
                            const QRect &geometry);
    void connectCommands();
    void connectAuctionPageEvents();
    void runStartup();
    void applyLayout();
    void showTab(int index);
    void sendNextQueuedPost();
    void applyPendingTab();
    BrowserPane *frontPane() const;

    void snipeCurrentAuction();
    void openHelp();
    void loadInPane(BrowserPane *pane, const QString &address, Tab tab);

    int px(int twips) const;

    Endpoints m_endpoints;
    SettingsFolder m_settings;
    std::unique_ptr<Commands> m_commands;
    QWidget *m_client = nullptr;
    BrowserPane *m_auctionPane = nullptr;
    BrowserPane *m_servicePane = nullptr;
    QTabBar *m_tabStrip = nullptr;
    QToolBar *m_auctionToolbar = nullptr;
    QToolBar *m_serviceToolbar = nullptr;
    QWidget *m_addressLabelBox = nullptr;
    QLabel *m_addressLabel = nullptr;
    AddressBox *m_urlbox = nullptr;
    StatusPanels *m_status = nullptr;
    DialogHost *m_dialogs = nullptr;
    // Posts waiting for the service pane's current load to end: the start-up
    // login waits for the start page, and a snipe made meanwhile for the login.
    QList<ServicePost> m_queuedPosts;
    // The tab a post selects once the service has answered.
    std::optional<Tab> m_pendingTab;
    QTimer *m_pendingTabFallback = nullptr;
    // Insert toggles overwrite mode; the program keeps that state itself.
    bool m_overwrite = false;
    quint64 m_lastInsertTimestamp = 0;
};

} // namespace bidwarden

#pragma once

#include "about_window.h"
#include "close_consent.h"
#include "endpoints.h"
#include "pane_tabs.h"
#include "settings_folder.h"
#include "window_layout.h"

#include <QMainWindow>

#include <memory>
#include <optional>

QT_BEGIN_NAMESPACE
class QLabel;
QT_END_NAMESPACE

namespace bidwarden {

class AddressBox;
class AuctionPageReport;
class BrowserPane;
class CloseConsent;
class DownloadList;
class DialogHost;
class ServiceSession;
class StatusPanels;
struct Commands;

// The program's main window: the auction pane and the service pane in one
// place, a tab strip that brings one of them to the front with its toolbar,
// the address box and the status bar. It builds and connects the parts that
// do the work (PaneTabs, AuctionPageReport, ServiceSession, CloseConsent,
// DialogHost) and places them (WindowLayout).
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    using Tab = PaneTabs::Tab;
    static constexpr Tab ServiceTab = PaneTabs::ServiceTab;
    static constexpr Tab AuctionTab = PaneTabs::AuctionTab;

    MainWindow(const Endpoints &endpoints, const SettingsFolder &settings, const PaneFactory &makePane,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    BrowserPane *auctionPane() const;
    BrowserPane *servicePane() const;
    Tab currentTab() const;
    // From code, exactly as a click on the tab.
    void selectTab(Tab tab);
    DialogHost *dialogs() const { return m_dialogs; }
    void setEngineFacts(std::function<AboutFacts()> facts);
    // The page windows open now, whose pages are asked with the panes' when
    // the window closes, and which close with it.
    void setPageWindows(PageWindowClosers pageWindows);

    // Snipes this address through the one snipe path (as Snipe Auction does
    // with the box's text) and brings the window to the front: Snipe in a
    // page window.
    void snipeAddress(const QString &address);

    // Ends the program as Exit does, but nothing asks first (the session is
    // ending): the pages are not asked, and every window closes, the dialogs
    // unsaved.
    void closeWithoutAsking();

    // Follows the run's downloads: their progress in the status bar, Tools ›
    // Downloads, and a question before leaving while any runs.
    void followDownloads(DownloadList *downloads);

    // Tells the user something in panel 1, whole in its tooltip; the auction
    // pane's next page event replaces it.
    void showNotice(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Lets each pane's page, and each page window's, ask before the window
    // closes.
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls(const PaneFactory &makePane);
    void createMenus();
    void connectCommands();
    void connectKeptSnipes();
    void runStartup();
    void snipe(const QString &address);
    void focusAddressBox();
    void showServicePage(const QString &address);

    Endpoints m_endpoints;
    SettingsFolder m_settings;
    std::unique_ptr<Commands> m_commands;
    DialogHost *m_dialogs = nullptr;
    PaneTabs *m_tabs = nullptr;
    QLabel *m_addressLabel = nullptr;
    AddressBox *m_addressBox = nullptr;
    StatusPanels *m_status = nullptr;
    ServiceSession *m_session = nullptr;
    AuctionPageReport *m_pageReport = nullptr;
    CloseConsent *m_closeConsent = nullptr;
    DownloadList *m_downloads = nullptr;
    std::optional<WindowLayout> m_layout;
    // Exit, rather than the close box, asked for the close.
    bool m_exitRequested = false;
    // In this close attempt, the user chose to leave snipes that are not
    // sent yet, or while downloads run.
    bool m_leaveUnsentAgreed = false;
    bool m_leaveDownloadsAgreed = false;
};

} // namespace bidwarden

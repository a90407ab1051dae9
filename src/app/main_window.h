#pragma once

#include "about_window.h"
#include "endpoints.h"
#include "service_post.h"
#include "settings_folder.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class QLabel;
class QTabBar;
class QToolBar;
QT_END_NAMESPACE

namespace bidwarden {

class AddressBox;
class BrowserPane;
class DialogHost;
class ServicePoster;
class StatusPanels;
struct Commands;

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
    // From code, exactly as a click on the tab: selecting the tab in front
    // changes nothing.
    void selectTab(Tab tab);
    DialogHost *dialogs() const { return m_dialogs; }

    // What Help › About names besides the program, Qt and the settings folder:
    // the browser engine's versions, which only the engine's side knows.
    void setEngineFacts(const AboutFacts &facts) { m_engineFacts = facts; }
    AboutFacts aboutFacts() const;

    // Snipes this address through the one snipe path (as Snipe Auction does
    // with the box's text) and brings the window to the front: Snipe in a
    // page window.
    void snipeAddress(const QString &address);

    // Ends the program as Exit does, but nothing asks first (the session is
    // ending): the pages are not asked, and every window closes, the dialogs
    // unsaved.
    void closeWithoutAsking();

    // Tells the user something in panel 1, whole in its tooltip; the auction
    // pane's next page event replaces it.
    void showNotice(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Lets each pane's page ask before the window closes.
    void closeEvent(QCloseEvent *event) override;
    // The mouse's back and forward buttons, anywhere in the window.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls(const PaneFactory &makePane);
    void createAddressLabel();
    void createMenus();
    void connectCommands();
    void connectAuctionPageEvents();
    void runStartup();
    void logInWithStoredCredentials();
    void snipeCurrentAuction();
    void snipe(const QString &address);
    void allowClose(BrowserPane *pane);
    void connectBrowserKeys();
    void updateStopKey();
    void focusAddressBox();
    void acceptLinksOnTheSnipeButton();
    void refreshFrontPane();
    void openHelp();
    void showAbout();
    void loadInAuctionPane(const QString &address);
    void showServicePage(const QString &address);
    void showTab(int index);
    BrowserPane *frontPane() const;
    void applyLayout();
    int px(int twips) const;
    QRect px(const QRect &twips) const;

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
    AddressBox *m_addressBox = nullptr;
    // How far the address box starts right of its place, to clear a label
    // that the desktop's font made wider than the layout allows.
    int m_addressBoxShift = 0;
    StatusPanels *m_status = nullptr;
    DialogHost *m_dialogs = nullptr;
    ServicePoster *m_poster = nullptr;
    AboutFacts m_engineFacts;
    // Closing: the panes whose pages have agreed in this attempt, whether
    // both have, and whether Exit asked for it.
    QList<BrowserPane *> m_panesAgreeing;
    bool m_closeAgreed = false;
    bool m_exitRequested = false;
    QPointer<AboutWindow> m_about;
    QWidget *m_snipeButton = nullptr;
    // What the user last entered in the box, until its page or a download
    // answers it.
    QString m_enteredAddress;
};

} // namespace bidwarden

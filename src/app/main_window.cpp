#include "main_window.h"

#include "address_box.h"
#include "auction_page_report.h"
#include "browser_pane.h"
#include "close_consent.h"
#include "commands.h"
#include "dialog_host.h"
#include "download_list.h"
#include "download_progress.h"
#include "downloads_window.h"
#include "form_units.h"
#include "icons.h"
#include "keyboard_indicators.h"
#include "leave_question.h"
#include "link_drop_target.h"
#include "resend_question.h"
#include "service_session.h"
#include "status_panels.h"
#include "text_file.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>

namespace bidwarden {

MainWindow::MainWindow(const Endpoints &endpoints, const SettingsFolder &settings, const PaneFactory &makePane,
                       QWidget *parent)
    : QMainWindow(parent)
    , m_endpoints(endpoints)
    , m_settings(settings)
    , m_commands(std::make_unique<Commands>(this))
    , m_dialogs(new DialogHost(settings, this))
{
    registerProgramIcons();
    setObjectName(QStringLiteral("frmWeb"));
    setWindowTitle(tr("Bidwarden Auction Sniper"));
    createControls(makePane);
    createMenus();
    connectCommands();
    // No minimum size: the layout rules skip what would turn negative.
    setMinimumSize(1, 1);
    m_layout->placeFirstWindow(menuBar()->sizeHint().height());
    runStartup();
    new KeyboardIndicators(m_status, this);
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls(const PaneFactory &makePane)
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    auto *labelBox = new QWidget(client);
    labelBox->setObjectName(QStringLiteral("picboxAddress"));
    m_addressLabel = new QLabel(tr("Address:"), labelBox);
    m_addressLabel->setObjectName(QStringLiteral("Label1"));
    m_addressLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_tabs = new PaneTabs(client, makePane, *m_commands);
    m_addressBox = new AddressBox(client);
    m_addressBox->setObjectName(QStringLiteral("Urlbox"));
    m_addressBox->setAccessibleName(tr("Auction address"));
    m_addressLabel->setBuddy(m_addressBox);
    m_tabs->showWithAuctionTab({ m_addressLabel, m_addressBox });

    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(bar);
    m_status = new StatusPanels(bar, layoutDpi(this));

    m_layout.emplace(this, WindowControls{ m_tabs->auctionToolbar(), m_tabs->serviceToolbar(), m_tabs->tabStrip(),
                                           labelBox, m_addressLabel, m_addressBox, m_tabs->auctionPane(),
                                           m_tabs->servicePane() });
    m_layout->placeControls();

    // Focus order: the auction pane, the address box, the tab strip, the service pane.
    setTabOrder(m_tabs->auctionPane(), m_addressBox);
    setTabOrder(m_addressBox, m_tabs->tabStrip());
    setTabOrder(m_tabs->tabStrip(), m_tabs->servicePane());

    m_session = new ServiceSession(m_tabs->servicePane(), m_endpoints.serviceBase, this);
    m_pageReport = new AuctionPageReport(m_tabs->auctionPane(), m_status, m_addressBox, this);
    m_closeConsent = new CloseConsent({ m_tabs->auctionPane(), m_tabs->servicePane() }, this);
}

void MainWindow::createMenus()
{
    const auto addMenu = [this](const char *objectName, const QString &title, const QList<QAction *> &items) {
        QMenu *menu = menuBar()->addMenu(title);
        menu->setObjectName(QString::fromLatin1(objectName));
        menu->addActions(items);
        return menu;
    };
    const Commands &c = *m_commands;
    addMenu("mnuFile", tr("&File"), { c.savePageAs, c.print, c.exit });
    addMenu("mnuNavigate", tr("&Navigate"), { c.back, c.forward, c.stop, c.refresh, c.auctionHome, c.serviceHome });
    QMenu *tools = addMenu("mnuTools", tr("&Tools"),
                           { c.snipe, c.setHomepage, c.storePassword, c.downloads, c.clearBrowsingData });
    // The service's commands, then the browser's own.
    tools->insertSeparator(c.downloads);
    addMenu("mnuHelp", tr("&Help"), { c.help, c.serviceFaq, c.about });
    // Window-wide, also while the page has the keyboard focus.
    addActions(c.browserKeys());
}

void MainWindow::connectCommands()
{
    const Commands &c = *m_commands;
    connect(c.refresh, &QAction::triggered, this, [this] {
        BrowserPane *pane = m_tabs->front();
        refreshAskingFirst(this, pane, pane == m_tabs->servicePane() ? m_endpoints.serviceBase : QString());
    });
    connect(c.auctionHome, &QAction::triggered, this, [this] {
        m_tabs->auctionPane()->navigate(m_endpoints.auctionHome);
        selectTab(AuctionTab);
    });
    connect(c.serviceHome, &QAction::triggered, this, [this] { showServicePage(m_endpoints.serviceBase); });
    connect(c.serviceFaq, &QAction::triggered, this, [this] {
        showServicePage(serviceAddress(m_endpoints.serviceBase, servicePaths::faq).toString());
    });
    // The box's text is the auction: what the last navigation wrote there, or
    // what the user has typed since, also while the box is hidden.
    connect(c.snipe, &QAction::triggered, this, [this] { snipe(m_addressBox->text()); });
    connect(c.focusAddress, &QAction::triggered, this, &MainWindow::focusAddressBox);
    connect(c.fullScreen, &QAction::triggered, this, [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
    connect(c.help, &QAction::triggered, m_dialogs, &DialogHost::openHelp);
    connect(c.about, &QAction::triggered, m_dialogs, &DialogHost::showAbout);
    connect(c.setHomepage, &QAction::triggered, m_dialogs, &DialogHost::showSetHomepage);
    connect(c.storePassword, &QAction::triggered, m_dialogs, &DialogHost::showStorePassword);
    connect(c.clearBrowsingData, &QAction::triggered, m_dialogs, &DialogHost::showClearBrowsingData);
    connect(c.exit, &QAction::triggered, this, [this] {
        m_exitRequested = true;
        close();
    });
    connect(m_dialogs, &DialogHost::notice, this, &MainWindow::showNotice);
    connect(m_closeConsent, &CloseConsent::allAgreed, this, &QWidget::close);

    connect(m_tabs, &PaneTabs::currentChanged, m_session, [this](Tab tab) {
        if (tab == ServiceTab)
            m_session->serviceBroughtUp();
    });
    connectKeptSnipes();
    connect(m_addressBox, &AddressBox::addressEntered, m_tabs->auctionPane(), &BrowserPane::navigate);
    connect(m_addressBox, &AddressBox::addressEntered, m_pageReport, &AuctionPageReport::addressEntered);
    // "Snipe Link" in the auction pane's menu, and a link dropped on Snipe.
    m_tabs->auctionPane()->offerSnipeLink();
    connect(m_tabs->auctionPane(), &BrowserPane::snipeLinkRequested, this, &MainWindow::snipe);
    if (QWidget *snipeButton = m_tabs->auctionToolbar()->widgetForAction(c.snipe)) {
        auto *dropTarget = new LinkDropTarget(snipeButton);
        connect(dropTarget, &LinkDropTarget::linkDropped, this, &MainWindow::snipe);
    }
}

void MainWindow::connectKeptSnipes()
{
    connect(m_session, &ServiceSession::snipeKept, this, [this](const QString &address) {
        showNotice(tr("Not sent: the service cannot be reached. The snipe of %1 will be sent when it answers.")
                           .arg(address));
    });
    // Sent by the timer, it leaves the window as the user has it; the
    // service tab is marked until it is shown.
    connect(m_session, &ServiceSession::keptSnipeSent, this, [this](const QString &address, bool byUser) {
        showNotice(tr("Sent to the service: the snipe of %1.").arg(address));
        if (!byUser)
            m_tabs->markServiceAnswered();
    });
    connect(m_session, &ServiceSession::keptSnipeCountChanged, m_tabs, &PaneTabs::setWaitingSnipes);
}

void MainWindow::runStartup()
{
    m_tabs->tabStrip()->lower();
    m_layout->moveToStartPositions();
    // The start-up steps pass over what fails without a message: an
    // unreadable home-page file reads as the empty address.
    const QString homepageFile = m_settings.homepageFile();
    m_tabs->auctionPane()->navigate(fileExists(homepageFile) ? readTextFileContentsQuietly(homepageFile)
                                                             : m_endpoints.auctionHome);
    m_session->openStartPage();
    m_status->setPageStatus(QStringLiteral("Ready."));
    m_status->setConnectionText(QStringLiteral("Online."));
    selectTab(AuctionTab);
    if (fileExists(m_settings.credentialsFile()))
        m_session->logInWithStoredCredentials(m_settings.credentialsFile());
}

BrowserPane *MainWindow::auctionPane() const
{
    return m_tabs->auctionPane();
}

BrowserPane *MainWindow::servicePane() const
{
    return m_tabs->servicePane();
}

MainWindow::Tab MainWindow::currentTab() const
{
    return m_tabs->current();
}

void MainWindow::selectTab(Tab tab)
{
    m_tabs->select(tab);
}

void MainWindow::setEngineFacts(std::function<AboutFacts()> facts)
{
    m_dialogs->setEngineFacts(std::move(facts));
}

void MainWindow::setPageWindows(PageWindowClosers pageWindows)
{
    m_closeConsent->askAlsoPageWindows(std::move(pageWindows));
}

void MainWindow::snipeAddress(const QString &address)
{
    snipe(address);
    raise();
    activateWindow();
}

void MainWindow::snipe(const QString &address)
{
    if (const std::optional<QString> refusal = m_session->snipe(address)) {
        showNotice(tr("Not sent to the service: %1").arg(*refusal));
        return;
    }
    selectTab(ServiceTab);
}

void MainWindow::showServicePage(const QString &address)
{
    selectTab(ServiceTab);
    m_session->showPage(address);
}

void MainWindow::focusAddressBox()
{
    selectTab(AuctionTab);
    m_addressBox->setFocus(Qt::ShortcutFocusReason);
    m_addressBox->lineEdit()->selectAll();
}

void MainWindow::followDownloads(DownloadList *downloads)
{
    m_downloads = downloads;
    auto *progress = new DownloadProgress(downloads, statusBar());
    statusBar()->addWidget(progress);
    const auto showDownloads = [this] { DownloadsWindow::showFor(m_downloads, this); };
    connect(progress, &DownloadProgress::clicked, this, showDownloads);
    connect(m_commands->downloads, &QAction::triggered, this, showDownloads);
}

void MainWindow::showNotice(const QString &text)
{
    m_status->setPageStatus(text);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closeConsent->agreed()) {
        event->ignore();
        // Snipes not sent yet live for the run only; a download stopped
        // halfway is lost. Each is asked about once in an attempt, in turn.
        struct LeaveQuestion
        {
            int count;
            bool *agreed;
            void (*ask)(QWidget *, int, const std::function<void()> &);
        };
        const LeaveQuestion questions[] = {
            { m_session->keptSnipeCount(), &m_leaveUnsentAgreed, askBeforeLeavingUnsentSnipes },
            { m_downloads ? m_downloads->runningCount() : 0, &m_leaveDownloadsAgreed,
              askBeforeLeavingRunningDownloads },
        };
        for (const LeaveQuestion &question : questions) {
            if (question.count > 0 && !*question.agreed) {
                question.ask(this, question.count, [this, agreed = question.agreed] {
                    *agreed = true;
                    close();
                });
                return;
            }
        }
        // The answers hold for this attempt only: should a page keep the
        // window, the next attempt asks again about what is lost by then.
        m_leaveUnsentAgreed = false;
        m_leaveDownloadsAgreed = false;
        m_closeConsent->ask();
        return;
    }
    // Closing only schedules the window's deletion, so the host is still here.
    if (m_exitRequested)
        m_dialogs->closeStorePassword();
    // The windows it opened (pages' windows, About) go with it; the pages
    // have agreed.
    m_closeConsent->closePageWindows();
    // Nothing the user left behind stays half written.
    if (m_downloads)
        m_downloads->cancelRunning();
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            child->close();
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::closeWithoutAsking()
{
    // Nothing may wait for an answer: the pages and the kept snipes are not
    // asked about, and every other window closes unsaved.
    m_closeConsent->agreeWithoutAsking();
    m_exitRequested = true;
    close();
    QApplication::closeAllWindows();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_layout)
        m_layout->followWindowSize();
}

} // namespace bidwarden

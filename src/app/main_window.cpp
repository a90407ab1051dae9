#include "main_window.h"

#include "address_box.h"
#include "app_logging.h"
#include "browser_pane.h"
#include "command_toolbar.h"
#include "commands.h"
#include "credentials.h"
#include "dialog_host.h"
#include "keyboard_indicators.h"
#include "layout_rules.h"
#include "program_setup.h"
#include "resend_question.h"
#include "service_post.h"
#include "service_poster.h"
#include "status_panels.h"
#include "text_file.h"
#include "zoom_steps.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QStatusBar>
#include <QSysInfo>
#include <QTabBar>
#include <QToolBar>
#include <QUrl>

namespace bidwarden {

namespace {

// Client-area geometry in twips.
constexpr QRect auctionToolbarGeometry(0, 570, 11595, 540);
constexpr QRect serviceToolbarGeometry(0, 0, 11595, 540);
constexpr QSize toolbarButtonSize(810, 540);
constexpr QRect tabStripGeometry(0, 600, 4815, 1815);
constexpr QRect addressLabelBoxGeometry(120, 1080, 615, 255);
constexpr QRect addressLabelGeometry(0, 0, 735, 495);
constexpr QRect addressBoxGeometry(2160, 1560, 8655, 315);
constexpr QRect auctionPaneGeometry(0, 1440, 9495, 4575);
constexpr QRect servicePaneGeometry(1200, 4440, 9495, 4575);
// Where start-up moves them: both toolbars and both panes share one place.
constexpr QPoint toolbarPosition(0, 0);
constexpr QPoint panePosition(0, 1440);
constexpr QPoint addressBoxPosition(840, 1080);
constexpr QSize initialClientSize(11595, 10050);

} // namespace

MainWindow::MainWindow(const Endpoints &endpoints, const SettingsFolder &settings,
                       const PaneFactory &makePane, QWidget *parent)
    : QMainWindow(parent)
    , m_endpoints(endpoints)
    , m_settings(settings)
    , m_commands(std::make_unique<Commands>(this))
    , m_dialogs(new DialogHost(settings, this))
{
    registerProgramPictures();
    setObjectName(QStringLiteral("frmWeb"));
    setWindowTitle(tr("Bidwarden Auction Sniper"));
    createControls(makePane);
    createMenus();
    connectCommands();
    connectBrowserKeys();
    acceptLinksOnTheSnipeButton();
    connectAuctionPageEvents();
    // No minimum size: the layout rules skip what would turn negative.
    setMinimumSize(1, 1);
    resize(px(initialClientSize.width()),
           px(initialClientSize.height()) + menuBar()->sizeHint().height());
    runStartup();
    new KeyboardIndicators(m_status, this);
}

MainWindow::~MainWindow() = default;

int MainWindow::px(int twips) const
{
    return twipsToPixels(twips, logicalDpiY());
}

QRect MainWindow::px(const QRect &twips) const
{
    return QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
}

void MainWindow::createControls(const PaneFactory &makePane)
{
    const auto place = [this](QWidget *w, const QRect &twips) { w->setGeometry(px(twips)); };

    m_client = new QWidget(this);
    setCentralWidget(m_client);
    createAddressLabel();

    m_tabStrip = new QTabBar(m_client);
    m_tabStrip->setObjectName(QStringLiteral("TabStrip1"));
    m_tabStrip->setDrawBase(true);
    m_tabStrip->setExpanding(false);
    m_tabStrip->addTab(tr("Bidwarden"));
    m_tabStrip->setTabToolTip(ServiceTab, tr("Click here to go to the Bidwarden service"));
    m_tabStrip->addTab(tr("Auction Browser"));
    place(m_tabStrip, tabStripGeometry);
    m_tabStrip->setAccessibleName(tr("Panes"));

    m_addressBox = new AddressBox(m_client);
    m_addressBox->setObjectName(QStringLiteral("Urlbox"));
    m_addressBox->setAccessibleName(tr("Auction address"));
    m_addressLabel->setBuddy(m_addressBox);
    place(m_addressBox, addressBoxGeometry);

    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(bar);
    m_status = new StatusPanels(bar, logicalDpiY());

    m_auctionPane = makePane(m_client);
    m_auctionPane->setObjectName(QStringLiteral("Web"));
    m_auctionPane->setAccessibleName(tr("Auction pane"));
    place(m_auctionPane, auctionPaneGeometry);

    m_auctionToolbar = createCommandToolbar(m_client, "Toolbar1", tr("Auction toolbar"), m_commands->auctionToolbar(),
                                            px(auctionToolbarGeometry), px(toolbarButtonSize.width()));
    m_serviceToolbar = createCommandToolbar(m_client, "Toolbar2", tr("Service toolbar"), m_commands->serviceToolbar(),
                                            px(serviceToolbarGeometry), px(toolbarButtonSize.width()));

    m_servicePane = makePane(m_client);
    m_servicePane->setObjectName(QStringLiteral("Web2"));
    m_servicePane->setAccessibleName(tr("Bidwarden service pane"));
    place(m_servicePane, servicePaneGeometry);
    m_poster = new ServicePoster(m_servicePane, this);

    // Focus order: the auction pane, the address box, the tab strip, the service pane.
    setTabOrder(m_auctionPane, m_addressBox);
    setTabOrder(m_addressBox, m_tabStrip);
    setTabOrder(m_tabStrip, m_servicePane);

    connect(m_tabStrip, &QTabBar::currentChanged, this, &MainWindow::showTab);
    // Bringing up the service sends a login that never reached it.
    connect(m_tabStrip, &QTabBar::currentChanged, m_poster, [this](int index) {
        if (index == ServiceTab)
            m_poster->sendUnsentLogin();
    });
    connect(m_addressBox, &AddressBox::addressEntered, m_auctionPane, &BrowserPane::navigate);
    connect(m_addressBox, &AddressBox::addressEntered, this, [this](const QString &text) { m_enteredAddress = text; });
    // "Snipe Link" in the auction pane's menu.
    m_auctionPane->offerSnipeLink();
    connect(m_auctionPane, &BrowserPane::snipeLinkRequested, this, &MainWindow::snipe);
}

void MainWindow::createAddressLabel()
{
    m_addressLabelBox = new QWidget(m_client);
    m_addressLabelBox->setObjectName(QStringLiteral("picboxAddress"));
    m_addressLabelBox->setGeometry(px(addressLabelBoxGeometry));
    m_addressLabel = new QLabel(tr("Address:"), m_addressLabelBox);
    m_addressLabel->setObjectName(QStringLiteral("Label1"));
    m_addressLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_addressLabel->setGeometry(0, 0, px(addressLabelGeometry.width()), px(addressLabelGeometry.height()));

    // The designed box is narrower than "Address:" in most desktop fonts: it
    // grows to the label's text where it stands, and the address box starts
    // after it (its right edge stays where the layout puts it).
    const QSize text = m_addressLabel->sizeHint();
    m_addressLabel->resize(std::max(m_addressLabel->width(), text.width()),
                           std::max(m_addressLabel->height(), text.height()));
    m_addressLabelBox->resize(std::max(m_addressLabelBox->width(), text.width()),
                              std::max(m_addressLabelBox->height(), text.height()));
    const int labelEnd = m_addressLabelBox->x() + text.width() + labelGapPixels;
    m_addressBoxShift = std::max(0, labelEnd - px(addressBoxPosition.x()));
}

void MainWindow::createMenus()
{
    const auto addMenu = [this](const char *objectName, const QString &title,
                                const QList<QAction *> &items) {
        QMenu *menu = menuBar()->addMenu(title);
        menu->setObjectName(QString::fromLatin1(objectName));
        menu->addActions(items);
    };
    const Commands &c = *m_commands;
    addMenu("mnuFile", tr("&File"), { c.print, c.exit });
    addMenu("mnuNavigate", tr("&Navigate"),
            { c.back, c.forward, c.stop, c.refresh, c.auctionHome, c.serviceHome });
    addMenu("mnuTools", tr("&Tools"), { c.snipe, c.setHomepage, c.storePassword });
    addMenu("mnuHelp", tr("&Help"), { c.help, c.serviceFaq, c.about });
}

void MainWindow::connectCommands()
{
    const Commands &c = *m_commands;
    // The toolbar of a pane is shown only with that pane's tab, so the pane in
    // front is the pane of the toolbar a button belongs to.
    connect(c.back, &QAction::triggered, this, [this] { frontPane()->goBack(); });
    connect(c.forward, &QAction::triggered, this, [this] { frontPane()->goForward(); });
    connect(c.stop, &QAction::triggered, this, [this] { frontPane()->stop(); });
    connect(c.refresh, &QAction::triggered, this, &MainWindow::refreshFrontPane);
    connect(c.print, &QAction::triggered, this, [this] { frontPane()->print(this); });
    connect(c.auctionHome, &QAction::triggered, this,
            [this] { loadInAuctionPane(m_endpoints.auctionHome); });
    connect(c.serviceHome, &QAction::triggered, this, [this] { showServicePage(m_endpoints.serviceBase); });
    connect(c.serviceFaq, &QAction::triggered, this, [this] {
        showServicePage(serviceAddress(m_endpoints.serviceBase, servicePaths::faq).toString());
    });
    connect(c.snipe, &QAction::triggered, this, &MainWindow::snipeCurrentAuction);
    connect(c.help, &QAction::triggered, this, &MainWindow::openHelp);
    connect(c.about, &QAction::triggered, this, &MainWindow::showAbout);
    connect(c.setHomepage, &QAction::triggered, m_dialogs, &DialogHost::showSetHomepage);
    connect(c.storePassword, &QAction::triggered, m_dialogs, &DialogHost::showStorePassword);
    connect(c.exit, &QAction::triggered, this, [this] {
        m_exitRequested = true;
        close();
    });
    for (BrowserPane *pane : { m_auctionPane, m_servicePane })
        connect(pane, &BrowserPane::closeAllowed, this, [this, pane] { allowClose(pane); });
}

void MainWindow::connectBrowserKeys()
{
    const Commands &c = *m_commands;
    // Window-wide, also while the page has the keyboard focus.
    addActions(c.browserKeys());
    connect(c.stopLoading, &QAction::triggered, this, [this] { frontPane()->stop(); });
    connect(c.focusAddress, &QAction::triggered, this, &MainWindow::focusAddressBox);
    connect(c.zoomIn, &QAction::triggered, this,
            [this] { frontPane()->setZoomFactor(zoomedIn(frontPane()->zoomFactor())); });
    connect(c.zoomOut, &QAction::triggered, this,
            [this] { frontPane()->setZoomFactor(zoomedOut(frontPane()->zoomFactor())); });
    connect(c.zoomReset, &QAction::triggered, this, [this] { frontPane()->setZoomFactor(1); });
    connect(c.find, &QAction::triggered, this, [this] { frontPane()->showFindBar(); });
    connect(c.findNext, &QAction::triggered, this, [this] { frontPane()->findAgain(false); });
    connect(c.findPrevious, &QAction::triggered, this, [this] { frontPane()->findAgain(true); });
    connect(c.fullScreen, &QAction::triggered, this,
            [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
    // Esc stops a load; otherwise the key is the page's (or the box's).
    for (BrowserPane *pane : { m_auctionPane, m_servicePane }) {
        connect(pane, &BrowserPane::loadStarted, this, &MainWindow::updateStopKey);
        connect(pane, &BrowserPane::loadFinished, this, &MainWindow::updateStopKey);
    }
    connect(m_tabStrip, &QTabBar::currentChanged, this, &MainWindow::updateStopKey);
    qApp->installEventFilter(this);
}

void MainWindow::acceptLinksOnTheSnipeButton()
{
    // A link dropped on Snipe is sniped, not loaded.
    m_snipeButton = m_auctionToolbar->widgetForAction(m_commands->snipe);
    if (!m_snipeButton)
        return;
    m_snipeButton->setAcceptDrops(true);
    m_snipeButton->installEventFilter(this);
}

void MainWindow::updateStopKey()
{
    m_commands->stopLoading->setEnabled(frontPane()->isLoading());
}

void MainWindow::focusAddressBox()
{
    selectTab(AuctionTab);
    m_addressBox->setFocus(Qt::ShortcutFocusReason);
    m_addressBox->lineEdit()->selectAll();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_snipeButton && (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove)) {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (droppedLink(drag->mimeData())) {
            drag->acceptProposedAction();
            return true;
        }
    }
    if (watched == m_snipeButton && event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        if (const std::optional<QString> link = droppedLink(drop->mimeData())) {
            drop->acceptProposedAction();
            snipe(*link);
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        const Qt::MouseButton button = static_cast<QMouseEvent *>(event)->button();
        if (button == Qt::BackButton || button == Qt::ForwardButton) {
            button == Qt::BackButton ? frontPane()->goBack() : frontPane()->goForward();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::connectAuctionPageEvents()
{
    // Only the auction pane's events are followed; the service pane is a
    // plain browser whose pages the program never looks at.
    BrowserPane *pane = m_auctionPane;
    connect(pane, &BrowserPane::statusTextChanged, m_status, &StatusPanels::setPageStatus);
    connect(pane, &BrowserPane::loadStarted, this,
            [this] { m_status->setPageStatus(QStringLiteral("Opening Page.....")); });
    connect(pane, &BrowserPane::loadFinished, this,
            [this] { m_status->setPageStatus(QStringLiteral("Download Finished...")); });
    connect(pane, &BrowserPane::navigateCompleted, this, [this] {
        m_enteredAddress.clear();
        setWindowTitle(m_auctionPane->locationName());
        m_status->setPageStatus(m_auctionPane->locationUrl());
        m_addressBox->setAddressText(m_auctionPane->locationUrl());
    });
    connect(pane, &BrowserPane::documentCompleted, this, [this] {
        setWindowTitle(m_auctionPane->locationName());
        m_status->setPageStatus(QStringLiteral("Document Finished."));
        m_addressBox->appendAddress(m_addressBox->text());
    });
    connect(pane, &BrowserPane::fileDownloadStarting, this, [this] {
        m_status->setPageStatus(QStringLiteral("Beginning Download....."));
        // The address the user entered turned out to be a download: the page
        // shown is still the one before, and the box names it again, so the
        // next snipe does not name the download.
        if (!m_enteredAddress.isEmpty() && m_addressBox->text() == m_enteredAddress)
            m_addressBox->setAddressText(m_auctionPane->locationUrl());
        m_enteredAddress.clear();
    });
    connect(pane, &BrowserPane::renderProcessEnded, this, [this](const QString &what) {
        showNotice(tr("The auction page stopped working (%1). Press Refresh to load it again.").arg(what));
    });
}

void MainWindow::runStartup()
{
    const QString homepageFile = m_settings.homepageFile();
    m_tabStrip->lower();
    const auto moveTo = [this](QWidget *w, QPoint twips) { w->move(px(twips.x()), px(twips.y())); };
    moveTo(m_auctionToolbar, toolbarPosition);
    moveTo(m_serviceToolbar, toolbarPosition);
    moveTo(m_auctionPane, panePosition);
    moveTo(m_servicePane, panePosition);
    m_addressBox->move(px(addressBoxPosition.x()) + m_addressBoxShift, px(addressBoxPosition.y()));

    // The start-up steps pass over what fails without a message: an
    // unreadable home-page file reads as the empty address.
    if (fileExists(homepageFile))
        m_auctionPane->navigate(readTextFileContentsQuietly(homepageFile));
    else
        m_auctionPane->navigate(m_endpoints.auctionHome);
    m_servicePane->navigate(serviceAddress(m_endpoints.serviceBase, servicePaths::startPage).toString());
    m_status->setPageStatus(QStringLiteral("Ready."));
    m_status->setConnectionText(QStringLiteral("Online."));
    selectTab(AuctionTab);

    if (fileExists(m_settings.credentialsFile()))
        logInWithStoredCredentials();
}

void MainWindow::logInWithStoredCredentials()
{
    // A file that cannot be read logs in with empty values, as an empty one does.
    const CredentialsResult stored = readCredentials(m_settings.credentialsFile());
    if (!stored.ok())
        qCWarning(lcApp) << "logging in with empty values:" << stored.status.errorText;
    const ServicePostResult login =
            loginPost(m_endpoints.serviceBase, stored.credentials.userName, stored.credentials.password);
    if (!login.ok())
        return;
    // Right after the start page was asked for, which it replaces.
    m_poster->postLogin(*login.post);
    selectTab(AuctionTab);
}

void MainWindow::snipeCurrentAuction()
{
    // The box's text is the auction: what the last navigation wrote there, or
    // what the user has typed since, also while the box is hidden.
    snipe(m_addressBox->text());
}

void MainWindow::snipeAddress(const QString &address)
{
    snipe(address);
    raise();
    activateWindow();
}

void MainWindow::snipe(const QString &address)
{
    const ServicePostResult snipe = snipePost(m_endpoints.serviceBase, address);
    if (!snipe.ok()) {
        showNotice(tr("Not sent to the service: %1").arg(snipe.refusal));
        return;
    }
    m_poster->postSnipe(*snipe.post);
    selectTab(ServiceTab);
}

void MainWindow::refreshFrontPane()
{
    BrowserPane *pane = frontPane();
    if (!pane->showsFormAnswer()) {
        pane->refresh();
        return;
    }
    const SentForm form = pane == m_servicePane
            ? sentFormAnswered(pane->locationUrl(), m_endpoints.serviceBase)
            : SentForm::PageForm;
    askBeforeSendingFormAgain(this, form, [target = QPointer<BrowserPane>(pane)] {
        if (target)
            target->refresh();
    });
}

void MainWindow::openHelp()
{
    // Opened with the desktop's application for it.
    const QString page = m_settings.helpFile();
    if (!fileExists(page)) {
        qCWarning(lcApp) << "the help page is missing:" << page;
        showNotice(tr("The help page %1 is missing.").arg(page));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page))) {
        qCWarning(lcApp) << "nothing could open the help page" << page;
        showNotice(tr("No application on this system opens the help page %1.").arg(page));
    }
}

AboutFacts MainWindow::aboutFacts() const
{
    AboutFacts facts{ { tr("Bidwarden"), QStringLiteral(BIDWARDEN_VERSION) },
                      { tr("Qt"), QString::fromLatin1(qVersion()) } };
    facts += m_engineFacts;
    facts += { { tr("System"), QSysInfo::prettyProductName() },
               { tr("Settings folder"), QDir::toNativeSeparators(m_settings.path()) } };
    return facts;
}

void MainWindow::showAbout()
{
    // One window, brought to the front when asked for again; it closes with
    // the main window, which owns it.
    if (!m_about) {
        m_about = new AboutWindow(aboutFacts(), this);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::showNotice(const QString &text)
{
    m_status->setPageStatus(text);
}

void MainWindow::loadInAuctionPane(const QString &address)
{
    m_auctionPane->navigate(address);
    selectTab(AuctionTab);
}

void MainWindow::showServicePage(const QString &address)
{
    // Bringing up the service sends a login that never reached it, and the
    // page waits for the login's answer.
    selectTab(ServiceTab);
    m_poster->sendUnsentLogin();
    m_poster->show(address);
}

MainWindow::Tab MainWindow::currentTab() const
{
    return Tab(m_tabStrip->currentIndex());
}

void MainWindow::selectTab(Tab tab)
{
    m_tabStrip->setCurrentIndex(tab);
}

void MainWindow::showTab(int index)
{
    if (index != ServiceTab && index != AuctionTab)
        return;
    const bool service = index == ServiceTab;
    m_serviceToolbar->setVisible(service);
    m_servicePane->setVisible(service);
    m_addressLabel->setVisible(!service);
    m_auctionPane->setVisible(!service);
    m_auctionToolbar->setVisible(!service);
    m_addressBox->setVisible(!service);
}

BrowserPane *MainWindow::frontPane() const
{
    return currentTab() == ServiceTab ? m_servicePane : m_auctionPane;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Each pane's page may ask first (text typed and not sent): the window
    // closes once both have agreed, and stays when the user keeps a page.
    if (!m_closeAgreed) {
        event->ignore();
        m_panesAgreeing.clear();
        m_auctionPane->requestClose();
        m_servicePane->requestClose();
        return;
    }
    // Closing only schedules the window's deletion, so the host is still here.
    if (m_exitRequested)
        m_dialogs->closeStorePassword();
    // The windows it opened (pages' windows, About) go with it.
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            child->close();
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::closeWithoutAsking()
{
    m_closeAgreed = true;
    m_exitRequested = true;
    close();
    QApplication::closeAllWindows();
}

void MainWindow::allowClose(BrowserPane *pane)
{
    if (m_closeAgreed || m_panesAgreeing.contains(pane))
        return;
    m_panesAgreeing.append(pane);
    if (m_panesAgreeing.size() < 2)
        return;
    m_closeAgreed = true;
    close();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyLayout();
}

void MainWindow::applyLayout()
{
    const qreal dpi = logicalDpiY();
    // The rules read the window's outer size: frame and title bar included.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize outer = size() + frame.expandedTo(QSize(0, 0));
    const ResizedControls sizes = layoutForWindow(
            QSize(pixelsToTwips(outer.width(), dpi), pixelsToTwips(outer.height(), dpi)));

    const auto resizeControl = [this](QWidget *w, const std::optional<int> &width,
                                      const std::optional<int> &height) {
        w->resize(width ? px(*width) : w->width(), height ? px(*height) : w->height());
    };
    resizeControl(m_auctionPane, sizes.webWidth, sizes.webHeight);
    resizeControl(m_servicePane, sizes.serviceWebWidth, sizes.serviceWebHeight);
    resizeControl(m_tabStrip, sizes.tabStripWidth, sizes.tabStripHeight);
    // Its right edge stays where the rule puts it when it starts further right.
    if (sizes.addressBoxWidth && px(*sizes.addressBoxWidth) >= m_addressBoxShift)
        m_addressBox->resize(px(*sizes.addressBoxWidth) - m_addressBoxShift, m_addressBox->height());
}

} // namespace bidwarden

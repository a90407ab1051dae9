#include "program.h"

#include "browser_profile.h"
#include "browsing_data.h"
#include "dialog_host.h"
#include "desktop_notifications.h"
#include "download_list.h"
#include "engine_facts.h"
#include "window_forward.h"
#include "main_window.h"
#include "page_window_opener.h"
#include "script_heap.h"
#include "session_end.h"
#include "web_engine_pane.h"

namespace bidwarden {

namespace {

// The dialog asks, the profile clears, and the dialog shows each part's
// outcome as it comes.
void connectClearing(ClearDataDialog *dialog, BrowsingData *data)
{
    QObject::connect(dialog, &ClearDataDialog::clearRequested, data, [data](const ClearDataDialog::Choice &choice) {
        QList<BrowsingData::Part> parts;
        if (choice.cookiesAndSiteData)
            parts << BrowsingData::Part::Cookies << BrowsingData::Part::SiteStorage;
        if (choice.cache)
            parts << BrowsingData::Part::Cache;
        if (choice.visitedLinks)
            parts << BrowsingData::Part::VisitedLinks;
        data->clear(parts);
    });
    QObject::connect(data, &BrowsingData::partCleared, dialog,
                     [dialog](BrowsingData::Part part, BrowsingData::Outcome outcome, const QString &failure) {
                         dialog->addOutcome(BrowsingData::describe(part, outcome, failure));
                     });
    QObject::connect(data, &BrowsingData::finished, dialog, &ClearDataDialog::showFinished);
}

// What the status bar says as a download ends; a failure says why.
QString downloadEndNotice(const Download *download)
{
    const Download::Progress &progress = download->progress();
    if (progress.state == DownloadState::Completed)
        return MainWindow::tr("Downloaded %1").arg(download->path());
    if (progress.state == DownloadState::Interrupted && !progress.interruptReason.isEmpty())
        return MainWindow::tr("The download of %1 failed: %2").arg(download->path(), progress.interruptReason);
    return MainWindow::tr("The download of %1 did not complete.").arg(download->path());
}

// The engine starts with the first profile, and takes its switches from the
// environment then: they are set first, after the drawing has been chosen
// (chooseRenderer() reads a user's switches as a choice of drawing).
std::unique_ptr<BrowserProfile> startProfile(const Program::Options &options)
{
    setScriptHeapSwitch();
    return std::make_unique<BrowserProfile>(options.profileName, options.profilePath);
}

} // namespace

Program::Program(Options options)
    : m_profile(startProfile(options))
    , m_windowOpener(std::make_unique<PageWindowOpener>(m_profile.get()))
{
    PageWindowFactory openPageWindow =
            options.openPageWindow ? std::move(options.openPageWindow) : m_windowOpener->factory();
    const PaneFactory makePane = [this, openPageWindow = std::move(openPageWindow),
                                  paneMade = std::move(options.paneMade)](QWidget *parent) -> BrowserPane * {
        auto *pane = new WebEnginePane(m_profile.get(), openPageWindow, parent);
        if (paneMade)
            paneMade(pane);
        return pane;
    };
    // Parentless: the top-level window, owned by this or by itself.
    m_window = new MainWindow(options.endpoints, options.settings, makePane);
    if (options.windowDeletesItselfOnClose)
        m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->setEngineFacts(&engineFacts);
    connectWindow();
}

Program::~Program()
{
    m_sessionEnd.reset();
    // A window that deletes itself is normally gone by now; one still here
    // goes before the profile its panes were made on.
    delete m_window.data();
}

MainWindow *Program::window() const
{
    return m_window.data();
}

void Program::connectWindow()
{
    MainWindow *window = m_window.data();
    QObject::connect(m_windowOpener.get(), &PageWindowOpener::snipeRequested, window, &MainWindow::snipeAddress);
    window->setPageWindows([opener = m_windowOpener.get()] { return opener->pageClosers(); });
    BrowsingData *browsingData = m_profile->browsingData();
    window->dialogs()->setBrowsingDataClearing(
            [browsingData](ClearDataDialog *dialog) { connectClearing(dialog, browsingData); });
    window->followDownloads(m_profile->downloads());
    QObject::connect(m_profile->downloads(), &DownloadList::finished, window, [window](Download *download) {
        window->showNotice(downloadEndNotice(download));
    });
    // A click on a page's notification whose page has gone shows the window.
    QObject::connect(m_profile->notifications(), &DesktopNotifications::clickedWithoutPage, window,
                     [window] { bringForward(window); });
}

void Program::show()
{
    // A window that deleted itself on close is not made again.
    if (!m_window)
        return;
    m_window->show();
    // One at a time in a process, and one is enough.
    if (m_sessionEnd)
        return;
    m_sessionEnd = std::make_unique<SessionEnd>();
    QObject::connect(m_sessionEnd.get(), &SessionEnd::ending, m_window.data(), &MainWindow::closeWithoutAsking);
}

} // namespace bidwarden

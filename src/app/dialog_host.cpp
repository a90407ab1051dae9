#include "dialog_host.h"

#include "app_logging.h"
#include "text_file.h"

#include <QDesktopServices>
#include <QDir>
#include <QSysInfo>
#include <QUrl>
#include <QWidget>

namespace bidwarden {

namespace {

// Shown in the set-homepage dialog's text.
const QString auctionDomain = QStringLiteral("ebay.com");
const QString nationalAuctionHost = QStringLiteral("www.ebay.co.uk");

void bringToFront(QWidget *dialog)
{
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

DialogHost::DialogHost(const SettingsFolder &settings, QWidget *mainWindow)
    : QObject(mainWindow)
    , m_settings(settings)
    , m_mainWindow(mainWindow)
{
}

DialogHost::~DialogHost()
{
    // A settings dialog still open outlives the main window; it deletes
    // itself on close.
}

void DialogHost::showStorePassword()
{
    if (!m_storePassword) {
        // Top-level without an owner: deleted when the user closes it.
        m_storePassword = new StorePasswordDialog(m_settings);
        m_storePassword->setAttribute(Qt::WA_DeleteOnClose);
    }
    bringToFront(m_storePassword);
}

void DialogHost::showSetHomepage()
{
    if (!m_setHomepage) {
        m_setHomepage = new SetHomepageDialog(m_settings, auctionDomain, nationalAuctionHost);
        m_setHomepage->setAttribute(Qt::WA_DeleteOnClose);
    }
    bringToFront(m_setHomepage);
}

void DialogHost::closeStorePassword()
{
    if (m_storePassword)
        m_storePassword->close();
}

void DialogHost::openHelp()
{
    const QString page = m_settings.helpFile();
    if (!fileExists(page)) {
        qCWarning(lcApp) << "the help page is missing:" << page;
        Q_EMIT notice(tr("The help page %1 is missing.").arg(page));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page))) {
        qCWarning(lcApp) << "nothing could open the help page" << page;
        Q_EMIT notice(tr("No application on this system opens the help page %1.").arg(page));
    }
}

AboutFacts DialogHost::aboutFacts() const
{
    AboutFacts facts{ { tr("Bidwarden"), QStringLiteral(BIDWARDEN_VERSION) },
                      { tr("Qt"), QString::fromLatin1(qVersion()) } };
    if (m_engineFacts)
        facts += m_engineFacts();
    facts += { { tr("System"), QSysInfo::prettyProductName() },
               { tr("Settings folder"), QDir::toNativeSeparators(m_settings.path()) } };
    return facts;
}

void DialogHost::showAbout()
{
    if (!m_about) {
        m_about = new AboutWindow(aboutFacts(), m_mainWindow);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    bringToFront(m_about);
}

void DialogHost::showClearBrowsingData()
{
    if (!m_clearData) {
        m_clearData = new ClearDataDialog(m_mainWindow);
        m_clearData->setAttribute(Qt::WA_DeleteOnClose);
        if (m_connectClearing) {
            m_connectClearing(m_clearData);
        } else {
            // A window without the engine behind it (a test's) says so
            // rather than seem to clear.
            ClearDataDialog *dialog = m_clearData;
            connect(dialog, &ClearDataDialog::clearRequested, dialog, [dialog] {
                dialog->addOutcome(tr("Nothing was cleared: this window has no browser engine."));
                dialog->showFinished();
            });
        }
    }
    bringToFront(m_clearData);
}

} // namespace bidwarden

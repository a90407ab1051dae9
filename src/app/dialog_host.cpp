#include "dialog_host.h"

#include "set_homepage_dialog.h"
#include "store_password_dialog.h"

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

DialogHost::DialogHost(const SettingsFolder &settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
{
}

DialogHost::~DialogHost()
{
    // A dialog still open outlives the main window; it deletes itself on close.
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

} // namespace bidwarden

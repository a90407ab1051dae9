#include "auction_page_report.h"

#include "address_box.h"
#include "browser_pane.h"
#include "status_panels.h"

#include <QWidget>

namespace bidwarden {

AuctionPageReport::AuctionPageReport(BrowserPane *auctionPane, StatusPanels *status, AddressBox *addressBox,
                                     QWidget *window)
    : QObject(window)
    , m_pane(auctionPane)
    , m_status(status)
    , m_addressBox(addressBox)
    , m_window(window)
{
    connect(m_pane, &BrowserPane::statusTextChanged, m_status, &StatusPanels::setPageStatus);
    connect(m_pane, &BrowserPane::loadStarted, this,
            [this] { m_status->setPageStatus(QStringLiteral("Opening Page.....")); });
    connect(m_pane, &BrowserPane::loadFinished, this,
            [this] { m_status->setPageStatus(QStringLiteral("Download Finished...")); });
    connect(m_pane, &BrowserPane::navigateCompleted, this, &AuctionPageReport::reportCommit);
    connect(m_pane, &BrowserPane::documentCompleted, this, &AuctionPageReport::reportDocument);
    connect(m_pane, &BrowserPane::fileDownloadStarting, this, &AuctionPageReport::reportDownload);
    connect(m_pane, &BrowserPane::renderProcessEnded, this, [this](const QString &what) {
        m_status->setPageStatus(tr("The auction page stopped working (%1). Press Refresh to load it again.").arg(what));
    });
}

void AuctionPageReport::addressEntered(const QString &address)
{
    m_enteredAddress = address;
}

void AuctionPageReport::reportCommit()
{
    m_enteredAddress.clear();
    m_window->setWindowTitle(m_pane->locationName());
    m_status->setPageStatus(m_pane->locationUrl());
    m_addressBox->setAddressText(m_pane->locationUrl());
}

void AuctionPageReport::reportDocument()
{
    m_window->setWindowTitle(m_pane->locationName());
    m_status->setPageStatus(QStringLiteral("Document Finished."));
    m_addressBox->appendAddress(m_addressBox->text());
}

void AuctionPageReport::reportDownload()
{
    m_status->setPageStatus(QStringLiteral("Beginning Download....."));
    // The address the user entered turned out to be a download: the page
    // shown is still the one before, and the box names it again, so the next
    // snipe does not name the download.
    if (!m_enteredAddress.isEmpty() && m_addressBox->text() == m_enteredAddress)
        m_addressBox->setAddressText(m_pane->locationUrl());
    m_enteredAddress.clear();
}

} // namespace bidwarden

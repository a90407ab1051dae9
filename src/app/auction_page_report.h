#pragma once

#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

class AddressBox;
class BrowserPane;
class StatusPanels;

// Tells the user what the auction pane's page is doing: its events go to
// status panel 1, its title to the window's caption and its address to the
// address box, which then always names the auction on screen. The service
// pane is a plain browser whose pages the program never looks at.
class AuctionPageReport : public QObject
{
    Q_OBJECT

public:
    AuctionPageReport(BrowserPane *auctionPane, StatusPanels *status, AddressBox *addressBox, QWidget *window);

    // The user entered this address in the box; the pane is loading it.
    void addressEntered(const QString &address);

private:
    void reportCommit();
    void reportDocument();
    void reportDownload();

    BrowserPane *m_pane = nullptr;
    StatusPanels *m_status = nullptr;
    AddressBox *m_addressBox = nullptr;
    QWidget *m_window = nullptr;
    // What the user last entered in the box, until its page or a download
    // answers it.
    QString m_enteredAddress;
};

} // namespace bidwarden

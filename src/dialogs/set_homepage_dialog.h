#pragma once

#include "settings_folder.h"

#include <QPointer>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;
QT_END_NAMESPACE

namespace bidwarden {

// Lets users of a national auction site keep their own start page for the
// auction pane in homepage.txt. A window of its own, without owner or modality.
class SetHomepageDialog : public QWidget
{
    Q_OBJECT

public:
    // auctionDomain is named in the explanation ("ebay.com"), nationalHost in
    // the example below the box ("www.ebay.co.uk"). The stored page is read
    // once, here; showing the dialog again keeps what the user has typed.
    SetHomepageDialog(const SettingsFolder &settings, const QString &auctionDomain,
                      const QString &nationalHost);
    ~SetHomepageDialog() override;

    QLineEdit *homepageEdit() const { return m_homepageTxt; }
    QPushButton *setButton() const { return m_command1; }

    // Stores the box's text and closes, or explains the problem and stays open.
    void save();

Q_SIGNALS:
    // The dialog has closed, by Set Homepage or the close box.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void loadStoredHomepage();
    void showMessage(const QString &objectName, const QString &text);

    SettingsFolder m_settings;
    QLabel *m_label1 = nullptr;
    QLineEdit *m_homepageTxt = nullptr;
    QLabel *m_label2 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPointer<QMessageBox> m_message;
};

} // namespace bidwarden

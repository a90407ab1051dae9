#pragma once

#include "settings_dialog.h"

QT_BEGIN_NAMESPACE
class QLabel;
class QLineEdit;
class QPushButton;
QT_END_NAMESPACE

namespace bidwarden {

// Lets users of a national auction site keep their own start page for the
// auction pane in homepage.txt.
class SetHomepageDialog : public SettingsDialog
{
    Q_OBJECT

public:
    // auctionDomain is named in the explanation ("ebay.com"), nationalHost in
    // the example below the box ("www.ebay.co.uk"). The stored page is read
    // once, here; showing the dialog again keeps what the user has typed.
    SetHomepageDialog(const SettingsFolder &settings, const QString &auctionDomain,
                      const QString &nationalHost);
    ~SetHomepageDialog() override;

    QLineEdit *homepageEdit() const { return m_homepageEdit; }
    QPushButton *setButton() const { return m_setButton; }

    // Stores the box's text and closes, or explains the problem and stays open.
    void save();

private:
    void loadStoredHomepage();

    QLabel *m_explanation = nullptr;
    QLineEdit *m_homepageEdit = nullptr;
    QLabel *m_example = nullptr;
    QPushButton *m_setButton = nullptr;
};

} // namespace bidwarden

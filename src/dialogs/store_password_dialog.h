#pragma once

#include "settings_dialog.h"

QT_BEGIN_NAMESPACE
class QLabel;
class QLineEdit;
class QPushButton;
QT_END_NAMESPACE

namespace bidwarden {

// Lets the user keep the service's user name and password in pd1.txt so the
// program can log in by itself at start. The user may keep browsing while it
// is open.
class StorePasswordDialog : public SettingsDialog
{
    Q_OBJECT

public:
    // Reads the stored credentials once, here; showing the dialog again keeps
    // whatever the user has typed since.
    explicit StorePasswordDialog(const SettingsFolder &settings);
    ~StorePasswordDialog() override;

    QLineEdit *userNameEdit() const { return m_userNameEdit; }
    QLineEdit *passwordEdit() const { return m_passwordEdit; }
    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

    // Stores the two boxes and closes, or explains the problem and stays open.
    void save();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void loadStoredCredentials();
    // Why the two cannot be stored, or the empty text when they can.
    QString problemWith(const QString &userName, const QString &password) const;

    QLabel *m_explanation = nullptr;
    QLabel *m_userNameLabel = nullptr;
    QLabel *m_passwordLabel = nullptr;
    QLineEdit *m_userNameEdit = nullptr;
    QLineEdit *m_passwordEdit = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    bool m_saving = false;
    bool m_closedWhileSaving = false;
};

} // namespace bidwarden

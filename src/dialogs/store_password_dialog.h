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

// Lets the user keep the service's user name and password in pd1.txt so the
// program can log in by itself at start. A window of its own, without an owner
// and without modality: the user may keep browsing while it is open.
class StorePasswordDialog : public QWidget
{
    Q_OBJECT

public:
    // Reads the stored credentials once, here; showing the dialog again keeps
    // whatever the user has typed since.
    explicit StorePasswordDialog(const SettingsFolder &settings);
    ~StorePasswordDialog() override;

    QLineEdit *userNameEdit() const { return m_userTxt; }
    QLineEdit *passwordEdit() const { return m_passTxt; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Stores the two boxes and closes, or explains the problem and stays open.
    void save();

Q_SIGNALS:
    // The dialog has closed, by Save, Cancel or the close box.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void loadStoredCredentials();
    // Why the two cannot be stored, or the empty text when they can.
    QString problemWith(const QString &userName, const QString &password) const;
    void showMessage(const QString &objectName, const QString &text);

    SettingsFolder m_settings;
    QLabel *m_label3 = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_userTxt = nullptr;
    QLineEdit *m_passTxt = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
    QPointer<QMessageBox> m_message;
    bool m_saving = false;
    bool m_closedWhileSaving = false;
};

} // namespace bidwarden

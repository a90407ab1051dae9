#pragma once

#include "passkey_words.h"

#include <QDialog>

QT_BEGIN_NAMESPACE
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
QT_END_NAMESPACE

namespace bidwarden {

// A small window beside the page that follows one passkey request step by
// step: the account to choose, the key's PIN, "Touch your security key", a
// failure with Retry. It only shows and asks; the answers go out as signals.
// Closing it in any way (Cancel, Esc, the window's close button) before the
// request has ended asks to cancel it, once. Deletes itself when closed.
class PasskeyDialog : public QDialog
{
    Q_OBJECT

public:
    // site: the name the request is for, shown to the user.
    explicit PasskeyDialog(const QString &site, QWidget *parent = nullptr);

    // Shows the step; a step that ends the request closes the dialog without
    // asking to cancel.
    void follow(const PasskeyState &state);
    // The request has ended (or is gone): closes without asking to cancel.
    void finish();
    PasskeyStep step() const { return m_state.step; }

    void reject() override;

Q_SIGNALS:
    void accountChosen(const QString &account);
    void pinEntered(const QString &pin);
    void retryRequested();
    // The user closed the dialog while the request was open.
    void cancelRequested();

private:
    void buildButtons();
    void answer();
    void updateAnswerButton();

    QString m_site;
    PasskeyState m_state;
    bool m_ended = false;
    QLabel *m_message = nullptr;
    QListWidget *m_accounts = nullptr;
    QLineEdit *m_pin = nullptr;
    QPushButton *m_answer = nullptr;
    QPushButton *m_retry = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace bidwarden

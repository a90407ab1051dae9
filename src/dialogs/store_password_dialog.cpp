#include "store_password_dialog.h"

#include "code_page.h"
#include "credentials.h"
#include "dialog_support.h"
#include "text_file.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace bidwarden {

using namespace dialog_support;

namespace {

// The password box: masked with '*', and kept from every input method.
QLineEdit *makePasswordEdit(QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("passTxt"));
    edit->setAccessibleName(StorePasswordDialog::tr("Password"));
    edit->setEchoMode(QLineEdit::Password);
    // The platform style masks with a bullet; the program masks with '*'.
    edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    // setEchoMode decides the input method itself, so these come after it: no
    // input method may see, predict or remember the password.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText
                              | Qt::ImhNoAutoUppercase);
    return edit;
}

} // namespace

StorePasswordDialog::StorePasswordDialog(const SettingsFolder &settings)
    : SettingsDialog(settings, QStringLiteral("Form1"), tr("Save Password"))
{
    setClientSize(this, 4680, 3195);

    m_explanation = new QLabel(tr("To avoid the inital Bidwarden login process, you can store your password "
                                  "in the Bidwarden program. This will log you in when the program is started. "),
                               this);
    m_explanation->setObjectName(QStringLiteral("Label3"));
    m_explanation->setWordWrap(true);
    m_explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(m_explanation, 600, 360, 3855, 855);

    m_userNameLabel = new QLabel(tr("User Name:"), this);
    m_userNameLabel->setObjectName(QStringLiteral("Label1"));
    place(m_userNameLabel, 120, 1440, 975, 375);

    m_userNameEdit = new QLineEdit(this);
    m_userNameEdit->setObjectName(QStringLiteral("userTxt"));
    m_userNameEdit->setAccessibleName(tr("User name"));
    place(m_userNameEdit, 1080, 1440, 3135, 285);

    m_passwordLabel = new QLabel(tr("Password:"), this);
    m_passwordLabel->setObjectName(QStringLiteral("Label2"));
    place(m_passwordLabel, 120, 1920, 975, 375);

    m_passwordEdit = makePasswordEdit(this);
    place(m_passwordEdit, 1080, 1920, 3135, 285);

    m_saveButton = new QPushButton(tr("Save"), this);
    m_saveButton->setObjectName(QStringLiteral("save"));
    place(m_saveButton, 1080, 2520, 1575, 375);

    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancel"));
    place(m_cancelButton, 2760, 2520, 1575, 375);

    fitLabelToText(m_explanation);
    fitLabelToText(m_userNameLabel, m_userNameEdit);
    fitLabelToText(m_passwordLabel, m_passwordEdit);
    fitWindowToControls(this, pixels(this, 120));

    // Enter and Esc mean nothing to the window as a whole.
    for (QPushButton *button : { m_saveButton, m_cancelButton }) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    // The labels take no focus and have no mnemonics, so only the focusable
    // controls are ordered (setTabOrder ignores widgets without focus anyway).
    setTabOrder(m_saveButton, m_userNameEdit);
    setTabOrder(m_userNameEdit, m_passwordEdit);
    setTabOrder(m_passwordEdit, m_cancelButton);

    connect(m_saveButton, &QPushButton::clicked, this, &StorePasswordDialog::save);
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);

    loadStoredCredentials();
    // Takes effect when the window first becomes active.
    m_saveButton->setFocus(Qt::OtherFocusReason);
}

StorePasswordDialog::~StorePasswordDialog() = default;

void StorePasswordDialog::loadStoredCredentials()
{
    const QString file = settings().credentialsFile();
    if (!fileExists(file))
        return;
    // A file that cannot be read leaves both boxes empty.
    const Credentials stored = readCredentials(file).credentials;
    m_userNameEdit->setText(stored.userName);
    m_passwordEdit->setText(stored.password);
}

QString StorePasswordDialog::problemWith(const QString &userName, const QString &password) const
{
    // The comma separates the fields of the stored record.
    if (userName.contains(QLatin1Char(',')))
        return tr("The user name cannot contain a comma.");
    if (password.contains(QLatin1Char(',')))
        return tr("The password cannot contain a comma.");
    const QString character = firstUnrepresentable(userName);
    if (!character.isEmpty())
        return tr("The user name cannot contain the character \"%1\".").arg(character);
    // The password's own character is not shown: the box masks it for a reason.
    if (!firstUnrepresentable(password).isEmpty())
        return tr("The password contains a character that cannot be stored.");
    return QString();
}

void StorePasswordDialog::save()
{
    if (m_saving)
        return;
    const Credentials credentials{ m_userNameEdit->text(), m_passwordEdit->text() };
    const QString problem = problemWith(credentials.userName, credentials.password);
    if (!problem.isEmpty()) {
        showMessage(QStringLiteral("inputRefused"), problem);
        return;
    }

    // The user's own settings folder is made on the first save.
    const FileResult ready = settings().prepareToSave();
    if (!ready.ok()) {
        showMessage(QStringLiteral("saveError"), tr("The password could not be saved.\n\n%1").arg(ready.errorText));
        return;
    }
    // Scrambling keeps the interface alive by processing pending events, so
    // the window may be closed (and, when it deletes itself on close, deleted)
    // before it returns. A close is the user's Cancel: nothing is written then.
    const QPointer<StorePasswordDialog> self(this);
    m_closedWhileSaving = false;
    m_saving = true;
    const FileResult written =
            storeCredentials(settings().credentialsFileToSave(), credentials, processPendingNonInputEvents,
                             [&self] { return self && !self->m_closedWhileSaving; });
    if (!self)
        return;
    m_saving = false;
    if (written.error == WriteAbandoned)
        return;
    if (!written.ok()) {
        showMessage(QStringLiteral("saveError"),
                    tr("The password could not be saved.\n\n%1").arg(written.errorText));
        return;
    }
    close();
}

void StorePasswordDialog::closeEvent(QCloseEvent *event)
{
    SettingsDialog::closeEvent(event);
    if (event->isAccepted() && m_saving)
        m_closedWhileSaving = true;
}

} // namespace bidwarden

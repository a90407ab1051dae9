#include "store_password_dialog.h"

#include "credentials.h"
#include "code_page.h"
#include "dialog_support.h"
#include "scrambling.h"
#include "text_file.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace bidwarden {

using namespace dialog_support;

StorePasswordDialog::StorePasswordDialog(const SettingsFolder &settings)
    : QWidget(nullptr)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("Save Password"));
    setClientSize(this, 4680, 3195);

    m_label3 = new QLabel(tr("To avoid the inital Bidwarden login process, you can store your password "
                             "in the Bidwarden program. This will log you in when the program is started. "),
                          this);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setWordWrap(true);
    place(m_label3, 600, 360, 3855, 855);

    m_label1 = new QLabel(tr("User Name:"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    place(m_label1, 120, 1440, 975, 375);

    m_userTxt = new QLineEdit(this);
    m_userTxt->setObjectName(QStringLiteral("userTxt"));
    place(m_userTxt, 1080, 1440, 3135, 285);

    m_label2 = new QLabel(tr("Password:"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    place(m_label2, 120, 1920, 975, 375);

    m_passTxt = new QLineEdit(this);
    m_passTxt->setObjectName(QStringLiteral("passTxt"));
    m_passTxt->setEchoMode(QLineEdit::Password);
    // The platform style masks with a bullet; the program masks with '*'.
    m_passTxt->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    // setEchoMode decides the input method itself, so these come after it: no
    // input method may see, predict or remember the password.
    m_passTxt->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_passTxt->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText
                                   | Qt::ImhNoAutoUppercase);
    place(m_passTxt, 1080, 1920, 3135, 285);
    m_userTxt->setAccessibleName(tr("User name"));
    m_passTxt->setAccessibleName(tr("Password"));

    m_save = new QPushButton(tr("Save"), this);
    m_save->setObjectName(QStringLiteral("save"));
    place(m_save, 1080, 2520, 1575, 375);

    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    place(m_cancel, 2760, 2520, 1575, 375);

    // Enter and Esc mean nothing to the window as a whole.
    for (QPushButton *button : { m_save, m_cancel }) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    // The labels take no focus and have no mnemonics, so only the focusable
    // controls are ordered (setTabOrder ignores widgets without focus anyway).
    setTabOrder(m_save, m_userTxt);
    setTabOrder(m_userTxt, m_passTxt);
    setTabOrder(m_passTxt, m_cancel);

    connect(m_save, &QPushButton::clicked, this, &StorePasswordDialog::save);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);

    loadStoredCredentials();
    // Takes effect when the window first becomes active.
    m_save->setFocus(Qt::OtherFocusReason);
}

StorePasswordDialog::~StorePasswordDialog() = default;

void StorePasswordDialog::loadStoredCredentials()
{
    const QString file = m_settings.credentialsFile();
    if (!fileExists(file))
        return;
    // The line end the writer adds is not part of the scrambled record; left in,
    // it would turn into two characters of garbage at the record's end.
    const QString scrambled = withoutLineEnd(readTextFileContentsQuietly(file));
    const Credentials stored = splitCredentialRecord(encryptDecrypt(scrambled, credentialsKey));
    m_userTxt->setText(stored.userName);
    m_passTxt->setText(stored.password);
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
    const QString userName = m_userTxt->text();
    const QString password = m_passTxt->text();
    const QString problem = problemWith(userName, password);
    if (!problem.isEmpty()) {
        showMessage(QStringLiteral("inputRefused"), problem);
        return;
    }

    // Scrambling keeps the interface alive by processing pending events, so
    // the window may be closed (and, when it deletes itself on close, deleted)
    // before it returns. A close is the user's Cancel: nothing is written then.
    const QPointer<StorePasswordDialog> self(this);
    m_closedWhileSaving = false;
    m_saving = true;
    const QString scrambled = encryptDecrypt(composeCredentialRecord(userName, password), credentialsKey);
    if (!self)
        return;
    m_saving = false;
    if (m_closedWhileSaving)
        return;

    const FileResult written =
            writeTextFileContents(scrambled, m_settings.credentialsFile(), FileVisibility::Private);
    if (!written.ok()) {
        showMessage(QStringLiteral("saveError"),
                    tr("The password could not be saved.\n\n%1").arg(written.errorText));
        return;
    }
    close();
}

void StorePasswordDialog::showMessage(const QString &objectName, const QString &text)
{
    showWarning(this, m_message, objectName, text);
}

void StorePasswordDialog::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    if (m_saving)
        m_closedWhileSaving = true;
    if (m_message)
        m_message->close();
    Q_EMIT closed();
}

} // namespace bidwarden

#include "authentication_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace bidwarden {

QString authenticationQuestion(const QString &host, const QString &realm, bool proxy)
{
    const QString who = proxy ? AuthenticationDialog::tr("The proxy %1").arg(host) : host;
    if (realm.isEmpty())
        return AuthenticationDialog::tr("%1 asks for a user name and password.").arg(who);
    return AuthenticationDialog::tr("%1 asks for a user name and password for \u201c%2\u201d.").arg(who, realm);
}

AuthenticationDialog::AuthenticationDialog(const QString &host, const QString &realm, bool proxy, QWidget *parent)
    : QDialog(parent)
    , m_user(new QLineEdit(this))
    , m_password(new QLineEdit(this))
{
    setObjectName(QStringLiteral("authenticationDialog"));
    setWindowTitle(proxy ? tr("Proxy Sign-in") : tr("Sign in"));
    auto *question = new QLabel(authenticationQuestion(host, realm, proxy), this);
    question->setObjectName(QStringLiteral("authenticationQuestion"));
    question->setTextFormat(Qt::PlainText);
    question->setWordWrap(true);
    m_user->setObjectName(QStringLiteral("authUser"));
    m_password->setObjectName(QStringLiteral("authPassword"));
    m_password->setEchoMode(QLineEdit::Password);

    auto *fields = new QFormLayout;
    fields->addRow(tr("&User name:"), m_user);
    fields->addRow(tr("&Password:"), m_password);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    m_user->setFocus(Qt::OtherFocusReason);
}

QString AuthenticationDialog::userName() const
{
    return m_user->text();
}

QString AuthenticationDialog::password() const
{
    return m_password->text();
}

} // namespace bidwarden

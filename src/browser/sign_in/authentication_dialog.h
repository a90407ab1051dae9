#pragma once

#include <QDialog>

QT_BEGIN_NAMESPACE
class QLineEdit;
QT_END_NAMESPACE

namespace bidwarden {

// The line above the user name and password: who asks, and for which realm.
QString authenticationQuestion(const QString &host, const QString &realm, bool proxy);

// Asks for the user name and password a site (or a proxy) wants, naming the
// host and the realm, so the user knows who asks.
class AuthenticationDialog : public QDialog
{
    Q_OBJECT

public:
    AuthenticationDialog(const QString &host, const QString &realm, bool proxy, QWidget *parent = nullptr);

    QString userName() const;
    QString password() const;

private:
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
};

} // namespace bidwarden

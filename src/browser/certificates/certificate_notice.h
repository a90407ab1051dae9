#pragma once

#include "certificate_words.h"

#include <QWidget>

QT_BEGIN_NAMESPACE
class QLabel;
class QPushButton;
QT_END_NAMESPACE

namespace bidwarden {

// Shown in a page's place while its site's certificate waits for the user:
// what is wrong, in words, with "Go back" and, where the engine allows it,
// "Proceed to HOST (unsafe)". It only tells and asks; the page's
// certificate duty decides what the answers do.
class CertificateNotice : public QWidget
{
    Q_OBJECT

public:
    explicit CertificateNotice(QWidget *parent = nullptr);

    // Asks about this certificate; Proceed is offered only where it may be
    // overridden.
    void ask(const CertificateFacts &facts);
    // Tells that nothing was loaded from the host; there is nothing to answer.
    void showRefused(const QString &host);

    QLabel *text() const { return m_text; }

Q_SIGNALS:
    void goBackChosen();
    void proceedChosen();

private:
    QLabel *m_text = nullptr;
    QPushButton *m_goBack = nullptr;
    QPushButton *m_proceed = nullptr;
};

} // namespace bidwarden

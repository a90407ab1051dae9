#include "passkey_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace bidwarden {

PasskeyDialog::PasskeyDialog(const QString &site, QWidget *parent)
    : QDialog(parent)
    , m_site(site)
    , m_message(new QLabel(this))
    , m_accounts(new QListWidget(this))
    , m_pin(new QLineEdit(this))
{
    setObjectName(QStringLiteral("passkeyDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(tr("Security Key \u2014 %1").arg(site));
    m_message->setObjectName(QStringLiteral("passkeyMessage"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_accounts->setObjectName(QStringLiteral("passkeyAccounts"));
    m_pin->setObjectName(QStringLiteral("passkeyPin"));
    m_pin->setEchoMode(QLineEdit::Password);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(m_accounts);
    layout->addWidget(m_pin);
    buildButtons();
    connect(m_accounts, &QListWidget::currentRowChanged, this, &PasskeyDialog::updateAnswerButton);
    connect(m_accounts, &QListWidget::itemActivated, this, &PasskeyDialog::answer);
    connect(m_pin, &QLineEdit::textChanged, this, &PasskeyDialog::updateAnswerButton);
    follow(m_state);
}

void PasskeyDialog::buildButtons()
{
    auto *buttons = new QDialogButtonBox(this);
    m_answer = buttons->addButton(tr("C&ontinue"), QDialogButtonBox::AcceptRole);
    m_answer->setObjectName(QStringLiteral("passkeyContinue"));
    m_retry = buttons->addButton(tr("&Retry"), QDialogButtonBox::ActionRole);
    m_retry->setObjectName(QStringLiteral("passkeyRetry"));
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setObjectName(QStringLiteral("passkeyCancel"));
    // Enter presses Continue only, and only once it can answer: it is the
    // one default button while ready, and no button becomes the default by
    // taking the focus (Enter in a short PIN would press Cancel).
    for (QPushButton *button : { m_answer, m_retry, m_cancel })
        button->setAutoDefault(false);
    connect(m_answer, &QPushButton::clicked, this, &PasskeyDialog::answer);
    connect(m_retry, &QPushButton::clicked, this, [this] {
        m_retry->setEnabled(false);
        Q_EMIT retryRequested();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &PasskeyDialog::reject);
    layout()->addWidget(buttons);
}

void PasskeyDialog::follow(const PasskeyState &state)
{
    if (m_ended)
        return;
    if (passkeyStepEnds(state.step)) {
        m_state = state;
        finish();
        return;
    }
    m_state = state;
    m_message->setText(passkeyMessage(state, m_site));
    const bool choosing = state.step == PasskeyStep::SelectAccount;
    const bool pin = state.step == PasskeyStep::CollectPin;
    m_accounts->clear();
    m_accounts->addItems(choosing ? state.accounts : QStringList());
    m_accounts->setVisible(choosing && !state.accounts.isEmpty());
    if (m_accounts->count() > 0)
        m_accounts->setCurrentRow(0);
    m_pin->clear();
    m_pin->setVisible(pin);
    m_pin->setEnabled(pin);
    m_answer->setVisible(choosing || pin);
    m_retry->setVisible(passkeyStepOffersRetry(state.step));
    m_retry->setEnabled(true);
    updateAnswerButton();
    if (pin)
        m_pin->setFocus(Qt::OtherFocusReason);
    else if (choosing)
        m_accounts->setFocus(Qt::OtherFocusReason);
    else
        m_cancel->setFocus(Qt::OtherFocusReason);
}

void PasskeyDialog::updateAnswerButton()
{
    bool ready = false;
    if (m_state.step == PasskeyStep::SelectAccount)
        ready = m_accounts->currentItem() != nullptr;
    else if (m_state.step == PasskeyStep::CollectPin)
        ready = m_pin->isEnabled() && pinAcceptable(m_pin->text(), m_state.pin.minLength);
    m_answer->setEnabled(ready);
    m_answer->setDefault(ready);
}

void PasskeyDialog::answer()
{
    if (m_ended || !m_answer->isEnabled())
        return;
    if (m_state.step == PasskeyStep::SelectAccount) {
        const QString account = m_accounts->currentItem()->text();
        m_accounts->setEnabled(false);
        m_answer->setEnabled(false);
        Q_EMIT accountChosen(account);
    } else if (m_state.step == PasskeyStep::CollectPin) {
        // The key answers with the next step; until then the PIN is not
        // sent twice.
        const QString pin = m_pin->text();
        m_pin->clear();
        m_pin->setEnabled(false);
        m_answer->setEnabled(false);
        m_message->setText(tr("Checking the PIN\u2026"));
        Q_EMIT pinEntered(pin);
    }
}

void PasskeyDialog::finish()
{
    m_ended = true;
    QDialog::reject();
}

void PasskeyDialog::reject()
{
    const bool open = !m_ended;
    m_ended = true;
    // Before the window goes: the request is cancelled from here, and its
    // answer (Cancelled) finds the dialog already ended.
    if (open)
        Q_EMIT cancelRequested();
    QDialog::reject();
}

} // namespace bidwarden

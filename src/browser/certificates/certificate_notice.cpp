#include "certificate_notice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace bidwarden {

CertificateNotice::CertificateNotice(QWidget *parent)
    : QWidget(parent)
    , m_text(new QLabel(this))
    , m_goBack(new QPushButton(tr("Go &back"), this))
    , m_proceed(new QPushButton(this))
{
    setObjectName(QStringLiteral("certificateNotice"));
    setAutoFillBackground(true);
    m_text->setObjectName(QStringLiteral("certificateNoticeText"));
    m_text->setTextFormat(Qt::RichText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignCenter);
    // Links in the text would be the site's words; there are none to follow.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_goBack->setObjectName(QStringLiteral("certificateGoBack"));
    m_proceed->setObjectName(QStringLiteral("certificateProceed"));
    m_goBack->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_goBack);
    buttons->addWidget(m_proceed);
    buttons->addStretch(1);
    auto *column = new QVBoxLayout(this);
    column->addStretch(1);
    column->addWidget(m_text);
    column->addLayout(buttons);
    column->addStretch(2);

    connect(m_goBack, &QPushButton::clicked, this, &CertificateNotice::goBackChosen);
    connect(m_proceed, &QPushButton::clicked, this, &CertificateNotice::proceedChosen);
}

void CertificateNotice::ask(const CertificateFacts &facts)
{
    m_text->setText(certificateNoticeHtml(facts));
    m_proceed->setText(proceedButtonText(facts.host));
    m_proceed->setVisible(facts.overridable);
    m_goBack->setVisible(true);
}

void CertificateNotice::showRefused(const QString &host)
{
    m_text->setText(certificateRefusedHtml(host));
    m_goBack->setVisible(false);
    m_proceed->setVisible(false);
}

} // namespace bidwarden

#include "clear_data_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace bidwarden {

ClearDataDialog::ClearDataDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("clearDataDialog"));
    setWindowTitle(tr("Clear Browsing Data"));
    setModal(false);
    auto *layout = new QVBoxLayout(this);
    auto *question = new QLabel(tr("Clear what the browser keeps of your browsing:"), this);
    question->setObjectName(QStringLiteral("clearDataQuestion"));
    layout->addWidget(question);
    m_cookies = addChoice("clearCookies", tr("C&ookies and site data"),
                          tr("Signs you out of every site, the Bidwarden service included."));
    m_cache = addChoice("clearCache", tr("C&ached pages and images"), QString());
    m_visitedLinks = addChoice("clearVisitedLinks", tr("&Visited links"), QString());
    question->setBuddy(m_cookies);

    // Plain text: it names folders and the engine's reasons as they are.
    m_outcome = new QLabel(this);
    m_outcome->setObjectName(QStringLiteral("clearDataOutcome"));
    m_outcome->setAccessibleName(tr("What was cleared"));
    m_outcome->setTextFormat(Qt::PlainText);
    m_outcome->setWordWrap(true);
    m_outcome->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_outcome->hide();
    layout->addWidget(m_outcome);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("clearDataClose"));
    m_clear = buttons->addButton(tr("C&lear"), QDialogButtonBox::AcceptRole);
    m_clear->setObjectName(QStringLiteral("clearDataClear"));
    m_clear->setDefault(true);
    connect(m_clear, &QPushButton::clicked, this, &ClearDataDialog::clear);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    m_cookies->setFocus(Qt::OtherFocusReason);
}

QCheckBox *ClearDataDialog::addChoice(const char *objectName, const QString &text, const QString &explanation)
{
    auto *box = new QCheckBox(text, this);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    box->setChecked(true);
    if (!explanation.isEmpty())
        box->setAccessibleDescription(explanation);
    // Nothing ticked, nothing to clear.
    connect(box, &QCheckBox::toggled, this, [this] {
        const Choice chosen = choice();
        m_clear->setEnabled(chosen != Choice{});
    });
    layout()->addWidget(box);
    if (!explanation.isEmpty()) {
        auto *note = new QLabel(explanation, this);
        note->setObjectName(QString::fromLatin1(objectName) + QStringLiteral("Note"));
        note->setContentsMargins(24, 0, 0, 0);
        layout()->addWidget(note);
    }
    return box;
}

ClearDataDialog::Choice ClearDataDialog::choice() const
{
    return { .cookiesAndSiteData = m_cookies->isChecked(), .cache = m_cache->isChecked(),
             .visitedLinks = m_visitedLinks->isChecked() };
}

void ClearDataDialog::clear()
{
    const Choice chosen = choice();
    if (chosen == Choice{})
        return;
    m_lines.clear();
    m_outcome->setText(tr("Clearing…"));
    m_outcome->show();
    setChoosing(false);
    Q_EMIT clearRequested(chosen);
}

void ClearDataDialog::addOutcome(const QString &line)
{
    m_lines.append(line);
    m_outcome->setText(m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n') + tr("Clearing…"));
}

void ClearDataDialog::showFinished()
{
    m_outcome->setText(m_lines.join(QLatin1Char('\n')));
    setChoosing(true);
}

void ClearDataDialog::setChoosing(bool choosing)
{
    for (QCheckBox *box : { m_cookies, m_cache, m_visitedLinks })
        box->setEnabled(choosing);
    m_clear->setEnabled(choosing && choice() != Choice{});
}

} // namespace bidwarden

#include "about_window.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bidwarden {

QString aboutReportText(const AboutFacts &facts)
{
    QStringList lines;
    lines.reserve(facts.size());
    for (const auto &[name, value] : facts)
        lines << name + QStringLiteral(": ") + value;
    return lines.join(QLatin1Char('\n'));
}

AboutWindow::AboutWindow(const AboutFacts &facts, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(tr("About Bidwarden"));
    setModal(false);

    auto *title = new QLabel(tr("<h3>Bidwarden Auction Sniper</h3>"), this);
    title->setTextFormat(Qt::RichText);

    // Read-only text rather than labels: a mouse or the keyboard selects any
    // part of it, and Ctrl+A, Ctrl+C copy it as plain lines.
    m_facts = new QPlainTextEdit(aboutReportText(facts), this);
    m_facts->setObjectName(QStringLiteral("aboutFacts"));
    m_facts->setAccessibleName(tr("Versions and settings folder"));
    m_facts->setReadOnly(true);
    m_facts->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_facts->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFontMetrics metrics(m_facts->font());
    int widest = 0;
    for (const QString &line : reportText().split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    m_facts->setMinimumSize(std::min(widest + 4 * metrics.averageCharWidth(), 900),
                            (int(facts.size()) + 2) * metrics.lineSpacing());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *copy = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("aboutCopy"));
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(reportText()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_facts);
    layout->addWidget(buttons);
    m_facts->setFocus(Qt::OtherFocusReason);
}

QString AboutWindow::reportText() const
{
    return m_facts->toPlainText();
}

} // namespace bidwarden

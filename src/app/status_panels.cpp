#include "status_panels.h"

#include "icons.h"
#include "layout_rules.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>

namespace bidwarden {

namespace {

QLabel *makePanel(const char *objectName, const QString &text, int widthPx, int minimumPx)
{
    auto *label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(minimumPx);
    if (widthPx == minimumPx)
        label->setFixedWidth(widthPx);
    return label;
}

void showKeyState(QLabel *label, std::optional<bool> on, const QString &name)
{
    label->setEnabled(on.value_or(false));
    label->setToolTip(!on ? StatusPanels::tr("%1: not reported by the system").arg(name)
                          : *on ? StatusPanels::tr("%1 is on").arg(name)
                                : StatusPanels::tr("%1 is off").arg(name));
}

} // namespace

StatusPanels::StatusPanels(QStatusBar *bar, qreal dpi)
    : QObject(bar)
{
    const auto px = [dpi](int twips) { return twipsToPixels(twips, dpi); };

    // Panel 1: a 20 by 20 picture before the page status text.
    auto *pagePanel = new QWidget;
    pagePanel->setObjectName(QStringLiteral("statusPanel1"));
    pagePanel->setMinimumWidth(px(490));
    auto *pageLayout = new QHBoxLayout(pagePanel);
    pageLayout->setContentsMargins(2, 0, 2, 0);
    auto *picture = new QLabel;
    picture->setPixmap(bundledIcon("page").pixmap(20, 20));
    m_pageStatus = new QLabel;
    m_pageStatus->setObjectName(QStringLiteral("pageStatus"));
    // Status texts come from web pages: never interpret them as markup.
    m_pageStatus->setTextFormat(Qt::PlainText);
    m_pageStatus->setMinimumWidth(0);
    m_pageStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    pageLayout->addWidget(picture);
    pageLayout->addWidget(m_pageStatus, 1);

    m_connection = makePanel("statusPanel2", QString(), px(1440), px(1440));
    m_numLock = makePanel("statusPanel3", QStringLiteral("NUM"), px(540), px(540));
    m_capsLock = makePanel("statusPanel4", QStringLiteral("CAPS"), px(540), px(540));
    m_insert = makePanel("statusPanel5", QStringLiteral("INS"), px(540), px(540));
    for (QLabel *key : { m_numLock, m_capsLock, m_insert })
        key->setAlignment(Qt::AlignCenter);

    // Panel 1 takes the extra width; the others keep theirs.
    bar->addWidget(pagePanel, 1);
    bar->addWidget(m_connection);
    bar->addPermanentWidget(m_numLock);
    bar->addPermanentWidget(m_capsLock);
    bar->addPermanentWidget(m_insert);
    setKeyStates(std::nullopt, std::nullopt, false);
}

void StatusPanels::setPageStatus(const QString &text)
{
    m_pageStatus->setText(text);
    // The panel cuts a long text off at the keyboard panels; the tooltip has it whole.
    m_pageStatus->setToolTip(text);
}

QString StatusPanels::pageStatus() const
{
    return m_pageStatus->text();
}

void StatusPanels::setConnectionText(const QString &text)
{
    m_connection->setText(text);
}

QString StatusPanels::connectionText() const
{
    return m_connection->text();
}

void StatusPanels::setKeyStates(std::optional<bool> numLock, std::optional<bool> capsLock, bool insert)
{
    showKeyState(m_numLock, numLock, tr("Num Lock"));
    showKeyState(m_capsLock, capsLock, tr("Caps Lock"));
    showKeyState(m_insert, insert, tr("Insert"));
}

} // namespace bidwarden

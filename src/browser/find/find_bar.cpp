#include "find_bar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace bidwarden {

QString matchCountText(const QString &searched, int activeMatch, int matches)
{
    if (searched.isEmpty())
        return {};
    if (matches <= 0)
        return FindBar::tr("No matches");
    return FindBar::tr("%1 of %2").arg(activeMatch).arg(matches);
}

FindBar::FindBar(QWidget *parent)
    : QFrame(parent)
    , m_text(new QLineEdit(this))
    , m_matches(new QLabel(this))
{
    setObjectName(QStringLiteral("findBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setPlaceholderText(tr("Find in page"));
    m_text->setAccessibleName(tr("Find in page"));
    m_text->setClearButtonEnabled(true);
    m_text->installEventFilter(this);
    m_matches->setObjectName(QStringLiteral("findMatches"));
    m_matches->setMinimumWidth(m_matches->fontMetrics().horizontalAdvance(tr("No matches")));

    const auto button = [this](const char *name, const QString &text, const QString &toolTip) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(toolTip);
        b->setAccessibleName(toolTip);
        b->setAutoRaise(true);
        return b;
    };
    QToolButton *previous = button("findPrevious", QStringLiteral("\u25B2"), tr("Previous match (Shift+F3)"));
    QToolButton *next = button("findNext", QStringLiteral("\u25BC"), tr("Next match (F3)"));
    QToolButton *done = button("findClose", QStringLiteral("\u2715"), tr("Close the find bar (Esc)"));

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(new QLabel(tr("Find:"), this));
    row->addWidget(m_text, 1);
    row->addWidget(m_matches);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(done);

    connect(m_text, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (text.isEmpty())
            m_matches->clear();
        Q_EMIT findRequested(text, false);
    });
    connect(previous, &QToolButton::clicked, this, [this] { findAgain(true); });
    connect(next, &QToolButton::clicked, this, [this] { findAgain(false); });
    connect(done, &QToolButton::clicked, this, &FindBar::close);
    hide();
}

void FindBar::open()
{
    show();
    m_text->selectAll();
    m_text->setFocus(Qt::ShortcutFocusReason);
    // What the bar had found before it was closed is found again.
    if (!m_text->text().isEmpty())
        Q_EMIT findRequested(m_text->text(), false);
}

void FindBar::findAgain(bool backward)
{
    if (isHidden() || m_text->text().isEmpty()) {
        open();
        return;
    }
    Q_EMIT findRequested(m_text->text(), backward);
}

void FindBar::close()
{
    if (isHidden())
        return;
    const bool hadFocus = isAncestorOf(QApplication::focusWidget());
    hide();
    m_matches->clear();
    Q_EMIT findRequested(QString(), false);
    Q_EMIT closed(hadFocus);
}

void FindBar::showMatches(int activeMatch, int matches)
{
    m_matches->setText(matchCountText(m_text->text(), activeMatch, matches));
}

void FindBar::forgetMatches()
{
    m_matches->clear();
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_text || (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return QFrame::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool escape = key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!escape && !enter)
        return QFrame::eventFilter(watched, event);
    // Esc and Enter are the bar's while it has the focus, ahead of the
    // window's shortcuts (Esc stops a load there).
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (escape)
        close();
    else
        findAgain(key->modifiers().testFlag(Qt::ShiftModifier));
    return true;
}

} // namespace bidwarden

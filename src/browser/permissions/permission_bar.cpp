#include "permission_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace bidwarden {

QString permissionQuestion(const QString &host, PagePermission permission)
{
    const QString site = host.isEmpty() ? PermissionBar::tr("This page") : host;
    switch (permission) {
    case PagePermission::Location: return PermissionBar::tr("%1 wants to know your location.").arg(site);
    case PagePermission::Notifications: return PermissionBar::tr("%1 wants to show notifications.").arg(site);
    case PagePermission::Microphone: return PermissionBar::tr("%1 wants to use your microphone.").arg(site);
    case PagePermission::Camera: return PermissionBar::tr("%1 wants to use your camera.").arg(site);
    case PagePermission::CameraAndMicrophone:
        return PermissionBar::tr("%1 wants to use your camera and microphone.").arg(site);
    case PagePermission::MouseLock: return PermissionBar::tr("%1 wants to hide and lock your mouse pointer.").arg(site);
    case PagePermission::ScreenSharing: return PermissionBar::tr("%1 wants to see your screen.").arg(site);
    case PagePermission::ScreenAndAudioSharing:
        return PermissionBar::tr("%1 wants to see your screen and hear its sound.").arg(site);
    case PagePermission::Clipboard: return PermissionBar::tr("%1 wants to read and change your clipboard.").arg(site);
    case PagePermission::LocalFonts: return PermissionBar::tr("%1 wants to see the fonts on this computer.").arg(site);
    }
    return PermissionBar::tr("%1 wants a permission.").arg(site);
}

PermissionBar::PermissionBar(QWidget *parent)
    : QFrame(parent)
    , m_text(new QLabel(this))
    , m_allow(new QPushButton(tr("&Allow"), this))
    , m_block(new QPushButton(tr("&Block"), this))
{
    setObjectName(QStringLiteral("permissionBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    m_text->setObjectName(QStringLiteral("permissionText"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_allow->setObjectName(QStringLiteral("permissionAllow"));
    m_block->setObjectName(QStringLiteral("permissionBlock"));
    for (QPushButton *button : { m_allow, m_block }) {
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
    }
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_allow);
    layout->addWidget(m_block);
    connect(m_allow, &QPushButton::clicked, this, [this] { answerFirst(true); });
    connect(m_block, &QPushButton::clicked, this, [this] { answerFirst(false); });
    hide();
}

void PermissionBar::ask(Question question)
{
    m_questions.append(std::move(question));
    if (m_questions.size() == 1)
        showFirst();
}

void PermissionBar::blockAll()
{
    // Taken first: an answer may make the page ask again.
    const QList<Question> unanswered = std::exchange(m_questions, {});
    hide();
    for (const Question &question : unanswered) {
        if (question.dropped)
            question.dropped();
        else
            question.answer(false);
    }
}

QString PermissionBar::questionText() const
{
    return m_questions.isEmpty() ? QString() : m_text->text();
}

void PermissionBar::answerFirst(bool allowed)
{
    if (m_questions.isEmpty())
        return;
    const Question answered = m_questions.takeFirst();
    if (m_questions.isEmpty())
        hide();
    else
        showFirst();
    answered.answer(allowed);
}

void PermissionBar::showFirst()
{
    const Question &question = m_questions.first();
    m_text->setText(question.text);
    m_text->setToolTip(question.detail);
    m_allow->setText(question.allowText.isEmpty() ? tr("&Allow") : question.allowText);
    show();
}

} // namespace bidwarden

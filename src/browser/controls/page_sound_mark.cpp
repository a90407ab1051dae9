#include "page_sound_mark.h"

#include "sound_mark_look.h"

#include <QAction>
#include <QApplication>
#include <QStyle>
#include <QWebEnginePage>

namespace bidwarden {

PageSoundMark::PageSoundMark(QWebEnginePage *page, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_action(new QAction(this))
    , m_playing(QApplication::style()->standardIcon(QStyle::SP_MediaVolume))
    , m_muted(QApplication::style()->standardIcon(QStyle::SP_MediaVolumeMuted))
{
    m_action->setObjectName(QStringLiteral("pageSound"));
    m_action->setCheckable(true);
    // The click has checked or unchecked the mark; the page's answer
    // (audioMutedChanged) sets the rest.
    connect(m_action, &QAction::triggered, this, [this](bool muted) {
        if (m_page)
            m_page->setAudioMuted(muted);
    });
    connect(page, &QWebEnginePage::recentlyAudibleChanged, this, &PageSoundMark::update);
    connect(page, &QWebEnginePage::audioMutedChanged, this, &PageSoundMark::update);
    update();
}

void PageSoundMark::setPictures(const QIcon &playing, const QIcon &muted)
{
    m_playing = playing;
    m_muted = muted;
    update();
}

void PageSoundMark::update()
{
    const SoundMarkLook look = soundMarkLook(m_page && m_page->recentlyAudible(), m_page && m_page->isAudioMuted());
    m_action->setVisible(look.shown);
    m_action->setChecked(look.muted);
    m_action->setIcon(look.muted ? m_muted : m_playing);
    m_action->setText(look.action);
    m_action->setToolTip(look.toolTip);
}

} // namespace bidwarden

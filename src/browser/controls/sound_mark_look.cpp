#include "sound_mark_look.h"

#include <QCoreApplication>

namespace bidwarden {

SoundMarkLook soundMarkLook(bool audible, bool muted)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("SoundMark", text); };
    SoundMarkLook look;
    look.shown = audible || muted;
    look.muted = muted;
    look.action = muted ? tr("Unmute") : tr("Mute");
    look.toolTip = muted ? tr("Muted: click to hear this page again") : tr("This page plays sound: click to mute it");
    return look;
}

} // namespace bidwarden

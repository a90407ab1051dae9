#pragma once

#include <QString>

namespace bidwarden {

// How a page's speaker mark looks, wherever it shows (a pane's tab, a page
// window's toolbar): shown while the page plays sound or is muted, its words
// telling what a click does.
struct SoundMarkLook
{
    bool shown = false;
    bool muted = false;
    // What a click does ("Mute", "Unmute"), and the tooltip.
    QString action;
    QString toolTip;
};

SoundMarkLook soundMarkLook(bool audible, bool muted);

} // namespace bidwarden

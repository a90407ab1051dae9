#pragma once

#include <QtGlobal>

#include <optional>

namespace bidwarden {

// A page's downloads that come within this time of the one before, with no
// press of the user's between, are the page's own doing.
inline constexpr qint64 automaticDownloadWindowMs = 5000;

// What a page's download is, beside the page's downloads before it.
struct DownloadCircumstances
{
    bool first = true;                  // the page has asked for none before
    bool userInputSincePrevious = false; // a click or key of the user's in the page since
    qint64 msSincePrevious = 0;
    std::optional<bool> siteAnswer;     // the user's answer to the site's several downloads
    bool questionOpen = false;          // that question is being asked now
};

enum class DownloadVerdict {
    Offer,  // offered as any download: the user chooses where to save it
    Ask,    // not offered: the user is asked whether the site may download several files
    Hold,   // not offered: the question is open; started again if the user allows
    Refuse, // not offered: the user said the site may not
};

// The page's first download, one the user's click started and one long after
// the one before are offered; several in a row that the page started by
// itself wait for the user's leave, asked once.
DownloadVerdict downloadVerdict(const DownloadCircumstances &download);

} // namespace bidwarden

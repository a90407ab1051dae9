#include "automatic_downloads.h"

namespace bidwarden {

DownloadVerdict downloadVerdict(const DownloadCircumstances &download)
{
    if (download.first || download.userInputSincePrevious || download.msSincePrevious > automaticDownloadWindowMs)
        return DownloadVerdict::Offer;
    if (download.siteAnswer)
        return *download.siteAnswer ? DownloadVerdict::Offer : DownloadVerdict::Refuse;
    return download.questionOpen ? DownloadVerdict::Hold : DownloadVerdict::Ask;
}

} // namespace bidwarden

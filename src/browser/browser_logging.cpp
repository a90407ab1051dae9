#include "browser_logging.h"

namespace bidwarden {

// The page-event traces are debug messages, shown only when asked for
// (QT_LOGGING_RULES="bidwarden.browser.debug=true"); warnings always.
Q_LOGGING_CATEGORY(lcBrowser, "bidwarden.browser", QtInfoMsg)

} // namespace bidwarden

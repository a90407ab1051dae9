#include "browser_logging.h"

namespace bidwarden {

Q_LOGGING_CATEGORY(lcBrowser, "bidwarden.browser")

} // namespace bidwarden

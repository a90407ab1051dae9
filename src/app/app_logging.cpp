#include "app_logging.h"

namespace bidwarden {

Q_LOGGING_CATEGORY(lcApp, "bidwarden.app")

} // namespace bidwarden

#include "settings_logging.h"

namespace bidwarden {

Q_LOGGING_CATEGORY(lcSettings, "bidwarden.settings")

} // namespace bidwarden

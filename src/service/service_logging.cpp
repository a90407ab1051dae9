#include "service_logging.h"

namespace bidwarden {

Q_LOGGING_CATEGORY(lcService, "bidwarden.service")

} // namespace bidwarden

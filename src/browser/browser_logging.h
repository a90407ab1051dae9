#pragma once

#include <QLoggingCategory>

namespace bidwarden {

Q_DECLARE_LOGGING_CATEGORY(lcBrowser)

} // namespace bidwarden

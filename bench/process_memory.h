#pragma once

#include <QtGlobal>

namespace bidwarden::bench {

// Proportional set size, in KiB, of this process and all its descendants
// (the engine's helper processes): the memory the program really costs.
qint64 processTreePssKiB();

} // namespace bidwarden::bench

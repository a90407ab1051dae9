#pragma once

#include <optional>

namespace bidwarden {

// The keyboard's lock states as the display server reports them; nothing
// where the platform does not tell (not on X11, or no keyboard extension).
struct LockStates
{
    std::optional<bool> numLock;
    std::optional<bool> capsLock;
};

LockStates readLockStates();

} // namespace bidwarden

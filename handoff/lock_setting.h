// Whether the session locks when a show ends ("On resume, display logon screen", or a policy
// that forces it). Both programs need it: the renderer ends a locking show as soon as another
// program gets in front of it, and the saver ends one whose renderer no longer answers.
// Window-free; session_lock.h reads the settings from the system.
#pragma once
#include <optional>

namespace qv::handoff {

// Where the system keeps the setting. Each is nothing when it cannot be read (the call is
// not supported, the value is absent).
struct LockSettings {
    std::optional<bool> systemCall;   // SPI_GETSCREENSAVESECURE
    std::optional<bool> userValue;    // "ScreenSaverIsSecure" of the user's desktop settings
    std::optional<bool> policyValue;  // the same value as set by policy
};

// A show locks when the user's setting says so (through the system call where there is one,
// else its stored value), or when a policy forces it. A policy of "0" never unlocks one the
// user asked for: ending a show too eagerly is harmless, a way around the lock is not.
bool ShowLocks(const LockSettings& settings);

// A stored flag as the system reads it: the decimal number it starts with, non-zero for on.
bool FlagIsOn(const char* text);

}  // namespace qv::handoff

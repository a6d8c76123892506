#include "handoff/lock_setting.h"

#include <cstdlib>

namespace qv::handoff {

bool ShowLocks(const LockSettings& settings) {
    if (settings.policyValue.value_or(false)) return true;
    if (settings.systemCall) return *settings.systemCall;
    return settings.userValue.value_or(false);
}

bool FlagIsOn(const char* text) { return text && std::strtol(text, nullptr, 10) != 0; }

}  // namespace qv::handoff

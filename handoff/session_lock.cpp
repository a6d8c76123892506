#include "handoff/session_lock.h"

#include <windows.h>

#include <optional>

#include "handoff/lock_setting.h"

namespace qv::handoff {
namespace {

constexpr char kUserDesktop[] = "Control Panel\\Desktop";
constexpr char kPolicyDesktop[] = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";
constexpr char kSecureValue[] = "ScreenSaverIsSecure";

// Stored as text ("1" or "0"); a number stored by hand counts too.
std::optional<bool> StoredFlag(const char* key) {
    DWORD type = 0;
    char text[32] = {};
    DWORD size = sizeof text - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, key, kSecureValue, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, text,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type == REG_DWORD) {
        DWORD number = 0;
        CopyMemory(&number, text, sizeof number);
        return number != 0;
    }
    return FlagIsOn(text);
}

}  // namespace

bool SessionLocksAfterShow() {
    LockSettings settings;
    BOOL secure = FALSE;
    if (SystemParametersInfoA(SPI_GETSCREENSAVESECURE, 0, &secure, 0)) settings.systemCall = secure != FALSE;
    settings.userValue = StoredFlag(kUserDesktop);
    settings.policyValue = StoredFlag(kPolicyDesktop);
    return ShowLocks(settings);
}

}  // namespace qv::handoff

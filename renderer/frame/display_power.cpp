#include "renderer/frame/display_power.h"

#include <cstring>

#include "renderer/renderer_state.h"
#include "renderer/pacing/display_pacing.h"

namespace qv::renderer {
namespace {

// GUID_CONSOLE_DISPLAY_STATE: off (0), on (1) or dimmed (2).
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

using RegisterPowerSettingFunction = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
using UnregisterPowerSettingFunction = BOOL(WINAPI*)(HPOWERNOTIFY);

// Looked up when needed: older systems lack them.
void* User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<void*>(GetProcAddress(user32, name)) : nullptr;
}

void DisplayStateChanged(HWND window, DWORD displayState) {
    FrameState& frame = state.frame;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (displayState == 0) {
        if (frame.displayOff) return;
        frame.displayOff = true;
        frame.displayOffSince = now.QuadPart;
        PacingPaused();
    } else if (frame.displayOff) {  // on, or dimmed and still seen: the show goes on where it stopped
        frame.displayOff = false;
        frame.clock.LeaveOut(now.QuadPart - frame.displayOffSince);
        PacingResumed(now.QuadPart);
        InvalidateRect(window, nullptr, FALSE);
    }
}

}  // namespace

void WatchDisplayState(HWND window) {
    const auto watch =
        reinterpret_cast<RegisterPowerSettingFunction>(User32Function("RegisterPowerSettingNotification"));
    state.frame.displayNotification =
        watch ? watch(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE) : nullptr;
}

void StopWatchingDisplayState() {
    if (!state.frame.displayNotification) return;
    const auto stop = reinterpret_cast<UnregisterPowerSettingFunction>(
        User32Function("UnregisterPowerSettingNotification"));
    if (stop) stop(state.frame.displayNotification);
    state.frame.displayNotification = nullptr;
}

bool DisplayStateMessage(HWND window, WPARAM wParam, LPARAM lParam) {
    if (wParam != PBT_POWERSETTINGCHANGE || !lParam) return false;
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (!IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) || setting->DataLength < sizeof(DWORD))
        return false;
    DWORD displayState = 0;
    std::memcpy(&displayState, setting->Data, sizeof displayState);
    DisplayStateChanged(window, displayState);
    return true;
}

}  // namespace qv::renderer

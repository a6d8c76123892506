#include "renderer/frame/display_power.h"

#include <cstring>

#include "renderer/renderer_state.h"
#include "renderer/pacing/display_pacing.h"

namespace qv::renderer {
namespace {

// GUID_SESSION_DISPLAY_STATUS (Windows 8 on) and GUID_CONSOLE_DISPLAY_STATE: off (0), on (1)
// or dimmed (2).
constexpr GUID kSessionDisplayState = {
    0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr const GUID* kDisplayStates[] = {&kSessionDisplayState, &kConsoleDisplayState};

using RegisterPowerSettingFunction = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
using UnregisterPowerSettingFunction = BOOL(WINAPI*)(HPOWERNOTIFY);

// Looked up when needed: older systems lack them.
void* User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<void*>(GetProcAddress(user32, name)) : nullptr;
}

void DisplayStateChanged(HWND window, DisplayPower power) {
    FrameState& frame = state.frame;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (power == DisplayPower::Off) {
        if (frame.displayOff) return;
        frame.displayOff = true;
        frame.displayOffSince = now.QuadPart;
        frame.monitorChanges.DisplayOff();
        PacingPaused();
    } else if (frame.displayOff) {  // on, or dimmed and still seen: the show goes on where it stopped
        frame.displayOff = false;
        frame.clock.LeaveOut(now.QuadPart - frame.displayOffSince);
        frame.monitorChanges.DisplayOn(now.QuadPart);
        PacingResumed(now.QuadPart);
        InvalidateRect(window, nullptr, FALSE);
    }
}

}  // namespace

void WatchDisplayState(HWND window) {
    const auto watch =
        reinterpret_cast<RegisterPowerSettingFunction>(User32Function("RegisterPowerSettingNotification"));
    if (!watch) return;
    for (int k = 0; k < 2; ++k)
        state.frame.displayNotifications[k] = watch(window, kDisplayStates[k], DEVICE_NOTIFY_WINDOW_HANDLE);
}

void StopWatchingDisplayState() {
    const auto stop = reinterpret_cast<UnregisterPowerSettingFunction>(
        User32Function("UnregisterPowerSettingNotification"));
    for (HPOWERNOTIFY& notification : state.frame.displayNotifications) {
        if (notification && stop) stop(notification);
        notification = nullptr;
    }
}

bool DisplayStateMessage(HWND window, WPARAM wParam, LPARAM lParam) {
    if (wParam != PBT_POWERSETTINGCHANGE || !lParam) return false;
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    DisplaySource source;
    if (IsEqualGUID(setting->PowerSetting, kSessionDisplayState))
        source = DisplaySource::Session;
    else if (IsEqualGUID(setting->PowerSetting, kConsoleDisplayState))
        source = DisplaySource::Console;
    else
        return false;
    if (setting->DataLength < sizeof(DWORD)) return false;
    DWORD value = 0;
    std::memcpy(&value, setting->Data, sizeof value);
    if (const auto power = state.frame.displayFeed.Notified(source, value))
        DisplayStateChanged(window, *power);
    return true;
}

}  // namespace qv::renderer

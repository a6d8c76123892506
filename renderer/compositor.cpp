#include "renderer/compositor.h"

#include <dwmapi.h>

namespace qv::renderer {
namespace {

FARPROC DwmFunction(const char* name) {
    static HMODULE dwm = LoadLibraryA("dwmapi.dll");
    return dwm ? GetProcAddress(dwm, name) : nullptr;
}

template <typename Function>
Function Lookup(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(DwmFunction(name)));
}

}  // namespace

bool SetCloaked(HWND window, bool cloaked) {
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    const auto set = Lookup<SetAttribute>("DwmSetWindowAttribute");
    const BOOL value = cloaked ? TRUE : FALSE;
    return set && SUCCEEDED(set(window, DWMWA_CLOAK, &value, sizeof value));
}

void WaitForPresent() {
    using Flush = HRESULT(WINAPI*)();
    if (const auto flush = Lookup<Flush>("DwmFlush")) flush();
}

double CompositorRefreshRate() {
    using TimingInfo = HRESULT(WINAPI*)(HWND, DWM_TIMING_INFO*);
    const auto timing = Lookup<TimingInfo>("DwmGetCompositionTimingInfo");
    DWM_TIMING_INFO info = {};
    info.cbSize = sizeof info;
    // The whole desktop's timing: a window's own is refused from Windows 8.1 on.
    if (!timing || FAILED(timing(nullptr, &info)) || info.rateRefresh.uiDenominator == 0) return 0.0;
    return static_cast<double>(info.rateRefresh.uiNumerator) / info.rateRefresh.uiDenominator;
}

}  // namespace qv::renderer

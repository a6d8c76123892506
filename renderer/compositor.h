// The desktop compositor (Windows 8 on; optional on Windows 7; absent under Wine, which takes
// the calls and does nothing). It shows a window that has not yet presented a frame as a
// black or white sheet, and it knows the display's refresh rate where the display mode does
// not. Its functions are looked up when needed: older systems lack them.
#pragma once
#include <windows.h>

namespace qv::renderer {

// Hides or shows the window on the compositor's screen while it is otherwise shown. True when
// the compositor took it.
bool SetCloaked(HWND window, bool cloaked);

// Waits until what was presented so far is on the compositor's screen; nothing without one.
void WaitForPresent();

// The compositor's refresh rate in frames a second; 0 without a compositor.
double CompositorRefreshRate();

}  // namespace qv::renderer

// The display's power state, as the system reports it to the renderer's window: the session's
// where the system has it, else the console's. While the display is off the show draws
// nothing and a change of monitors does not end it; dimmed, it is still seen and goes on.
#pragma once
#include <windows.h>

namespace qv::renderer {

// Asks for the display state's changes; where the system has no such notification the show
// runs whatever the display does.
void WatchDisplayState(HWND window);
void StopWatchingDisplayState();

// WM_POWERBROADCAST: true when it was a display state change, which is then handled.
bool DisplayStateMessage(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace qv::renderer

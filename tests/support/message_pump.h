// Waiting in a test thread that owns windows: this thread's messages are dispatched while it
// waits, so its windows paint, take timers and answer other processes' broadcasts.
#pragma once
#include <windows.h>

#include <functional>

namespace qv::test {

// Pumps this thread's messages until `done` holds or the time is up; true when it held.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// Pumps this thread's messages for a while.
inline void Pump(int ms) {
    WaitUntil([] { return false; }, ms);
}

}  // namespace qv::test

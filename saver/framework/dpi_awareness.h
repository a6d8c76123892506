#pragma once
// The DPI awareness of the windows the thread creates. Since Windows 10 (1607) a thread may make
// windows of another awareness than its process's manifest gives; on older systems the
// functions are missing and nothing here changes anything.
#include <windows.h>

namespace qv {

// The awareness of a window of any process; null where the system cannot tell.
DPI_AWARENESS_CONTEXT DpiAwarenessOf(HWND window);

// While it lives, the thread works in `context`'s awareness (null: as before), so the windows it
// creates get that awareness and measure in its units; the earlier awareness comes back at
// its end.
class ThreadDpiAwareness {
  public:
    explicit ThreadDpiAwareness(DPI_AWARENESS_CONTEXT context);
    ~ThreadDpiAwareness();
    ThreadDpiAwareness(const ThreadDpiAwareness&) = delete;
    ThreadDpiAwareness& operator=(const ThreadDpiAwareness&) = delete;

  private:
    DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

}  // namespace qv

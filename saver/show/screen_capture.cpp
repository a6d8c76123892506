#include "saver/show/screen_capture.h"

namespace qv {

void CopyScreenInto(HDC target, int width, int height, int left, int top) {
    HWND desktop = GetDesktopWindow();
    HDC screen = GetDC(desktop);
    // A failed copy leaves the surface blank; the blank picture is what the show then uses.
    BitBlt(target, 0, 0, width, height, screen, left, top, SRCCOPY);
    ReleaseDC(desktop, screen);
}

}  // namespace qv

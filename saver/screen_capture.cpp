#include "screen_capture.h"

namespace qv {

void CopyScreenInto(HDC target, int width, int height) {
  HWND desktop = GetDesktopWindow();
  HDC screen = GetDC(desktop);
  // A failed copy leaves the surface blank; the blank picture is what the show then uses.
  BitBlt(target, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  ReleaseDC(desktop, screen);
}

}  // namespace qv

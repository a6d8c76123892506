#include "saver/settings/zoom_effects.h"

#include <algorithm>

#include "saver/music/quorvale_bgm.h"

namespace qv {

ZoomPosition ZoomPoint;

namespace {

RECT PointRect() {
    RECT r;
    r.left = r.right = ZoomPoint.x;
    r.top = r.bottom = ZoomPoint.y;
    return r;
}

std::int16_t Clamp16(LONG v) { return static_cast<std::int16_t>(std::clamp<LONG>(v, -32768, 32767)); }

}  // namespace

void ZoomOpen(HWND window) {
    RECT to;
    if (!GetWindowRect(window, &to)) return;
    RECT from = PointRect();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomClose(HWND window) {
    RECT from;
    if (!GetWindowRect(window, &from)) return;
    RECT to = PointRect();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomPointFromCursor() {
    POINT p{};
    BOOL ok = GetCursorPos(&p);
    LastApiResult = ok;
    if (ok) {
        ZoomPoint.x = Clamp16(p.x);
        ZoomPoint.y = Clamp16(p.y);
    } else {
        ZoomPoint = ZoomPosition{};
    }
}

}  // namespace qv

// Several monitors: where each lies on the virtual screen, the file in which the saver hands
// that to the renderer, and where each monitor's part of the show goes in the renderer's one
// window. Window-free; the saver writes with it and the renderer reads with it.
#pragma once
#include <string>

#include "handoff/handoff.h"

namespace qv::handoff {

constexpr int kMaxMonitors = 16;  // more are left out of the show (they keep the desktop)

// Screen pixels; left and top may be negative (a monitor left of or above the primary).
struct MonitorRect {
    int left = 0, top = 0, width = 0, height = 0;
};
bool operator==(const MonitorRect& a, const MonitorRect& b);

// Monitor 0 is the primary; the others follow left to right, then top to bottom.
struct MonitorLayout {
    int count = 0;
    MonitorRect monitors[kMaxMonitors];
};

// The layout file (kMonitorLayoutFile) is written only while there are several monitors.
// Monitor 1 is the primary; its picture is the usual desktop picture, monitor n's is named by
// kMonitorPictureFileNamePattern (MonitorPicturePath).

// Primary first, the rest by left edge, then top edge; at most kMaxMonitors are kept.
// `primary` is the index of the primary in `listed`; -1 when none is marked, which makes the
// one at (0, 0) the primary.
MonitorLayout OrderMonitors(const MonitorRect* listed, int count, int primary);

std::string MonitorLine(const MonitorRect& monitor);
// Four integers; false for anything else, or for a size that is not positive.
bool ParseMonitorLine(const char* text, MonitorRect* monitor);

// The whole layout file.
std::string MonitorLayoutText(const MonitorLayout& layout);

// The smallest rectangle around every monitor: the virtual screen.
MonitorRect VirtualBounds(const MonitorLayout& layout);

// Same monitors at the same places, order aside.
bool SameMonitors(const MonitorLayout& a, const MonitorLayout& b);

// What the show covers: the handed-over layout when it lists several monitors, its first is
// the primary at (0, 0), and it is what the renderer finds itself; otherwise the primary
// alone (width x height at the origin), as with one monitor.
MonitorLayout ShowLayout(const MonitorLayout& handedOver, const MonitorLayout& found, int width, int height);

// Whether a show laid out as `shown`, when the platform listed `atStart`, must end now that
// it lists `now`: with several monitors, when any came, went, moved or changed size; on the
// primary alone, only when the number of monitors changed (a new size of the one monitor is
// no reason, as it never was).
bool MonitorsChangedSince(const MonitorLayout& shown, const MonitorLayout& atStart, const MonitorLayout& now);

// An OpenGL viewport: pixels from the window's left and bottom edges.
struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;
};
// Where `monitor` lies inside a window covering `window` (both in screen pixels, y down).
Viewport MonitorViewport(const MonitorRect& monitor, const MonitorRect& window);

}  // namespace qv::handoff

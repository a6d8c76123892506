#include "handoff/system_monitors.h"

#include <windows.h>

namespace qv::handoff {
namespace {

struct Listing {
    MonitorRect rects[kMaxMonitors];
    int count = 0;
    int primary = -1;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    Listing& listing = *reinterpret_cast<Listing*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        if (listing.count == kMaxMonitors) --listing.count;  // the primary always has a place
        listing.primary = listing.count;
    } else if (listing.count == kMaxMonitors) {
        return TRUE;
    }
    listing.rects[listing.count++] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    return TRUE;
}

}  // namespace

MonitorLayout SystemMonitors() {
    Listing listing;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&listing));
    return OrderMonitors(listing.rects, listing.count, listing.primary);
}

}  // namespace qv::handoff

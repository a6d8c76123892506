#include "handoff/monitor_layout.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace qv::handoff {

bool operator==(const MonitorRect& a, const MonitorRect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

MonitorLayout OrderMonitors(const MonitorRect* listed, int count, int primary) {
    MonitorLayout layout;
    if (count <= 0) return layout;
    if (primary < 0 || primary >= count) {
        primary = 0;
        for (int k = 0; k < count; ++k)
            if (listed[k].left == 0 && listed[k].top == 0) primary = k;
    }
    MonitorRect others[kMaxMonitors];
    int otherCount = 0;
    for (int k = 0; k < count && otherCount < kMaxMonitors - 1; ++k)
        if (k != primary) others[otherCount++] = listed[k];
    std::stable_sort(others, others + otherCount, [](const MonitorRect& a, const MonitorRect& b) {
        return a.left != b.left ? a.left < b.left : a.top < b.top;
    });
    layout.monitors[0] = listed[primary];
    for (int k = 0; k < otherCount; ++k) layout.monitors[k + 1] = others[k];
    layout.count = otherCount + 1;
    return layout;
}

std::string MonitorLine(const MonitorRect& m) {
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d", m.left, m.top, m.width, m.height);
    return text;
}

bool ParseMonitorLine(const char* text, MonitorRect* monitor) {
    long values[4];
    const char* at = text;
    for (long& value : values) {
        while (*at == ' ' || *at == '\t') ++at;
        if (!(*at == '-' || (*at >= '0' && *at <= '9'))) return false;
        char* end = nullptr;
        value = std::strtol(at, &end, 10);
        if (end == at || value < -(1L << 20) || value > (1L << 20)) return false;
        at = end;
    }
    while (*at == ' ' || *at == '\t') ++at;
    if (*at != '\0' || values[2] <= 0 || values[3] <= 0) return false;
    *monitor = {static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
                static_cast<int>(values[3])};
    return true;
}

std::string MonitorLayoutText(const MonitorLayout& layout) {
    std::string text = "[" + std::string(kMonitorSection) + "]\r\n" + kMonitorCountKey + "=" +
                       std::to_string(layout.count) + "\r\n";
    for (int k = 0; k < layout.count; ++k)
        text += std::to_string(k + 1) + "=" + MonitorLine(layout.monitors[k]) + "\r\n";
    return text;
}

MonitorRect VirtualBounds(const MonitorLayout& layout) {
    if (layout.count <= 0) return {};
    // 64-bit edges: a right edge can pass INT_MAX only on a layout no platform gives, but it
    // must not overflow while being checked.
    long long left = LLONG_MAX, top = LLONG_MAX, right = LLONG_MIN, bottom = LLONG_MIN;
    for (int k = 0; k < layout.count; ++k) {
        const MonitorRect& m = layout.monitors[k];
        left = std::min<long long>(left, m.left);
        top = std::min<long long>(top, m.top);
        right = std::max<long long>(right, static_cast<long long>(m.left) + m.width);
        bottom = std::max<long long>(bottom, static_cast<long long>(m.top) + m.height);
    }
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

bool SameMonitors(const MonitorLayout& a, const MonitorLayout& b) {
    if (a.count != b.count) return false;
    for (int k = 0; k < a.count; ++k) {
        if (std::count(a.monitors, a.monitors + a.count, a.monitors[k]) !=
            std::count(b.monitors, b.monitors + b.count, a.monitors[k]))
            return false;
    }
    return true;
}

MonitorLayout ShowLayout(const MonitorLayout& handedOver, const MonitorLayout& found, int width, int height) {
    const MonitorRect& first = handedOver.monitors[0];
    if (handedOver.count >= 2 && first.left == 0 && first.top == 0 && SameMonitors(handedOver, found))
        return handedOver;
    MonitorLayout single;
    single.count = 1;
    single.monitors[0] = {0, 0, width, height};
    return single;
}

bool MonitorsChangedSince(const MonitorLayout& shown, const MonitorLayout& atStart,
                          const MonitorLayout& now) {
    if (shown.count <= 1) return now.count != atStart.count;
    return !SameMonitors(now, shown);
}

Viewport MonitorViewport(const MonitorRect& monitor, const MonitorRect& window) {
    const int fromTop = monitor.top - window.top;
    return {monitor.left - window.left, window.height - fromTop - monitor.height, monitor.width,
            monitor.height};
}

}  // namespace qv::handoff

#include "show_monitors.h"

#include <windows.h>

#include <string>

#include "scene.h"
#include "system_monitors.h"

namespace qv::renderer {

namespace {

MonitorLayout shownLayout;
MonitorLayout foundAtStart;

MonitorLayout HandedOverMonitors() {
    MonitorLayout layout;
    const UINT count = GetPrivateProfileIntA(kMonitorSection, "Count", 0, kMonitorLayoutPath);
    if (count < 2 || count > static_cast<UINT>(kMaxMonitors)) return layout;
    for (UINT k = 0; k < count; ++k) {
        char text[128];
        GetPrivateProfileStringA(kMonitorSection, std::to_string(k + 1).c_str(), "", text, sizeof text,
                                 kMonitorLayoutPath);
        if (!ParseMonitorLine(text, &layout.monitors[k])) return MonitorLayout{};
    }
    layout.count = static_cast<int>(count);
    return layout;
}

}  // namespace

MonitorRect ArrangeShowMonitors(int width, int height) {
    foundAtStart = SystemMonitors();
    shownLayout = ShowLayout(HandedOverMonitors(), foundAtStart, width, height);
    ArrangeMonitorScenes(monitorScenes, shownLayout);
    return monitorScenes.window;
}

bool ShowMonitorsChanged() { return MonitorsChangedSince(shownLayout, foundAtStart, SystemMonitors()); }

}  // namespace qv::renderer

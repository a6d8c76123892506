#include "show_monitors.h"

#include <windows.h>

#include <string>

#include "scene.h"
#include "handoff/system_monitors.h"

namespace qv::renderer {

namespace {

MonitorLayout shownLayout;
MonitorLayout foundAtStart;

MonitorLayout HandedOverMonitors() {
    MonitorLayout layout;
    const UINT count = GetPrivateProfileIntA(handoff::kMonitorSection, handoff::kMonitorCountKey, 0,
                                             handoff::kMonitorLayoutFile);
    if (count < 2 || count > static_cast<UINT>(kMaxMonitors)) return layout;
    for (UINT k = 0; k < count; ++k) {
        char text[128];
        GetPrivateProfileStringA(handoff::kMonitorSection, std::to_string(k + 1).c_str(), "", text, sizeof text,
                                 handoff::kMonitorLayoutFile);
        if (!handoff::ParseMonitorLine(text, &layout.monitors[k])) return MonitorLayout{};
    }
    layout.count = static_cast<int>(count);
    return layout;
}

}  // namespace

MonitorRect ArrangeShowMonitors(int width, int height) {
    foundAtStart = handoff::SystemMonitors();
    shownLayout = handoff::ShowLayout(HandedOverMonitors(), foundAtStart, width, height);
    ArrangeMonitorScenes(monitorScenes, shownLayout);
    return monitorScenes.window;
}

bool ShowMonitorsChanged() {
    return handoff::MonitorsChangedSince(shownLayout, foundAtStart, handoff::SystemMonitors());
}

}  // namespace qv::renderer

#include "renderer/scene/show_monitors.h"

#include <windows.h>

#include <string>

#include "handoff/system_monitors.h"
#include "renderer/renderer_state.h"

namespace qv::renderer {

namespace {

MonitorLayout HandedOverMonitors() {
    MonitorLayout layout;
    const UINT count = GetPrivateProfileIntA(handoff::kMonitorSection, handoff::kMonitorCountKey, 0,
                                             handoff::kMonitorLayoutFile);
    if (count < 2 || count > static_cast<UINT>(kMaxMonitors)) return layout;
    for (UINT k = 0; k < count; ++k) {
        char text[128];
        GetPrivateProfileStringA(handoff::kMonitorSection, std::to_string(k + 1).c_str(), "", text,
                                 sizeof text, handoff::kMonitorLayoutFile);
        if (!handoff::ParseMonitorLine(text, &layout.monitors[k])) return MonitorLayout{};
    }
    layout.count = static_cast<int>(count);
    return layout;
}

}  // namespace

MonitorRect ArrangeShowMonitors(int width, int height) {
    ShownMonitors& shown = state.monitors;
    shown.foundAtStart = handoff::SystemMonitors();
    shown.shownLayout = ShowLayout(HandedOverMonitors(), shown.foundAtStart, width, height);
    ArrangeMonitorScenes(state.scene.monitorScenes, shown.shownLayout);
    return state.scene.monitorScenes.window;
}

bool ShowMonitorsChanged() {
    return handoff::MonitorsChangedSince(state.monitors.shownLayout, state.monitors.foundAtStart,
                                         handoff::SystemMonitors());
}

}  // namespace qv::renderer

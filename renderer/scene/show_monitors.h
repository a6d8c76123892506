// The monitors this show covers: the saver's hand-off checked against the monitors the
// renderer finds, and the per-monitor scenes laid out for them.
#pragma once
#include "renderer/scene/monitor_scenes.h"

namespace qv::renderer {

// Lays out the scenes (state.scene.monitorScenes) and returns the rectangle the window covers: the primary's
// width x height at the origin with one monitor, the virtual screen with several.
MonitorRect ArrangeShowMonitors(int width, int height);

// True when a monitor came or went, or (with several) one moved or changed size, since the
// show was laid out: its pictures and viewports no longer fit. Asks the platform each time.
bool ShowMonitorsChanged();

}  // namespace qv::renderer

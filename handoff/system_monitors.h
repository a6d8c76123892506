// The monitors the platform lists now, in screen pixels, primary first. Shared by the saver
// (which photographs each one) and the renderer (which checks the hand-off against them).
#pragma once
#include "handoff/monitor_layout.h"

namespace qv::handoff {

MonitorLayout SystemMonitors();

}  // namespace qv::handoff

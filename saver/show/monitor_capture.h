#pragma once
// The show on every monitor: the primary's photograph goes where it always went; each other
// monitor's part of the desktop is photographed at the same moment and handed to the renderer
// beside it, with a file that says where every monitor lies. With one monitor nothing more
// is written, so the hand-off is the one-monitor hand-off.
#include <memory>
#include <vector>

#include "handoff/monitor_layout.h"
#include "saver/framework/persistent_image.h"

namespace qv {

struct OtherMonitorShots {
    handoff::MonitorLayout layout;  // every monitor, the primary first; count 1 with one monitor
    std::vector<std::unique_ptr<PersistentImage>> pictures;  // monitors 2, 3, ... in layout order
};

// Photographs every monitor but the primary.
OtherMonitorShots CaptureOtherMonitors();

// Deletes the layout file, then, with several monitors, writes their pictures and last the
// layout file, so a renderer finds the layout only when every picture is there. False when
// a picture or the layout could not be written; the show then covers the primary alone.
bool HandOverOtherMonitors(const OtherMonitorShots& shots);

}  // namespace qv

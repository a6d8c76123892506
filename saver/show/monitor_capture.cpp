#include "saver/show/monitor_capture.h"

#include <windows.h>

#include "handoff/system_monitors.h"
#include "saver/framework/program.h"
#include "saver/show/screen_capture.h"

namespace qv {

OtherMonitorShots CaptureOtherMonitors() {
    OtherMonitorShots shots;
    shots.layout = handoff::SystemMonitors();
    for (int k = 1; k < shots.layout.count; ++k) {
        const handoff::MonitorRect& m = shots.layout.monitors[k];
        auto picture = std::make_unique<PersistentImage>();
        picture->Resize(m.width, m.height, 0);
        CopyScreenInto(picture->hDC(), m.width, m.height, m.left, m.top);
        shots.pictures.push_back(std::move(picture));
    }
    return shots;
}

bool HandOverOtherMonitors(const OtherMonitorShots& shots) {
    DeleteFileAt(handoff::kMonitorLayoutFile);  // a layout from a show on more monitors
    if (shots.layout.count < 2) return true;
    for (int k = 1; k < shots.layout.count; ++k) {
        char path[handoff::kMonitorPathSize];
        handoff::MonitorPicturePath(k, path);
        if (!shots.pictures[k - 1]->SaveAsBitmap24(path)) return false;
    }
    const std::string text = handoff::MonitorLayoutText(shots.layout);
    return WriteWholeFile(handoff::kMonitorLayoutFile, std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace qv

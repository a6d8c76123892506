#include "handoff/handoff.h"

#include <cstdio>

namespace qv::handoff {

int SizeOrDefault(int stored, int fallback) { return stored == 0 ? fallback : stored; }

void MonitorPicturePath(int index, char* path) {
    if (index == 0)
        std::snprintf(path, kMonitorPathSize, "%s", kDesktopPictureFile);
    else
        std::snprintf(path, kMonitorPathSize, detail::kMonitorPictureFilePattern.text, index + 1);
}

}  // namespace qv::handoff

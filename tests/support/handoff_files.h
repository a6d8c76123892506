// What the tests spell from the hand-off's names (handoff/handoff.h) where they check a file's
// exact bytes or name, so that no test spells a shared name again.
#pragma once
#include <string>

#include "handoff/handoff.h"

namespace qv::test {

// The whole path of monitor n's picture (n = 2, 3, ...): the name pattern with n in it.
inline std::string MonitorPictureFile(int n) {
    std::string name = handoff::kMonitorPictureFileNamePattern;
    name.replace(name.find("%d"), 2, std::to_string(n));
    return std::string(handoff::kWorkFolder) + "\\" + name;
}

// A private-profile section line as the platform writes it.
inline std::string SectionLine(const char* section) { return "[" + std::string(section) + "]\r\n"; }

}  // namespace qv::test

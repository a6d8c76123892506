// Any text the user can leave in the repeat box gives a track in range without a fault, and
// the apply step always writes the three keys.
#include <cstddef>
#include <cstdint>
#include <string>

#include "saver/settings/apply_settings.h"
#include "saver/settings/repeat_track.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::int16_t track = qv::RepeatTrackFromText(text);
    qv::ApplyResult r = qv::ApplyValues(1, text, text);
    if (r.bgmRepeat != track || r.writes.size() != 3) __builtin_trap();
    return 0;
}

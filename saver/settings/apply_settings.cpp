#include "saver/settings/apply_settings.h"

#include "handoff/handoff.h"
#include "saver/settings/repeat_track.h"
#include "saver/settings_file/number_text.h"

namespace qv {

ApplyResult ApplyValues(std::int16_t bgmKind, const std::string& repeatText, const std::string& bgmFile) {
    ApplyResult result;
    result.bgmRepeat = RepeatTrackFromText(repeatText);
    result.writes = {
        {handoff::kKeyBgmKind, NumberText(bgmKind)},
        {handoff::kKeyBgmRepeat, NumberText(result.bgmRepeat)},
        {handoff::kKeyBgmFile, bgmFile},
    };
    return result;
}

}  // namespace qv

#include "apply_settings.h"

#include "number_text.h"
#include "handoff/handoff.h"
#include "settings/repeat_track.h"

namespace qv {

ApplyResult ApplyValues(std::int16_t bgmKind, const std::string& repeatText,
                        const std::string& bgmFile) {
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

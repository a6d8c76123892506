#include "apply_settings.h"

#include "number_text.h"
#include "settings_keys.h"
#include "settings/repeat_track.h"

namespace qv {

ApplyResult ApplyValues(std::int16_t bgmKind, const std::string& repeatText,
                        const std::string& bgmFile) {
  ApplyResult result;
  result.bgmRepeat = RepeatTrackFromText(repeatText);
  result.writes = {
      {kKeyBgmKind, NumberText(bgmKind)},
      {kKeyBgmRepeat, NumberText(result.bgmRepeat)},
      {kKeyBgmFile, bgmFile},
  };
  return result;
}

}  // namespace qv

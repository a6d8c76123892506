#include "saver/settings_file/music_settings.h"

#include "handoff/handoff.h"
#include "saver/settings_file/number_reading.h"
#include "saver/settings_file/path_rules.h"

namespace qv {
namespace {

void ReadSmallNumber(const std::string& text, std::int16_t& value) {
    if (text.empty()) {
        value = 0;
        return;
    }
    auto number = ReadWholeNumber(text);
    if (!number) return;
    if (auto v = FloorToInt16(*number)) value = *v;
}

}  // namespace

void ReadMusicSettings(const ValueReader& read, const FileProbe& exists, const std::string& programFolder,
                       MusicSettings& settings) {
    ReadSmallNumber(read(handoff::kKeyBgmKind), settings.kind);
    ReadSmallNumber(read(handoff::kKeyBgmRepeat), settings.repeat);

    settings.file = read(handoff::kKeyBgmFile);
    if (!settings.file.empty() && !exists(settings.file)) settings.file.clear();
    if (settings.file.empty() && settings.kind == 2) settings.kind = 0;

    settings.folder = FolderToOpen(settings.file.empty() ? programFolder : FolderOfPath(settings.file));
}

}  // namespace qv

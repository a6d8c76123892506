#pragma once
// The music settings as read at start-up, with every fallback, over a small interface so it
// runs without the platform: a reader of the stored values and a probe for files.
#include <cstdint>
#include <functional>
#include <string>

namespace qv {

struct MusicSettings {
    std::int16_t kind = 0;    // 0 none, 1 audio CD, 2 music file
    std::int16_t repeat = 0;  // CD track to repeat, 0 the whole disc
    std::string file;         // music file, or empty
    std::string folder;       // where the file chooser opens
};

using ValueReader = std::function<std::string(const std::string& key)>;
using FileProbe = std::function<bool(const std::string& path)>;

// Updates `settings` from the stored values:
//  - kind and repeat: empty reads as 0; a number is rounded down; text that is no number, or a
//    number that does not fit 16 bits, leaves the value as it was;
//  - file: kept only while the probe finds it; without a file, kind 2 becomes 0;
//  - folder: the file's folder, or `programFolder` when there is no file.
void ReadMusicSettings(const ValueReader& read, const FileProbe& exists, const std::string& programFolder,
                       MusicSettings& settings);

}  // namespace qv

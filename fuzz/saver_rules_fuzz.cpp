// Arbitrary text through the saver's window-free rules: argument text, number reading, paths
// and the music settings with every fallback. Checks what must hold for any input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "handoff/handoff.h"
#include "saver/argument_text.h"
#include "saver/settings_file/music_settings.h"
#include "saver/settings_file/number_reading.h"
#include "saver/settings_file/path_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    qv::ModeOf(text);
    qv::PaneHandle(text);
    qv::ReadLeadingNumber(text);
    if (auto n = qv::ReadWholeNumber(text)) qv::FloorToInt16(*n);

    std::string folder = qv::FolderOfPath(text);
    if (text.compare(0, folder.size(), folder) != 0) std::abort();  // always a leading part
    std::string kind = qv::MusicFileKind(text);
    if (kind.size() > text.size()) std::abort();

    // The same bytes split into the three stored values, with a disk that holds every other path.
    std::string parts[3];
    int at = 0;
    for (char c : text) {
        if (c == '\n' && at < 2)
            ++at;
        else
            parts[at] += c;
    }
    qv::MusicSettings s;
    qv::ReadMusicSettings(
        [&](const std::string& key) {
            return key == qv::handoff::kKeyBgmKind     ? parts[0]
                   : key == qv::handoff::kKeyBgmRepeat ? parts[1]
                                                       : parts[2];
        },
        [](const std::string& path) { return path.size() % 2 == 0; }, "C:\\Saver", s);
    if (s.kind == 2 && s.file.empty()) std::abort();  // a music file source always has its file
    if (s.file.empty() && s.folder != "C:\\Saver") std::abort();
    return 0;
}

#pragma once
// Judging the file chooser's answer. Window-free: the chooser's wide answer arrives here as
// UTF-8 together with its form in the system's ANSI code page (nothing when it has none).
#include <cstddef>
#include <optional>
#include <string>

namespace qv {

// Size of the chooser's file and file-title buffers, terminating NUL included.
constexpr std::size_t kChooserBufferSize = 255;

enum class FileChoice {
    Cancelled,    // no file: nothing changes
    Chosen,       // `path` becomes the music file
    NotStorable,  // the settings file or the media commands cannot carry its characters: say so
};

struct ChosenFile {
    FileChoice choice = FileChoice::Cancelled;
    std::string path;
};

// An empty path is a cancel. A path is storable when the system's ANSI code page holds every
// character of it ("?" or "*" there stand for characters it could not hold; no real file name
// contains them). A storable path whose ANSI form does not fit the chooser's buffer, as the
// settings file's reader and the media commands need, counts as a failed choice: Cancelled.
ChosenFile JudgeChosenFile(const std::string& path, const std::optional<std::string>& systemForm);

}  // namespace qv

#pragma once
// Reading back the file chooser's answer. Window-free: works on the raw ANSI buffer.
#include <cstddef>
#include <optional>
#include <string>

namespace qv {

// Size of the chooser's file and file-title buffers, terminating NUL included.
constexpr std::size_t kChooserBufferSize = 255;

// The chosen path in the buffer (its text before the first NUL), or nothing when the
// buffer holds no usable path: no NUL inside it, empty text, or a "?" or "*", which the
// platform puts in for characters the ANSI code page cannot hold and which no real file
// name contains. Nothing then changes, as after a cancel.
std::optional<std::string> ChosenPath(const char* buffer, std::size_t size);

}  // namespace qv

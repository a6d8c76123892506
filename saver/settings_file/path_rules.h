#pragma once
// Window-free rules for the Windows paths the saver handles (UTF-8 text).
#include <string>

namespace qv {

// The folder part of a path: everything up to the last ":" or "\", without a trailing "\".
// "C:\Music\song.mp3" -> "C:\Music", "C:\song.mp3" -> "C:", "C:song.mp3" -> "C:",
// "song.mp3" -> "".
std::string FolderOfPath(const std::string& path);

// A folder as a place to open: a bare drive ("C:") names that drive's current directory,
// so it becomes its root ("C:\"); any other folder stays as it is.
std::string FolderToOpen(const std::string& folder);

// The path with one trailing "\" removed, if it has one.
std::string WithoutTrailingBackslash(const std::string& path);

// The kind of a music file: its last three characters upper-cased ("MP3", "WAV", ...).
// Shorter paths give what they have.
std::string MusicFileKind(const std::string& path);

// "<folder>\<name>" without doubling a "\" the folder already ends with.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace qv

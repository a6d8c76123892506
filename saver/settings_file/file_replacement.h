#pragma once
// A file's bytes replaced as a whole, never left half-written: the new bytes go to a file
// beside it, which then takes the old one's place in one step. A write that fails part-way,
// a full disk or a power cut leaves the old file whole. Window-free: the platform's file
// operations come in through FileOperations (platform_files.h; a fake in the tests).
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

struct FileState {
    bool exists = false;
    bool readOnly = false;
    std::uint32_t attributes = 0;  // the platform's; handed back unchanged for the new file
};

class FileOperations {
  public:
    virtual ~FileOperations() = default;
    // What is at `path`; nothing when that cannot be told.
    virtual std::optional<FileState> State(const std::string& path) = 0;
    // Creates `path` anew with `attributes` (0: none given) and writes `bytes` through to the
    // disk. False when any of it fails; what was written may then be left there.
    virtual bool WriteNew(const std::string& path, const std::string& bytes, std::uint32_t attributes) = 0;
    // Puts `from` in the place of `to`, replacing it, in one step.
    virtual bool MoveOver(const std::string& from, const std::string& to) = 0;
    virtual void Remove(const std::string& path) = 0;
};

// The name of the file the new bytes are written to first.
std::string BesidePath(const std::string& path);

// Gives the file at `path` the bytes `bytes`, creating it when missing; the file keeps its
// attributes. False, with the file as it was and nothing left beside it, when the file is
// read-only or a step fails.
bool ReplaceFileBytes(FileOperations& files, const std::string& path, const std::string& bytes);

}  // namespace qv

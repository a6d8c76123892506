#pragma once
// The platform's file operations behind file_replacement.h. Paths are UTF-8.
// Library: qv_settings_file (Windows build).
#include "saver/settings_file/file_replacement.h"

namespace qv {

class PlatformFiles : public FileOperations {
  public:
    std::optional<FileState> State(const std::string& path) override;
    bool WriteNew(const std::string& path, const std::string& bytes, std::uint32_t attributes) override;
    bool MoveOver(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override;
};

}  // namespace qv

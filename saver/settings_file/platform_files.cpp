#include "saver/settings_file/platform_files.h"

#include <windows.h>

#include "saver/framework/ansi_text.h"

namespace qv {
namespace {

// The attributes a new file can be given; read-only never reaches here.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

std::optional<FileState> PlatformFiles::State(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileState{};
        return std::nullopt;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return FileState{true, (attributes & FILE_ATTRIBUTE_READONLY) != 0, attributes};
}

bool PlatformFiles::WriteNew(const std::string& path, const std::string& bytes, std::uint32_t attributes) {
    const std::wstring wide = Widen(path);
    DeleteFileW(wide.c_str());  // one left by a write that never finished may be hidden
    const DWORD kept = attributes & kKeptAttributes;
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(h);
    return CloseHandle(h) && ok;
}

bool PlatformFiles::MoveOver(const std::string& from, const std::string& to) {
    return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void PlatformFiles::Remove(const std::string& path) { DeleteFileW(Widen(path).c_str()); }

}  // namespace qv

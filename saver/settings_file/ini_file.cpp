#include "saver/settings_file/ini_file.h"

#include <windows.h>

#include <optional>

#include "saver/framework/ansi_text.h"
#include "saver/settings_file/file_replacement.h"
#include "saver/settings_file/ini_bytes.h"
#include "saver/settings_file/platform_files.h"

namespace qv {
namespace {

constexpr std::size_t kValueBytes = 255;  // the profile reader's 256-character buffer

enum class ReadState { Missing, Read, Failed };

ReadState ReadWholeFile(const std::string& path, std::string& bytes) {
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadState::Missing
                                                                              : ReadState::Failed;
    }
    bytes.clear();
    char chunk[16384];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(h, chunk, sizeof chunk, &got, nullptr) != FALSE) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(h);
    return ok ? ReadState::Read : ReadState::Failed;
}

// Drops a character left incomplete at the end by a cut.
std::string WithoutBrokenTail(const std::string& ansi) {
    if (GetACP() == CP_UTF8) {
        std::size_t start = ansi.size();
        while (start > 0 && (static_cast<unsigned char>(ansi[start - 1]) & 0xC0) == 0x80) --start;
        if (start == 0) return ansi;
        unsigned char lead = static_cast<unsigned char>(ansi[start - 1]);
        std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        return ansi.size() - (start - 1) < length ? ansi.substr(0, start - 1) : ansi;
    }
    std::size_t i = 0, last = 0;
    while (i < ansi.size()) {
        last = i;
        i += IsDBCSLeadByte(static_cast<BYTE>(ansi[i])) ? 2 : 1;
    }
    return i > ansi.size() ? ansi.substr(0, last) : ansi;
}

}  // namespace

std::string ReadIniFileValue(const std::string& section, const std::string& key, const std::string& file) {
    auto s = ToCodePage(kSettingsNamesCodePage, section), k = ToCodePage(kSettingsNamesCodePage, key);
    std::string bytes;
    if (!s || !k || ReadWholeFile(file, bytes) != ReadState::Read) return std::string();
    std::optional<std::string> value = FindIniValue(bytes, *s, *k);
    if (!value) return std::string();
    if (value->size() > kValueBytes) value->resize(kValueBytes);
    return FromAnsi(WithoutBrokenTail(*value));
}

bool WriteIniFileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& file) {
    auto s = ToCodePage(kSettingsNamesCodePage, section), k = ToCodePage(kSettingsNamesCodePage, key);
    auto v = ToAnsi(value);
    if (!s || !k || !v) return false;
    std::string before;
    ReadState state = ReadWholeFile(file, before);
    if (state == ReadState::Failed) return false;  // never rewrite what could not be read
    std::optional<std::string> after = WithIniValue(before, *s, *k, *v);
    if (!after) return false;
    if (state == ReadState::Read && *after == before) return true;
    PlatformFiles files;
    return ReplaceFileBytes(files, file, *after);
}

}  // namespace qv

// Arbitrary settings-file bytes through the settings file's own reader and writer and the music
// settings start-up logic. Values are read as the saver reads them (cut to the 255-byte buffer
// without a broken double-byte tail) and decoded from code page 932, so the real
// ReadMusicSettings sees what LoadMusicSettings would hand it. Then one key is written: the
// value reads back, no other key changes, and the same write again changes nothing.
#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "handoff/handoff.h"
#include "saver/settings_file/ini_bytes.h"
#include "saver/settings_file/music_settings.h"
#include "saver/settings_file/path_rules.h"

namespace {

bool IsLead932(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Text converted between encodings; bytes that do not decode become U+FFFD (as FromAnsi does).
std::string Convert(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) std::abort();
    std::string out;
    std::vector<char> buffer(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    while (left > 0) {
        char* dst = buffer.data();
        size_t room = buffer.size();
        size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(buffer.data(), dst);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            out += "\xEF\xBF\xBD";
            ++src;
            --left;
        }
    }
    iconv_close(cd);
    return out;
}

// The value under [section] key as the 256-byte read on a code page 932 system gives it.
std::string ProfileValue(const std::string& file, const std::string& section, const std::string& key) {
    std::optional<std::string> found = qv::FindIniValue(file, section, key);
    if (!found) return std::string();
    std::string value = *found;
    if (value.size() > 255) value.resize(255);
    size_t i = 0, last = 0;
    while (i < value.size()) {
        last = i;
        i += IsLead932(static_cast<unsigned char>(value[i])) ? 2 : 1;
    }
    if (i > value.size()) value.resize(last);
    return Convert("UTF-8", "CP932", value);
}

bool ValidUtf8(const std::string& s) {
    std::string back = Convert("UTF-8", "UTF-8", s);
    return back == s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16) return 0;
    const std::string file(reinterpret_cast<const char*>(data), size);
    const std::string section = Convert("CP932", "UTF-8", qv::handoff::kSettingsSection);

    // The first byte picks what the program had before reading; the disk holds the paths with
    // an even byte sum.
    qv::MusicSettings s;
    s.kind = size > 0 ? static_cast<int16_t>(data[0] % 4) : 0;
    s.repeat = 7;
    std::vector<std::string> asked;
    qv::ReadMusicSettings(
        [&](const std::string& key) {
            asked.push_back(key);
            return ProfileValue(file, section, Convert("CP932", "UTF-8", key));
        },
        [](const std::string& path) {
            unsigned sum = 0;
            for (unsigned char c : path) sum += c;
            return sum % 2 == 0;
        },
        "C:\\Saver", s);

    if (asked.size() != 3) std::abort();              // every stored value is read once
    if (s.kind == 2 && s.file.empty()) std::abort();  // a music file source always has its file
    // The chooser opens where the file lies; a bare drive ("C:") opens at its root ("C:\\").
    const std::string opened = qv::WithoutTrailingBackslash(s.folder);
    if (s.file.empty() ? s.folder != "C:\\Saver" : s.file.compare(0, opened.size(), opened) != 0)
        std::abort();
    if (s.file.size() > 255 * 3 || !ValidUtf8(s.file) || !ValidUtf8(s.folder)) std::abort();
    const std::string kindText =
        ProfileValue(file, section, Convert("CP932", "UTF-8", qv::handoff::kKeyBgmKind));
    if (kindText.empty() && s.kind != 0) std::abort();  // an empty value reads as none

    // One write: the key picked by the last byte, a value made of the first bytes.
    const char* const keys[] = {qv::handoff::kKeyWidth, qv::handoff::kKeyHeight, qv::handoff::kKeyBgmKind,
                                qv::handoff::kKeyBgmRepeat, qv::handoff::kKeyBgmFile};
    std::vector<std::string> names;
    for (const char* k : keys) names.push_back(Convert("CP932", "UTF-8", k));
    const size_t pick = size > 0 ? data[size - 1] % 5 : 0;
    std::string value = "v";
    for (size_t i = 0; i < size && i < 40; ++i)
        if (data[i] != '\r' && data[i] != '\n' && data[i] != '\0')
            value.push_back(static_cast<char>(data[i]));
    value += "v";
    std::optional<std::string> after = qv::WithIniValue(file, section, names[pick], value);
    const bool unicode =
        size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF));
    if (!after) {
        if (!unicode) std::abort();  // a usable value is refused only for a UTF-16 file
        return 0;
    }
    if (qv::FindIniValue(*after, section, names[pick]) != value) std::abort();
    for (size_t k = 0; k < names.size(); ++k)
        if (k != pick &&
            qv::FindIniValue(*after, section, names[k]) != qv::FindIniValue(file, section, names[k]))
            std::abort();
    if (qv::WithIniValue(*after, section, names[pick], value) != after) std::abort();
    return 0;
}

// Arbitrary settings-file bytes through the music settings start-up logic. The file is read
// the way the platform's private-profile functions read it (first matching section and key,
// case-insensitive names, blanks and one pair of quotes trimmed, values cut to the 255-byte
// buffer without a broken double-byte tail) and decoded from code page 932, so the real
// ReadMusicSettings sees what LoadMusicSettings would hand it.
#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "music_settings.h"
#include "settings_keys.h"

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

// Case-insensitive for the single-byte letters only; a trail byte is never folded.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  bool trail = false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = a[i], y = b[i];
    if (!trail) {
      if (x >= 'a' && x <= 'z') x -= 32;
      if (y >= 'a' && y <= 'z') y -= 32;
    }
    if (x != y) return false;
    trail = !trail && IsLead932(x);
  }
  return true;
}

std::string Trim(const std::string& s) {
  const char* blanks = " \t\r";
  size_t b = s.find_first_not_of(blanks);
  if (b == std::string::npos) return std::string();
  return s.substr(b, s.find_last_not_of(blanks) - b + 1);
}

// The value under [section] key in the file's bytes, as the 256-byte read gives it.
std::string ProfileValue(const std::string& file, const std::string& section, const std::string& key) {
  bool inSection = false, sectionSeen = false;
  size_t at = 0;
  while (at <= file.size()) {
    size_t end = file.find('\n', at);
    if (end == std::string::npos) end = file.size();
    std::string line = Trim(file.substr(at, end - at));
    at = end + 1;
    if (!line.empty() && line[0] == '[') {
      if (sectionSeen && inSection) break;  // only the first section of that name counts
      size_t close = line.find(']');
      inSection = SameName(line.substr(1, close == std::string::npos ? std::string::npos : close - 1), section);
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    size_t eq = line.find('=');
    if (!inSection || eq == std::string::npos || !SameName(Trim(line.substr(0, eq)), key)) continue;
    std::string value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
      value = value.substr(1, value.size() - 2);
    if (value.size() > 255) value.resize(255);
    size_t i = 0, last = 0;
    while (i < value.size()) {
      last = i;
      i += IsLead932(static_cast<unsigned char>(value[i])) ? 2 : 1;
    }
    if (i > value.size()) value.resize(last);
    return Convert("UTF-8", "CP932", value);
  }
  return std::string();
}

bool ValidUtf8(const std::string& s) {
  std::string back = Convert("UTF-8", "UTF-8", s);
  return back == s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  const std::string file(reinterpret_cast<const char*>(data), size);
  const std::string section = Convert("CP932", "UTF-8", qv::kSettingsSection);

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

  if (asked.size() != 3) std::abort();  // every stored value is read once
  if (s.kind == 2 && s.file.empty()) std::abort();  // a music file source always has its file
  if (s.file.empty() ? s.folder != "C:\\Saver" : s.file.compare(0, s.folder.size(), s.folder) != 0)
    std::abort();
  if (s.file.size() > 255 * 3 || !ValidUtf8(s.file) || !ValidUtf8(s.folder)) std::abort();
  const std::string kindText = ProfileValue(file, section, Convert("CP932", "UTF-8", qv::kKeyBgmKind));
  if (kindText.empty() && s.kind != 0) std::abort();  // an empty value reads as none
  return 0;
}

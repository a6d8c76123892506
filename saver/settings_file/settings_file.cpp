#include "saver/settings_file/settings_file.h"

#include <windows.h>

#include <vector>

#include "saver/framework/ansi_text.h"
#include "saver/framework/program.h"
#include "saver/music/quorvale_bgm.h"
#include "saver/settings_file/ini_file.h"
#include "saver/settings_file/music_settings.h"
#include "saver/settings_file/path_rules.h"

namespace qv {
namespace {

// Cuts UTF-8 text to at most `chars` characters without splitting one.
std::string CutChars(const std::string& text, std::size_t chars) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && seen++ == chars) return text.substr(0, i);
    }
    return text;
}

// Drops a lead byte left alone at the end by a cut in the middle of a double-byte character.
std::string WithoutBrokenTail(const std::string& ansi) {
    std::size_t i = 0, last = 0;
    while (i < ansi.size()) {
        last = i;
        i += IsDBCSLeadByte(static_cast<BYTE>(ansi[i])) ? 2 : 1;
    }
    return i > ansi.size() ? ansi.substr(0, last) : ansi;
}

// The profile functions carry the names' code page 932 bytes only on a system whose ANSI code
// page is 932; elsewhere the file's own bytes are read and written.
bool ProfileFunctionsCarryTheNames() { return GetACP() == kSettingsNamesCodePage; }

}  // namespace

std::string GetIniValue(const std::string& section, const std::string& key, const std::string& file) {
    if (!ProfileFunctionsCarryTheNames()) return ReadIniFileValue(section, key, file);
    auto s = ToAnsi(section), k = ToAnsi(key), f = ToAnsi(file);
    if (!s || !k || !f) return std::string();
    std::vector<char> buffer(256, '\0');
    GetPrivateProfileStringA(s->c_str(), k->c_str(), "", buffer.data(), static_cast<DWORD>(buffer.size()),
                             f->c_str());
    buffer.back() = '\0';
    return FromAnsi(WithoutBrokenTail(std::string(buffer.data())));
}

bool PutIniValue(const std::string& section, const std::string& key, const std::string& value,
                 const std::string& file) {
    if (!ProfileFunctionsCarryTheNames())
        return WriteIniFileValue(CutChars(section, 128), CutChars(key, 128), value, file);
    auto s = ToAnsi(CutChars(section, 128)), k = ToAnsi(CutChars(key, 128));
    auto v = ToAnsi(value), f = ToAnsi(file);
    if (!s || !k || !v || !f) return false;
    return WritePrivateProfileStringA(s->c_str(), k->c_str(), v->c_str(), f->c_str()) != FALSE;
}

bool FileExists(const std::string& path) {
    std::string p = WithoutTrailingBackslash(path);
    if (p.empty()) return false;
    HANDLE h = CreateFileW(Widen(p).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    bool ok = h != INVALID_HANDLE_VALUE;
    if (ok) CloseHandle(h);
    SetLastError(ERROR_SUCCESS);  // a failed probe leaves no error behind for later steps
    return ok;
}

void LoadMusicSettings() {
    MusicSettings settings;
    settings.kind = BgmKind;
    settings.repeat = BgmRepeat;
    ReadMusicSettings(
        [](const std::string& key) {
            return GetIniValue(handoff::kSettingsSection, key, handoff::kSettingsFile);
        },
        [](const std::string& path) { return FileExists(path); }, ProgramFolder(), settings);
    BgmKind = settings.kind;
    BgmRepeat = settings.repeat;
    BgmFile = settings.file;
    BgmFolder = settings.folder;
}

}  // namespace qv

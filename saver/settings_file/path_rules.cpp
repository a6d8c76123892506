#include "saver/settings_file/path_rules.h"

#include <cstddef>

namespace qv {

std::string FolderOfPath(const std::string& path) {
    // ":" and "\" are ASCII, so in UTF-8 they never occur inside a multi-byte character.
    std::size_t last = path.find_last_of(":\\");
    if (last == std::string::npos) return std::string();
    return WithoutTrailingBackslash(path.substr(0, last + 1));
}

std::string FolderToOpen(const std::string& folder) {
    if (folder.size() == 2 && folder[1] == ':') return folder + "\\";
    return folder;
}

std::string WithoutTrailingBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
    return path;
}

std::string MusicFileKind(const std::string& path) {
    // Count characters, not bytes, so a Japanese name ending is never cut in half.
    std::size_t start = path.size();
    int chars = 0;
    while (start > 0 && chars < 3) {
        --start;
        if ((static_cast<unsigned char>(path[start]) & 0xC0) != 0x80) ++chars;
    }
    std::string kind = path.substr(start);
    for (char& c : kind)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return kind;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

}  // namespace qv

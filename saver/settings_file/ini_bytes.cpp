#include "saver/settings_file/ini_bytes.h"

#include <cstddef>

namespace qv {
namespace {

// No code page in use has a trail byte below 0x40, so these bytes always stand for themselves.
bool IsBlank(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1A; }

// Names are code page 932 bytes: a trail byte may look like "]" or a letter and is no such thing.
bool IsLead932(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

unsigned char Byte(const std::string& s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

struct Span {
    std::size_t begin = 0, end = 0;
    bool Empty() const { return begin >= end; }
};

Span Trim(const std::string& s, Span r) {
    while (r.begin < r.end && IsBlank(Byte(s, r.begin))) ++r.begin;
    while (r.end > r.begin && IsBlank(Byte(s, r.end - 1))) --r.end;
    return r;
}

// A name or value read from the file: blanks trimmed, then cut at a NUL, which ends the text
// for the platform's reader (the blanks before the NUL stay).
Span Text(const std::string& s, Span r) {
    r = Trim(s, r);
    std::size_t nul = s.find('\0', r.begin);
    if (nul < r.end) r.end = nul;
    return r;
}

bool SameName(const std::string& s, Span r, const std::string& name) {
    if (r.end - r.begin != name.size()) return false;
    bool trail = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char a = Byte(s, r.begin + i), b = static_cast<unsigned char>(name[i]);
        if (!trail) {
            if (a >= 'a' && a <= 'z') a = static_cast<unsigned char>(a - 32);
            if (b >= 'a' && b <= 'z') b = static_cast<unsigned char>(b - 32);
        }
        if (a != b) return false;
        trail = !trail && IsLead932(a);
    }
    return true;
}

// The last "]" of a header line that is a character of its own; npos when there is none.
std::size_t HeaderEnd(const std::string& s, Span line) {
    std::size_t found = std::string::npos;
    for (std::size_t i = line.begin; i < line.end; ++i) {
        if (Byte(s, i) == ']')
            found = i;
        else if (IsLead932(Byte(s, i)))
            ++i;
    }
    return found;
}

bool IsUtf16(const std::string& file) {
    return file.size() >= 2 && ((Byte(file, 0) == 0xFF && Byte(file, 1) == 0xFE) ||
                                (Byte(file, 0) == 0xFE && Byte(file, 1) == 0xFF));
}

// Where [section] key is, and where a new key of the section would go.
struct Location {
    bool section = false;
    std::size_t insertAt = 0;  // just after the section's last non-blank line
    bool key = false;
    Span keyLine;  // the key's line, blanks trimmed
    Span keyName;
    bool hasValue = false;  // a key line without "=" is no value
    Span value;
};

Location Locate(const std::string& file, const std::string& section, const std::string& key) {
    Location at;
    std::size_t start = file.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // a UTF-8 mark is no text
    bool inSection = false;
    while (start < file.size()) {
        // A line ends at CR LF, LF or a lone CR, as hand-edited files may have it.
        std::size_t end = file.find_first_of("\r\n", start);
        if (end == std::string::npos) end = file.size();
        std::size_t next = end == file.size() ? end : end + (file.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        Span line = Trim(file, {start, end});
        start = next;
        if (line.Empty()) continue;

        std::size_t close = Byte(file, line.begin) == '[' ? HeaderEnd(file, line) : std::string::npos;
        if (close != std::string::npos) {
            if (inSection) break;  // only the first section of the name counts
            if (!at.section && SameName(file, Text(file, {line.begin + 1, close}), section)) {
                at.section = inSection = true;
                at.insertAt = next;
            }
            continue;
        }
        if (!inSection) continue;
        at.insertAt = next;
        if (at.key) continue;
        std::size_t eq = line.begin;
        while (eq < line.end && file[eq] != '=') ++eq;
        Span name = Text(file, {line.begin, eq});
        if (!SameName(file, name, key)) continue;
        at.key = true;
        at.keyLine = line;
        at.keyName = name;
        at.hasValue = eq < line.end;
        at.value = at.hasValue ? Text(file, {eq + 1, line.end}) : Span{line.end, line.end};
    }
    return at;
}

bool UsableName(const std::string& name, const char* forbidden) {
    if (name.empty() || IsBlank(Byte(name, 0)) || IsBlank(Byte(name, name.size() - 1))) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char c = Byte(name, i);
        if (c == '\0' || c == '\r' || c == '\n') return false;
        for (const char* f = forbidden; *f; ++f)
            if (c == static_cast<unsigned char>(*f)) return false;
        if (IsLead932(c)) ++i;  // a trail byte stands for no character of its own
    }
    return true;
}

}  // namespace

std::optional<std::string> FindIniValue(const std::string& file, const std::string& section,
                                        const std::string& key) {
    if (IsUtf16(file)) return std::nullopt;
    Location at = Locate(file, section, key);
    if (!at.key || !at.hasValue) return std::nullopt;
    std::string value = file.substr(at.value.begin, at.value.end - at.value.begin);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return value;
}

std::optional<std::string> WithIniValue(const std::string& file, const std::string& section,
                                        const std::string& key, const std::string& value) {
    if (IsUtf16(file) || !UsableName(section, "]") || !UsableName(key, "=[") ||
        value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        return std::nullopt;
    std::size_t lead = 0;
    while (lead < value.size() && IsBlank(Byte(value, lead))) ++lead;
    const std::string stored = value.substr(lead);

    Location at = Locate(file, section, key);
    std::string out = file;
    if (at.key) {
        // The key keeps the spelling it has in the file; its line becomes name=value.
        std::string line = file.substr(at.keyName.begin, at.keyName.end - at.keyName.begin) + "=" + stored;
        out.replace(at.keyLine.begin, at.keyLine.end - at.keyLine.begin, line);
        return out;
    }
    const std::string entry = key + "=" + stored + "\r\n";
    if (at.section) {
        const bool lineEnded =
            at.insertAt > 0 && (file[at.insertAt - 1] == '\n' || file[at.insertAt - 1] == '\r');
        std::string insert = lineEnded ? entry : "\r\n" + entry;
        out.insert(at.insertAt, insert);
        return out;
    }
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
    out += "[" + section + "]\r\n" + entry;
    return out;
}

}  // namespace qv

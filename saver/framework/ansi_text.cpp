#include "saver/framework/ansi_text.h"

#include <windows.h>

namespace qv {
namespace {
constexpr unsigned kGb18030 = 54936;
}  // namespace

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::optional<std::string> ToCodePage(unsigned codePage, const std::string& utf8) {
    if (utf8.empty()) return std::string();
    std::wstring wide = Widen(utf8);
    const int length = static_cast<int>(wide.size());
    if (codePage == CP_UTF8 || codePage == kGb18030) {
        // These hold every character; the platform refuses the lossy-conversion check for them.
        int n = WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
        if (n <= 0) return std::nullopt;
        std::string out(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(codePage, 0, wide.data(), length, out.data(), n, nullptr, nullptr);
        return out;
    }
    BOOL lossy = FALSE;
    int n =
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, out.data(), n, nullptr, &lossy);
    if (lossy) return std::nullopt;
    return out;
}

std::string FromCodePage(unsigned codePage, const std::string& bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return Narrow(wide);
}

std::optional<std::string> ToAnsi(const std::string& utf8) { return ToCodePage(GetACP(), utf8); }

std::string FromAnsi(const std::string& ansi) { return FromCodePage(GetACP(), ansi); }

}  // namespace qv

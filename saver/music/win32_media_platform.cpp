#include "saver/music/win32_media_platform.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <optional>
#include <vector>

#include "saver/framework/ansi_text.h"
#include "saver/music/media_platform.h"

namespace qv {
namespace {

// Text the ANSI code page cannot hold, or with a NUL inside, would reach the platform as
// some other text (and could name some other file), so it is refused with this code.
constexpr int32_t kTextNotRepresentable = MCIERR_FILE_NOT_FOUND;

std::optional<std::string> PlatformText(const std::string& utf8) {
    if (utf8.find('\0') != std::string::npos) return std::nullopt;
    return ToAnsi(utf8);
}

std::string BufferText(const std::vector<char>& buffer) {
    return FromAnsi(std::string(buffer.data(), strnlen(buffer.data(), buffer.size())));
}

class Win32MediaPlatform final : public MediaPlatform {
  public:
    int32_t SendString(const std::string& command, std::string* reply, uint32_t replyLength) override {
        const std::optional<std::string> ansi = PlatformText(command);
        if (!ansi) return kTextNotRepresentable;
        if (!reply || replyLength == 0)
            return static_cast<int32_t>(mciSendStringA(ansi->c_str(), nullptr, 0, nullptr));
        std::vector<char> buffer(replyLength, '\0');
        const MCIERROR code = mciSendStringA(ansi->c_str(), buffer.data(), replyLength, nullptr);
        *reply = BufferText(buffer);
        return static_cast<int32_t>(code);
    }

    bool GetErrorString(int32_t code, std::string& text, uint32_t length) override {
        if (length == 0) return false;
        std::vector<char> buffer(length, '\0');
        if (!mciGetErrorStringA(static_cast<MCIERROR>(code), buffer.data(), length)) return false;
        text = BufferText(buffer);
        return true;
    }

    int32_t WaveOutDeviceCount() override { return static_cast<int32_t>(waveOutGetNumDevs()); }

    int32_t PlayWaveSound(const std::string* name, uint32_t flags) override {
        if (!name) return PlaySoundA(nullptr, nullptr, flags);
        const std::optional<std::string> ansi = PlatformText(*name);
        if (!ansi) return FALSE;
        return PlaySoundA(ansi->c_str(), nullptr, flags);
    }
};

Win32MediaPlatform win32Platform;

// The saver links this library to get real sound; no start-up call to forget.
const bool installedAtStart = (SetMediaPlatform(&win32Platform), true);

}  // namespace

void UseWin32MediaPlatform() { SetMediaPlatform(&win32Platform); }

}  // namespace qv

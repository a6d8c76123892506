#pragma once
// The four platform calls the music module makes, behind an interface so that the command
// logic runs without the platform: the real one on Windows (qv_music_win32), a scripted
// device in the tests. Text is UTF-8 on this side of the interface.
#include <cstdint>
#include <string>

namespace qv {

class MediaPlatform {
  public:
    virtual ~MediaPlatform() = default;

    // mciSendStringA with no callback window. With `reply` null, `replyLength` is 0 and no
    // reply buffer is handed over. Otherwise `reply` receives what the platform wrote into a
    // buffer of `replyLength` characters (callers read it only up to the first NUL).
    // Returns 0 or the media-control error code.
    virtual int32_t SendString(const std::string& command, std::string* reply, uint32_t replyLength) = 0;

    // mciGetErrorStringA into a buffer of `length` characters. True when a description was
    // written to `text`.
    virtual bool GetErrorString(int32_t code, std::string& text, uint32_t length) = 0;

    // waveOutGetNumDevs, read as a signed number.
    virtual int32_t WaveOutDeviceCount() = 0;

    // PlaySoundA with no module handle; a null `name` stops the sound. Non-zero on success.
    virtual int32_t PlayWaveSound(const std::string* name, uint32_t flags) = 0;
};

// The platform the module talks to. Until one is installed (and in native builds) this is a
// machine with no media devices at all: every command fails and there is no wave output.
MediaPlatform& CurrentMediaPlatform();

// Installs `platform` (not owned; must outlive its use). Null goes back to the default.
void SetMediaPlatform(MediaPlatform* platform);

}  // namespace qv

// Music file playback: an MP3 through the media-control alias "MP3Play", repeated by the
// saver window's one-second timer, or a WAV as the platform's looping sound.
#include "saver/music/mci_commands.h"
#include "saver/music/mci_text.h"
#include "saver/music/media_platform.h"
#include "saver/music/quorvale_bgm.h"

namespace qv {
namespace {

constexpr uint32_t kModeLength = 30;
// SND_ASYNC | SND_NODEFAULT | SND_LOOP: returns at once and repeats until stopped. A file that
// cannot be played must play nothing, not the system's default sound over and over.
constexpr uint32_t kLoopFlags = 0x0001 | 0x0002 | 0x0008;

}  // namespace

void Mp3Open() {
    // A double quote cannot occur in a file name; in the quoted open command it would end the
    // name early and could open some other file, so such a path plays nothing.
    if (BgmFile.find('"') != std::string::npos) return;
    if (MciSendNoReply("open \"" + BgmFile + "\" type MPEGVideo Alias MP3Play") == 0)
        MciSendNoReply("play MP3Play");
}

bool Mp3IsPlaying() {
    std::string mode;
    // A failed query says nothing about the device, whatever the buffer holds.
    if (CurrentMediaPlatform().SendString("status MP3Play mode", &mode, kModeLength) != 0) return false;
    return LeadingText(mode, 7) == "playing";
}

void Mp3Repeat() {
    if (Mp3IsPlaying()) return;
    MciSendNoReply("stop MP3Play");
    MciSendNoReply("play MP3Play from 0");
}

void Mp3Close() {
    MciSendNoReply("stop MP3Play");
    MciSendNoReply("close MP3Play");
}

void WavPlay() {
    MediaPlatform& platform = CurrentMediaPlatform();
    if (platform.WaveOutDeviceCount() <= 0) return;
    LastApiResult = platform.PlayWaveSound(&BgmFile, kLoopFlags);
}

void WavStop() { LastApiResult = CurrentMediaPlatform().PlayWaveSound(nullptr, 0); }

}  // namespace qv

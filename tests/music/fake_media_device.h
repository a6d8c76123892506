#pragma once
// A scripted stand-in for the platform's media devices. It records every call and answers
// the way the real devices do: a CD drive ("cdaudio", tmsf positions), the file device opened
// as "MP3Play", and the wave output behind PlaySound. Single replies can be scripted per
// command to feed odd buffers and codes.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "saver/music/media_platform.h"

namespace qv::test {

// Codes with the platform's meaning.
constexpr int32_t kErrInvalidDeviceName = 263;  // device not open
constexpr int32_t kErrCannotLoadDriver = 266;   // no CD drive
constexpr int32_t kErrFileNotFound = 275;
constexpr int32_t kErrDeviceNotReady = 276;  // no disc
constexpr int32_t kErrOutOfRange = 282;
constexpr int32_t kErrUnrecognizedCommand = 261;

struct SentCommand {
    std::string text;
    bool withReply;  // a reply buffer was handed over
    uint32_t replyLength;
    bool operator==(const SentCommand& o) const {
        return text == o.text && withReply == o.withReply && replyLength == o.replyLength;
    }
};

struct SoundCall {
    std::optional<std::string> name;
    uint32_t flags;
};

struct ScriptedReply {
    int32_t code;
    std::string buffer;  // raw buffer contents, NULs and all; written even with a failure code
};

class FakeMediaDevice final : public MediaPlatform {
  public:
    FakeMediaDevice();
    ~FakeMediaDevice() override;

    // ---- the CD drive
    bool hasDrive = true;
    int discTracks = 10;  // 0: no disc in the drive
    std::string cdMode = "stopped";
    int currentTrack = 1;
    // Test moves: the disc plays on into `track`; the disc plays to its end and stops.
    void CdPlaysInto(int track);
    void CdReachesEnd();

    // ---- the music file device
    std::vector<std::string> existingFiles;
    std::string mp3Mode;  // empty while closed
    std::string mp3File;

    // ---- wave output
    int32_t waveDevices = 1;
    int32_t playSoundResult = 1;
    std::vector<SoundCall> soundCalls;

    // ---- error texts
    bool errorTextsAvailable = true;
    std::map<int32_t, std::string> errorTextBuffers;  // raw buffers for chosen codes
    std::string ErrorTextFor(int32_t code) const { return "device error " + std::to_string(code); }
    std::vector<int32_t> lastApiResultSeenByErrorText;  // LastApiResult when the text was asked

    // ---- script and record
    std::map<std::string, ScriptedReply> scripted;
    std::vector<SentCommand> sent;
    std::vector<std::string> SentTexts() const;
    void ClearRecord() {
        sent.clear();
        soundCalls.clear();
    }

    int32_t SendString(const std::string& command, std::string* reply, uint32_t replyLength) override;
    bool GetErrorString(int32_t code, std::string& text, uint32_t length) override;
    int32_t WaveOutDeviceCount() override { return waveDevices; }
    int32_t PlayWaveSound(const std::string* name, uint32_t flags) override;

  private:
    bool cdOpen_ = false;
    int32_t Cd(const std::string& command, std::string& answer);
    int32_t Mp3(const std::string& command, std::string& answer);
};

}  // namespace qv::test

#include "fake_media_device.h"

#include <cstdio>
#include <sstream>

#include "saver/music/quorvale_bgm.h"

namespace qv::test {
namespace {

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

std::string TrackStart(int track) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:00:00:00", track);
    return text;
}

// "TT:MM:SS:FF" -> TT, or -1.
int TrackOfPosition(const std::string& position) {
    int t, m, s, f;
    char rest;
    if (std::sscanf(position.c_str(), "%d:%d:%d:%d%c", &t, &m, &s, &f, &rest) != 4) return -1;
    return t;
}

}  // namespace

FakeMediaDevice::FakeMediaDevice() { SetMediaPlatform(this); }
FakeMediaDevice::~FakeMediaDevice() { SetMediaPlatform(nullptr); }

void FakeMediaDevice::CdPlaysInto(int track) {
    currentTrack = track;
    cdMode = "playing";
}

void FakeMediaDevice::CdReachesEnd() {
    currentTrack = discTracks;
    cdMode = "stopped";
}

std::vector<std::string> FakeMediaDevice::SentTexts() const {
    std::vector<std::string> texts;
    for (const SentCommand& c : sent) texts.push_back(c.text);
    return texts;
}

int32_t FakeMediaDevice::SendString(const std::string& command, std::string* reply, uint32_t replyLength) {
    sent.push_back({command, reply != nullptr, replyLength});
    std::string answer;
    int32_t code;
    bool writesOnFailure = false;
    if (auto it = scripted.find(command); it != scripted.end()) {
        code = it->second.code;
        answer = it->second.buffer;
        writesOnFailure = true;  // scripted buffers land even with a failure code
    } else if (command.find("cdaudio") != std::string::npos) {
        code = Cd(command, answer);
    } else if (command.find("MP3Play") != std::string::npos) {
        code = Mp3(command, answer);
    } else {
        code = kErrUnrecognizedCommand;
    }
    // A reply only lands in a buffer that was given, cut to its length.
    if (reply && replyLength > 0 && (code == 0 || writesOnFailure)) {
        if (answer.size() >= replyLength) answer.resize(replyLength - 1);
        *reply = answer;
    }
    return code;
}

int32_t FakeMediaDevice::Cd(const std::string& c, std::string& answer) {
    if (c == "open cdaudio") {
        if (!hasDrive) return kErrCannotLoadDriver;
        cdOpen_ = true;
        return 0;
    }
    if (!cdOpen_) return kErrInvalidDeviceName;
    if (c == "close cdaudio") {
        cdOpen_ = false;
        return 0;
    }
    if (c == "set cdaudio time format tmsf") return 0;
    if (c == "stop cdaudio") {
        if (discTracks == 0) return kErrDeviceNotReady;
        cdMode = "stopped";
        return 0;
    }
    if (discTracks == 0) {
        if (c == "status cdaudio mode") {
            answer = "not ready";
            return 0;
        }
        return kErrDeviceNotReady;
    }
    if (c == "status cdaudio current track") {
        answer = std::to_string(currentTrack);
        return 0;
    }
    if (c == "status cdaudio number of tracks") {
        answer = std::to_string(discTracks);
        return 0;
    }
    if (c == "status cdaudio mode") {
        answer = cdMode;
        return 0;
    }
    const std::string positionQuery = "status cdaudio position track ";
    if (StartsWith(c, positionQuery)) {
        int track = std::atoi(c.c_str() + positionQuery.size());
        if (track < 1 || track > discTracks) return kErrOutOfRange;
        answer = TrackStart(track);
        return 0;
    }
    if (c == "play cdaudio") {
        if (cdMode == "stopped" && currentTrack >= discTracks) currentTrack = 1;
        cdMode = "playing";
        return 0;
    }
    if (StartsWith(c, "play cdaudio from ")) {
        int track = TrackOfPosition(c.substr(18));
        if (track < 1 || track > discTracks) return kErrOutOfRange;
        currentTrack = track;
        cdMode = "playing";
        return 0;
    }
    return kErrUnrecognizedCommand;
}

int32_t FakeMediaDevice::Mp3(const std::string& c, std::string& answer) {
    const std::string openHead = "open \"";
    const std::string openTail = "\" type MPEGVideo Alias MP3Play";
    if (StartsWith(c, openHead)) {
        if (c.size() < openHead.size() + openTail.size() ||
            c.compare(c.size() - openTail.size(), openTail.size(), openTail) != 0)
            return kErrUnrecognizedCommand;
        std::string file = c.substr(openHead.size(), c.size() - openHead.size() - openTail.size());
        if (file.find('"') != std::string::npos) return kErrUnrecognizedCommand;
        bool found = false;
        for (const std::string& f : existingFiles) found = found || f == file;
        if (!found) return kErrFileNotFound;
        mp3File = file;
        mp3Mode = "stopped";
        return 0;
    }
    if (mp3Mode.empty()) return kErrInvalidDeviceName;
    if (c == "status MP3Play mode") {
        answer = mp3Mode;
        return 0;
    }
    if (c == "play MP3Play" || c == "play MP3Play from 0") {
        mp3Mode = "playing";
        return 0;
    }
    if (c == "stop MP3Play") {
        mp3Mode = "stopped";
        return 0;
    }
    if (c == "close MP3Play") {
        mp3Mode.clear();
        mp3File.clear();
        return 0;
    }
    return kErrUnrecognizedCommand;
}

bool FakeMediaDevice::GetErrorString(int32_t code, std::string& text, uint32_t length) {
    lastApiResultSeenByErrorText.push_back(LastApiResult);
    if (!errorTextsAvailable || length < 2) return false;
    auto it = errorTextBuffers.find(code);
    text = it != errorTextBuffers.end() ? it->second : ErrorTextFor(code);
    return true;
}

int32_t FakeMediaDevice::PlayWaveSound(const std::string* name, uint32_t flags) {
    soundCalls.push_back({name ? std::optional<std::string>(*name) : std::nullopt, flags});
    return playSoundResult;
}

}  // namespace qv::test

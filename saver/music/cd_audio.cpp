// Audio CD playback on the device "cdaudio": opened once, then started and restarted only by
// the saver window's 200 ms poll, which repeats the whole disc or one track.
#include <exception>

#include "saver/music/mci_commands.h"
#include "saver/music/mci_text.h"
#include "saver/music/media_platform.h"
#include "saver/music/quorvale_bgm.h"

namespace qv {
namespace {

constexpr uint32_t kModeLength = 255;

// One poll; false means the disc can no longer be polled.
bool PollOnce() {
    const std::string currentTrack = MciStatus("status cdaudio current track");
    if (LooksLikeError(currentTrack)) return false;  // no drive, no disc, or not open
    if (LooksLikeError(MciStatus("status cdaudio number of tracks"))) return false;

    std::string buffer;
    LastApiResult = CurrentMediaPlatform().SendString("status cdaudio mode", &buffer, kModeLength);
    // A failed query leaves no mode to act on.
    const std::string mode = LastApiResult == 0 ? LeadingText(buffer, 7) : std::string();
    const bool stopped = mode == "stopped";

    if (BgmRepeat == 0) {
        if (stopped) MciPlay("cdaudio", "", "");
        return true;
    }
    // The track number is compared even when the device is stopped: a reply that is no number
    // means the device is not answering as a CD does, and polling ends.
    const std::optional<double> track = ReplyAsNumber(currentTrack);
    if (!track) return false;
    if (stopped || *track != BgmRepeat) {
        const std::string start = MciStatus("status cdaudio position track " + std::to_string(BgmRepeat));
        MciPlay("cdaudio", start, "");
    }
    return true;
}

}  // namespace

void CdOpen() {
    LastApiResult = MciSendNoReply("open cdaudio");
    LastApiResult = MciSendNoReply("set cdaudio time format tmsf");
}

void CdPoll() {
    CdKeepPolling = true;
    try {
        CdKeepPolling = PollOnce();
    } catch (const std::exception&) {
        CdKeepPolling = false;
    }
}

void CdClose() {
    LastApiResult = MciSendNoReply("stop cdaudio");
    LastApiResult = MciSendNoReply("close cdaudio");
}

}  // namespace qv

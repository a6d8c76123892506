// Feeds the command layer, the file music and the CD poll arbitrary device replies and codes
// through the scripted device, and checks the rules every reply must keep.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "fake_media_device.h"
#include "saver/music/quorvale_bgm.h"

namespace {

const char* const kCommands[] = {
    "status cdaudio current track",
    "status cdaudio number of tracks",
    "status cdaudio mode",
    "status cdaudio position track 3",
    "play cdaudio",
    "status MP3Play mode",
    "open cdaudio",
};

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    qv::test::FakeMediaDevice device;
    device.discTracks = in.ConsumeIntegralInRange(0, 99);
    device.hasDrive = in.ConsumeBool();
    qv::BgmRepeat = in.ConsumeIntegral<int16_t>();
    qv::BgmFile = in.ConsumeRandomLengthString(64);
    qv::LastApiResult = 0;

    while (in.remaining_bytes() > 0) {
        const std::string command = kCommands[in.ConsumeIntegralInRange<size_t>(0, 6)];
        if (in.ConsumeBool())
            device.scripted[command] = {in.ConsumeIntegral<int32_t>(), in.ConsumeRandomLengthString(600)};
        device.errorTextsAvailable = in.ConsumeBool();
        if (in.ConsumeBool())
            device.errorTextBuffers[in.ConsumeIntegral<int32_t>()] = in.ConsumeRandomLengthString(300);

        switch (in.ConsumeIntegralInRange(0, 7)) {
            case 0: {
                std::string reply;
                const std::string sent = in.ConsumeRandomLengthString(80);
                const int32_t code = qv::MciSend(sent, reply);
                Check(reply.find('\0') == std::string::npos);
                Check(sent.empty() ? code == -1 : code == qv::LastApiResult);
                break;
            }
            case 1: {
                const std::string result = qv::MciStatus(in.ConsumeRandomLengthString(80));
                Check(qv::MciReplyText.find('\0') == std::string::npos);
                Check(qv::LastApiResult == 0 ? result == qv::MciReplyText
                                             : result == "Error:" + std::to_string(qv::LastApiResult));
                break;
            }
            case 2:
                qv::MciPlay("cdaudio", in.ConsumeRandomLengthString(20), in.ConsumeRandomLengthString(20));
                break;
            case 3: {
                device.ClearRecord();
                qv::CdPoll();
                // No answer to the current-track query: nothing else may be asked.
                if (!device.sent.empty() && device.sent.size() == 1) Check(!qv::CdKeepPolling);
                break;
            }
            case 4:
                qv::Mp3Open();
                break;
            case 5:
                qv::Mp3Repeat();
                break;
            case 6:
                qv::CdOpen();
                break;
            default:
                qv::WavPlay();
                break;
        }
    }
    return 0;
}

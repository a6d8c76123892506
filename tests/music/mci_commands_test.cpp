#include <stdexcept>
#include <string>

#include "music_test_fixture.h"
#include "saver/music/mci_text.h"

namespace qv::test {
namespace {

using namespace std::string_literals;
using MciCommands = MusicTest;

TEST_F(MciCommands, EmptyCommandIsNotSentAndLeavesLastApiResult) {
    LastApiResult = 77;
    std::string reply = "old";
    EXPECT_EQ(MciSend("", reply), -1);
    EXPECT_EQ(reply, "コマンド文字列が指定されていません");
    EXPECT_EQ(LastApiResult, 77);
    EXPECT_TRUE(device.sent.empty());

    // The status query turns it into the marker and does record the code.
    EXPECT_EQ(MciStatus(""), "Error:-1");
    EXPECT_EQ(LastApiResult, -1);
    EXPECT_EQ(MciReplyText, "コマンド文字列が指定されていません");
    EXPECT_TRUE(device.sent.empty());
}

TEST_F(MciCommands, ReplyIsTextUpToFirstNulFromA512Buffer) {
    device.scripted["status cdaudio mode"] = {0, "playing\0stale tail"s};
    std::string reply;
    EXPECT_EQ(MciSend("status cdaudio mode", reply), 0);
    EXPECT_EQ(reply, "playing");
    ASSERT_EQ(device.sent.size(), 1u);
    EXPECT_EQ(device.sent[0], (SentCommand{"status cdaudio mode", true, 512}));
    EXPECT_EQ(MciStatus("status cdaudio mode"), "playing");
    EXPECT_EQ(MciReplyText, "playing");
    EXPECT_EQ(LastApiResult, 0);
}

TEST_F(MciCommands, FailureGivesCodeAndPlatformDescriptionRecordedFirst) {
    device.hasDrive = false;
    LastApiResult = 5;
    std::string reply;
    EXPECT_EQ(MciSend("status cdaudio current track", reply), kErrInvalidDeviceName);
    EXPECT_EQ(reply, device.ErrorTextFor(kErrInvalidDeviceName));
    EXPECT_EQ(LastApiResult, kErrInvalidDeviceName);
    // The raw code was already there when the description was asked for.
    ASSERT_EQ(device.lastApiResultSeenByErrorText.size(), 1u);
    EXPECT_EQ(device.lastApiResultSeenByErrorText[0], kErrInvalidDeviceName);

    EXPECT_EQ(MciStatus("status cdaudio current track"), "Error:263");
    EXPECT_EQ(MciReplyText, device.ErrorTextFor(kErrInvalidDeviceName));
    EXPECT_EQ(LastApiResult, kErrInvalidDeviceName);
}

TEST_F(MciCommands, ErrorTextIsCutAtNulOrReplacedWhenUnavailable) {
    device.errorTextBuffers[kErrFileNotFound] = "missing\0junk"s;
    device.scripted["open x"] = {kErrFileNotFound, "never read"};
    std::string reply;
    EXPECT_EQ(MciSend("open x", reply), kErrFileNotFound);
    EXPECT_EQ(reply, "missing");

    device.errorTextsAvailable = false;
    EXPECT_EQ(MciSend("open x", reply), kErrFileNotFound);
    EXPECT_EQ(reply, "Error (文字列が取れません)");
    EXPECT_EQ(MciStatus("open x"), "Error:275");
    EXPECT_EQ(MciReplyText, "Error (文字列が取れません)");
}

TEST_F(MciCommands, NegativeCodesKeepTheirSignInTheMarker) {
    device.scripted["status odd"] = {-5, ""};
    EXPECT_EQ(MciStatus("status odd"), "Error:-5");
    EXPECT_TRUE(LooksLikeError(MciStatus("status odd")));
}

TEST_F(MciCommands, PlayBuildsEachFormOfTheCommand) {
    device.scripted["play cdaudio"] = {0, "ok"};
    EXPECT_EQ(MciPlay("cdaudio", "", ""), 0);
    EXPECT_EQ(MciReplyText, "ok");
    MciPlay("cdaudio", "03:00:00:00", "");
    MciPlay("cdaudio", "", "05:00:00:00");
    MciPlay("cdaudio", "2", "4");
    EXPECT_EQ(device.SentTexts(), (std::vector<std::string>{
                                      "play cdaudio",
                                      "play cdaudio from 03:00:00:00",
                                      "play cdaudio to 05:00:00:00",
                                      "play cdaudio from 2 to 4",
                                  }));
    // A failing play hands back the device's code.
    EXPECT_EQ(MciPlay("cdaudio", "Error:282", ""), kErrInvalidDeviceName);
    EXPECT_EQ(MciReplyText, device.ErrorTextFor(kErrInvalidDeviceName));
}

TEST(MciText, ErrorMarkerIsFoundInAnyCase) {
    EXPECT_TRUE(LooksLikeError("Error:263"));
    EXPECT_TRUE(LooksLikeError("device eRRor"));
    EXPECT_FALSE(LooksLikeError("12"));
    EXPECT_FALSE(LooksLikeError(""));
}

TEST(MciText, RepliesReadAsNumbers) {
    EXPECT_EQ(ReplyAsNumber("4"), 4.0);
    EXPECT_EQ(ReplyAsNumber(" 04 "), 4.0);
    EXPECT_EQ(ReplyAsNumber("-2"), -2.0);
    EXPECT_EQ(ReplyAsNumber("3.5"), 3.5);
    for (const char* text : {"", " ", "abc", "4a", "0x4", "inf", "nan", "1e3", ".", "+", "03:00"})
        EXPECT_FALSE(ReplyAsNumber(text)) << text;
}

TEST(MciText, LeadingTextStopsAtNul) {
    EXPECT_EQ(LeadingText(std::string("stop\0ped", 8), 7), "stop");
    EXPECT_EQ(LeadingText("playing back", 7), "playing");
}

// Taken while the program starts, before any test changes the module's state.
const int32_t kFirstApiResult = LastApiResult;
const bool kFirstKeepPolling = CdKeepPolling;
const int16_t kFirstKind = BgmKind;
const int16_t kFirstRepeat = BgmRepeat;

TEST(MusicState, StartsWithNoResultNoPollingAndNoMusic) {
    EXPECT_EQ(kFirstApiResult, 0);
    EXPECT_FALSE(kFirstKeepPolling);
    EXPECT_EQ(kFirstKind, 0);
    EXPECT_EQ(kFirstRepeat, 0);
}

TEST(MusicState, WithoutAPlatformEveryCallFailsAsOnAMachineWithoutMediaDevices) {
    SetMediaPlatform(nullptr);
    MediaPlatform& none = CurrentMediaPlatform();
    std::string reply, text;
    EXPECT_EQ(none.SendString("open cdaudio", &reply, 10), 306);
    EXPECT_FALSE(none.GetErrorString(306, text, 10));
    EXPECT_EQ(none.WaveOutDeviceCount(), 0);
    LastApiResult = 5;
    WavPlay();  // no wave device: nothing is played and nothing recorded
    EXPECT_EQ(LastApiResult, 5);
}

TEST(MusicState, RepliesWithEveryDigitReadAsNumbers) {
    EXPECT_EQ(ReplyAsNumber("9"), 9.0);
    EXPECT_EQ(ReplyAsNumber("0.9"), 0.9);
    EXPECT_EQ(ReplyAsNumber("1234567890"), 1234567890.0);
}

// A platform whose every command throws, as a failing conversion or allocation would.
class ThrowingDevice final : public MediaPlatform {
  public:
    ThrowingDevice() { SetMediaPlatform(this); }
    ~ThrowingDevice() override { SetMediaPlatform(nullptr); }
    int32_t SendString(const std::string&, std::string*, uint32_t) override {
        throw std::runtime_error("device gone");
    }
    bool GetErrorString(int32_t, std::string&, uint32_t) override { return false; }
    int32_t WaveOutDeviceCount() override { return 0; }
    int32_t PlayWaveSound(const std::string*, uint32_t) override { return 0; }
};

TEST(MusicState, AThrowingDeviceEndsCdPollingWithoutEscaping) {
    CdKeepPolling = true;
    ThrowingDevice device;
    EXPECT_NO_THROW(CdPoll());
    EXPECT_FALSE(CdKeepPolling);
}

}  // namespace
}  // namespace qv::test

// The module's state before any music call, and a device that throws in the middle of a poll.
#include <stdexcept>

#include "music_test_fixture.h"
#include "saver/music/mci_text.h"

namespace qv::test {
namespace {

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

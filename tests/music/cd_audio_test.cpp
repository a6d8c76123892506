#include "music_test_fixture.h"

namespace qv::test {
namespace {

using Texts = std::vector<std::string>;

const Texts kQueries = {"status cdaudio current track", "status cdaudio number of tracks",
                        "status cdaudio mode"};

Texts QueriesThen(Texts more) {
    Texts all = kQueries;
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

class CdAudio : public MusicTest {
  protected:
    // One poll; returns what it sent.
    Texts Poll() {
        device.ClearRecord();
        CdPoll();
        return device.SentTexts();
    }
};

TEST_F(CdAudio, OpenSetsTmsfAndRecordsTheLastCode) {
    CdOpen();
    EXPECT_EQ(device.sent, (std::vector<SentCommand>{{"open cdaudio", false, 0},
                                                     {"set cdaudio time format tmsf", false, 0}}));
    EXPECT_EQ(LastApiResult, 0);
    EXPECT_EQ(device.cdMode, "stopped");  // opening starts nothing

    device.ClearRecord();
    CdClose();
    EXPECT_EQ(device.SentTexts(), (Texts{"stop cdaudio", "close cdaudio"}));
    EXPECT_EQ(LastApiResult, 0);

    // No drive: both commands fail, and the second one's code stays.
    device.hasDrive = false;
    CdOpen();
    EXPECT_EQ(LastApiResult, kErrInvalidDeviceName);
}

TEST_F(CdAudio, NoDriveOrNoDiscStopsPollingBeforeTheModeQuery) {
    device.hasDrive = false;
    CdOpen();
    EXPECT_EQ(Poll(), (Texts{"status cdaudio current track"}));
    EXPECT_FALSE(CdKeepPolling);
    EXPECT_EQ(LastApiResult, kErrInvalidDeviceName);
    EXPECT_EQ(MciReplyText, device.ErrorTextFor(kErrInvalidDeviceName));

    device.hasDrive = true;
    device.discTracks = 0;
    CdOpen();
    EXPECT_EQ(Poll(), (Texts{"status cdaudio current track"}));
    EXPECT_FALSE(CdKeepPolling);
}

TEST_F(CdAudio, WholeDiscStartsWhenStoppedAndOtherwiseOnlyAsks) {
    BgmRepeat = 0;
    CdOpen();
    EXPECT_EQ(Poll(), QueriesThen({"play cdaudio"}));
    EXPECT_TRUE(CdKeepPolling);
    EXPECT_EQ(device.sent[2], (SentCommand{"status cdaudio mode", true, 255}));

    device.CdPlaysInto(5);
    EXPECT_EQ(Poll(), kQueries);
    EXPECT_EQ(Poll(), kQueries);

    device.CdReachesEnd();
    EXPECT_EQ(Poll(), QueriesThen({"play cdaudio"}));
    EXPECT_EQ(device.cdMode, "playing");
    EXPECT_TRUE(CdKeepPolling);
}

TEST_F(CdAudio, PausedOrNotReadyIsNotStopped) {
    CdOpen();
    for (const char* mode : {"paused", "not ready", "seeking", "stop"}) {
        device.cdMode = mode;
        EXPECT_EQ(Poll(), kQueries) << mode;
        EXPECT_TRUE(CdKeepPolling);
    }
}

TEST_F(CdAudio, TrackThreeOfTenRestartsWhenTheDiscMovesOn) {
    BgmRepeat = 3;
    CdOpen();
    EXPECT_EQ(Poll(), QueriesThen({"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}));
    EXPECT_EQ(device.currentTrack, 3);
    EXPECT_TRUE(CdKeepPolling);

    EXPECT_EQ(Poll(), kQueries);  // track 3 playing: leave it

    device.CdPlaysInto(4);
    EXPECT_EQ(Poll(), QueriesThen({"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}));
    EXPECT_EQ(device.currentTrack, 3);
    EXPECT_EQ(device.cdMode, "playing");
}

TEST_F(CdAudio, LastTrackRestartsAfterTheDiscStops) {
    BgmRepeat = 10;
    CdOpen();
    device.CdPlaysInto(10);
    EXPECT_EQ(Poll(), kQueries);

    device.CdReachesEnd();  // current track stays 10, but the device is stopped
    EXPECT_EQ(Poll(), QueriesThen({"status cdaudio position track 10", "play cdaudio from 10:00:00:00"}));
    EXPECT_EQ(device.cdMode, "playing");
}

TEST_F(CdAudio, TrackBeyondTheDiscRepeatsTheTwoFailingCommandsEveryPoll) {
    BgmRepeat = 12;
    CdOpen();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Poll(), QueriesThen({"status cdaudio position track 12", "play cdaudio from Error:282"}));
        EXPECT_TRUE(CdKeepPolling);
        EXPECT_EQ(device.cdMode, "stopped");
    }
}

TEST_F(CdAudio, CurrentTrackThatIsNoNumberStopsPollingWhenATrackRepeats) {
    CdOpen();
    device.scripted["status cdaudio current track"] = {0, "??"};
    BgmRepeat = 3;
    EXPECT_EQ(Poll(), kQueries);
    EXPECT_FALSE(CdKeepPolling);

    // Even when the device is stopped the number is read, and still fails.
    device.scripted["status cdaudio current track"] = {0, ""};
    EXPECT_EQ(Poll(), kQueries);
    EXPECT_FALSE(CdKeepPolling);

    // The whole disc never reads the number.
    BgmRepeat = 0;
    EXPECT_EQ(Poll(), QueriesThen({"play cdaudio"}));
    EXPECT_TRUE(CdKeepPolling);
}

TEST_F(CdAudio, DiscRemovedWhilePlayingStopsPolling) {
    BgmRepeat = 0;
    CdOpen();
    Poll();
    ASSERT_TRUE(CdKeepPolling);
    device.discTracks = 0;
    EXPECT_EQ(Poll(), (Texts{"status cdaudio current track"}));
    EXPECT_FALSE(CdKeepPolling);
}

TEST_F(CdAudio, FailedTrackCountStopsPolling) {
    CdOpen();
    device.scripted["status cdaudio number of tracks"] = {kErrDeviceNotReady, ""};
    EXPECT_EQ(Poll(), (Texts{"status cdaudio current track", "status cdaudio number of tracks"}));
    EXPECT_FALSE(CdKeepPolling);
}

TEST_F(CdAudio, FailedModeQueryStartsNothingOnAStaleReply) {
    CdOpen();
    device.scripted["status cdaudio mode"] = {kErrDeviceNotReady, "stopped"};
    EXPECT_EQ(Poll(), kQueries);
    EXPECT_EQ(LastApiResult, kErrDeviceNotReady);
    EXPECT_TRUE(CdKeepPolling);
}

}  // namespace
}  // namespace qv::test

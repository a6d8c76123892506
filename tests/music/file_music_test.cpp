#include "music_test_fixture.h"

namespace qv::test {
namespace {

using FileMusic = MusicTest;

const char kSong[] = "C:\\My Music\\evening song.mp3";

TEST_F(FileMusic, OpenQuotesThePathAndPlaysOnceWithoutReplies) {
    device.existingFiles = {kSong};
    BgmFile = kSong;
    LastApiResult = 42;
    Mp3Open();
    EXPECT_EQ(device.sent,
              (std::vector<SentCommand>{
                  {"open \"C:\\My Music\\evening song.mp3\" type MPEGVideo Alias MP3Play", false, 0},
                  {"play MP3Play", false, 0},
              }));
    EXPECT_TRUE(Mp3IsPlaying());
    EXPECT_EQ(device.sent.back(), (SentCommand{"status MP3Play mode", true, 30}));
    EXPECT_EQ(LastApiResult, 42);  // the file commands keep no codes
}

TEST_F(FileMusic, FailedOpenPlaysNothingAndRepeatKeepsTryingHarmlessly) {
    BgmFile = "C:\\gone.mp3";
    Mp3Open();
    EXPECT_EQ(device.SentTexts(),
              (std::vector<std::string>{"open \"C:\\gone.mp3\" type MPEGVideo Alias MP3Play"}));
    device.ClearRecord();
    Mp3Repeat();
    EXPECT_EQ(device.SentTexts(),
              (std::vector<std::string>{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));
    EXPECT_TRUE(device.mp3Mode.empty());
}

TEST_F(FileMusic, PathWithDoubleQuoteSendsNothing) {
    // Quoted, this would end the name after the real file and open it after all.
    device.existingFiles = {"C:\\a.mp3"};
    BgmFile = "C:\\a.mp3\" type MPEGVideo Alias MP3Play x\"";
    Mp3Open();
    EXPECT_TRUE(device.sent.empty());
    EXPECT_FALSE(Mp3IsPlaying());
}

TEST_F(FileMusic, RepeatRestartsFromZeroWhenEndedOrPausedOnly) {
    device.existingFiles = {kSong};
    BgmFile = kSong;
    Mp3Open();
    device.ClearRecord();

    Mp3Repeat();  // still playing
    EXPECT_EQ(device.SentTexts(), (std::vector<std::string>{"status MP3Play mode"}));

    for (const char* state : {"stopped", "paused"}) {
        device.mp3Mode = state;
        device.ClearRecord();
        Mp3Repeat();
        EXPECT_EQ(device.SentTexts(),
                  (std::vector<std::string>{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}))
            << state;
        EXPECT_EQ(device.mp3Mode, "playing");
    }
}

TEST_F(FileMusic, PlayingMeansTheFirstSevenCharactersExactly) {
    device.scripted["status MP3Play mode"] = {0, "Playing"};
    EXPECT_FALSE(Mp3IsPlaying());
    device.scripted["status MP3Play mode"] = {0, "playing, more"};
    EXPECT_TRUE(Mp3IsPlaying());
    device.scripted["status MP3Play mode"] = {0, "play"};
    EXPECT_FALSE(Mp3IsPlaying());
}

TEST_F(FileMusic, FailedModeQueryAfterPlayingIsNotPlaying) {
    device.existingFiles = {kSong};
    BgmFile = kSong;
    Mp3Open();
    ASSERT_TRUE(Mp3IsPlaying());
    // The device went away; whatever an earlier reply left behind must not count.
    device.scripted["status MP3Play mode"] = {kErrInvalidDeviceName, "playing"};
    EXPECT_FALSE(Mp3IsPlaying());
}

TEST_F(FileMusic, CloseStopsThenCloses) {
    device.existingFiles = {kSong};
    BgmFile = kSong;
    Mp3Open();
    device.ClearRecord();
    Mp3Close();
    EXPECT_EQ(device.sent,
              (std::vector<SentCommand>{{"stop MP3Play", false, 0}, {"close MP3Play", false, 0}}));
    EXPECT_FALSE(Mp3IsPlaying());
}

TEST_F(FileMusic, WavLoopsAsynchronouslyNeverAsTheDefaultSoundAndRecordsResults) {
    BgmFile = "C:\\Music\\loop.wav";
    device.playSoundResult = 1;
    WavPlay();
    ASSERT_EQ(device.soundCalls.size(), 1u);
    EXPECT_EQ(device.soundCalls[0].name, std::optional<std::string>("C:\\Music\\loop.wav"));
    // SND_ASYNC | SND_NODEFAULT | SND_LOOP: without SND_NODEFAULT a file that cannot be played
    // would sound the system's default sound, looping.
    EXPECT_EQ(device.soundCalls[0].flags, 0x0001u | 0x0002u | 0x0008u);
    EXPECT_EQ(LastApiResult, 1);

    device.playSoundResult = 0;
    WavStop();
    ASSERT_EQ(device.soundCalls.size(), 2u);
    EXPECT_FALSE(device.soundCalls[1].name);
    EXPECT_EQ(device.soundCalls[1].flags, 0u);
    EXPECT_EQ(LastApiResult, 0);
    EXPECT_TRUE(device.sent.empty());
}

TEST_F(FileMusic, NoWaveDeviceMeansNoPlaySoundCall) {
    BgmFile = "C:\\Music\\loop.wav";
    for (int32_t devices : {0, -1}) {  // -1: a device count that reads negative
        device.waveDevices = devices;
        LastApiResult = 31;
        WavPlay();
        EXPECT_TRUE(device.soundCalls.empty()) << devices;
        EXPECT_EQ(LastApiResult, 31);
    }
}

TEST_F(FileMusic, WithoutAnyPlatformEverythingFailsQuietly) {
    SetMediaPlatform(nullptr);
    BgmFile = "C:\\x.mp3";
    Mp3Open();
    EXPECT_FALSE(Mp3IsPlaying());
    Mp3Repeat();
    Mp3Close();
    WavPlay();
    WavStop();
    EXPECT_EQ(LastApiResult, 0);
    EXPECT_NE(MciSend("open cdaudio", MciReplyText), 0);
    EXPECT_EQ(MciReplyText, "Error (文字列が取れません)");
}

}  // namespace
}  // namespace qv::test

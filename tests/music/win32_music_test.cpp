// The music module against the real winmm under Wine, with the null sound device.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "saver/framework/ansi_text.h"
#include "saver/music/quorvale_bgm.h"
#include "saver/music/win32_media_platform.h"

namespace qv {
namespace {

// The test audio folder, handed over as a Unix path; Wine shows it on drive Z:.
std::string AudioPath(const std::string& name) {
    const char* dir = std::getenv("QV_MUSIC_AUDIO");
    std::string path = std::string("Z:") + (dir ? dir : "") + "/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

bool WaitFor(bool wanted, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (Mp3IsPlaying() == wanted) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return Mp3IsPlaying() == wanted;
}

class Win32Music : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("QV_MUSIC_AUDIO"), nullptr);
        UseWin32MediaPlatform();
        LastApiResult = 0;
        MciReplyText.clear();
        BgmRepeat = 0;
        BgmFile.clear();
    }
    void TearDown() override {
        Mp3Close();
        WavStop();
    }
};

TEST_F(Win32Music, Mp3WithBlankInPathPlaysAndRestartsFromZeroAfterItEnds) {
    BgmFile = AudioPath("with space/tone copy.mp3");
    Mp3Open();
    EXPECT_EQ(MciStatus("status MP3Play mode"), "playing");
    EXPECT_TRUE(Mp3IsPlaying());

    Mp3Repeat();  // still playing: nothing changes
    EXPECT_TRUE(Mp3IsPlaying());

    ASSERT_TRUE(WaitFor(false, std::chrono::seconds(15))) << "the 2-second file never ended";
    Mp3Repeat();
    EXPECT_TRUE(Mp3IsPlaying());
    MciSend("set MP3Play time format milliseconds", MciReplyText);
    const std::string position = MciStatus("status MP3Play position");
    ASSERT_FALSE(position.find("Error") == 0) << MciReplyText;
    EXPECT_LT(std::atoi(position.c_str()), 1500) << "restart should begin near the start";

    Mp3Close();
    EXPECT_FALSE(Mp3IsPlaying());
    EXPECT_NE(MciStatus("status MP3Play mode").find("Error:"), std::string::npos);
}

TEST_F(Win32Music, PathWithDoubleQuoteFailsQuietly) {
    for (const std::string& path : {AudioPath("tone.mp3") + "\"", AudioPath("to\"ne.mp3"),
                                    AudioPath("tone.mp3\" type MPEGVideo Alias MP3Play x")}) {
        BgmFile = path;
        Mp3Open();
        EXPECT_FALSE(Mp3IsPlaying()) << path;
        Mp3Repeat();  // the timer keeps calling; nothing may start
        EXPECT_FALSE(Mp3IsPlaying()) << path;
        Mp3Close();
    }
}

TEST_F(Win32Music, JapanesePathInTheCodePagePlays) {
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
    BgmFile = AudioPath("音楽テスト.mp3");
    Mp3Open();
    EXPECT_TRUE(Mp3IsPlaying());
}

TEST_F(Win32Music, PathThePlatformCannotTakeFailsCleanly) {
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
    BgmFile = AudioPath("음악.mp3");  // the file exists, but code page 932 cannot name it
    Mp3Open();
    EXPECT_FALSE(Mp3IsPlaying());
    std::string reply;
    EXPECT_NE(MciSend("open \"" + BgmFile + "\" type MPEGVideo Alias MP3Play", reply), 0);
    EXPECT_FALSE(reply.empty());
    EXPECT_FALSE(Mp3IsPlaying());

    BgmFile = AudioPath("음악.wav");
    WavPlay();
    EXPECT_EQ(LastApiResult, 0);

    // Cut at the NUL, the platform would see the name of a real file.
    BgmFile = AudioPath("tone.mp3") + std::string(1, '\0') + "x";
    Mp3Open();
    EXPECT_FALSE(Mp3IsPlaying());
    BgmFile = AudioPath("short.wav") + std::string(1, '\0') + "x";
    WavPlay();
    EXPECT_EQ(LastApiResult, 0);
}

TEST_F(Win32Music, WavLoopsAndStopsAndStopAloneIsHarmless) {
    ASSERT_GT(static_cast<int>(waveOutGetNumDevs()), 0) << "the null sound device is missing";
    WavStop();
    EXPECT_NE(LastApiResult, 0);

    BgmFile = AudioPath("short.wav");
    WavPlay();
    EXPECT_NE(LastApiResult, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    WavStop();
    EXPECT_NE(LastApiResult, 0);
    WavStop();
    EXPECT_NE(LastApiResult, 0);
}

TEST_F(Win32Music, CdStatusWithoutDriveGivesMarkerAndPlatformDescription) {
    const std::string result = MciStatus("status cdaudio current track");
    ASSERT_EQ(result.rfind("Error:", 0), 0u) << result;
    const int code = std::atoi(result.c_str() + 6);
    EXPECT_GT(code, 0);
    EXPECT_EQ(LastApiResult, code);

    char description[256] = {};
    ASSERT_TRUE(mciGetErrorStringA(static_cast<MCIERROR>(code), description, sizeof description));
    EXPECT_EQ(MciReplyText, FromAnsi(description));
    EXPECT_FALSE(MciReplyText.empty());

    // The same road through the module: the first poll ends polling.
    CdOpen();
    EXPECT_NE(LastApiResult, 0);
    CdKeepPolling = true;
    CdPoll();
    EXPECT_FALSE(CdKeepPolling);
    CdClose();
}

}  // namespace
}  // namespace qv

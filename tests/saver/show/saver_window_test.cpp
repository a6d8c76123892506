// The hidden saver window's music decisions, with the real form and its real timers over a
// scripted media device. Each case runs in a child process (this program started again),
// because the window ends its program when the renderer's window is gone; the child writes
// every media call and the timers' state to a log as it goes, and the test reads it back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fake_media_device.h"
#include "handoff/handoff.h"
#include "saver/framework/timer_control.h"
#include "saver/music/quorvale_bgm.h"
#include "saver/show/quorvale_s.h"
#include "saver_driver.h"

namespace qv::test {
namespace {

constexpr char kCaseSwitch[] = "window-case";

// Forwards to the scripted device and writes each call to the log before it is answered.
class LoggedDevice final : public MediaPlatform {
  public:
    LoggedDevice(FakeMediaDevice& device, std::FILE* log) : device_(device), log_(log) {}
    int32_t SendString(const std::string& command, std::string* reply, uint32_t length) override {
        Line("mci " + command);
        return device_.SendString(command, reply, length);
    }
    bool GetErrorString(int32_t code, std::string& text, uint32_t length) override {
        return device_.GetErrorString(code, text, length);
    }
    int32_t WaveOutDeviceCount() override { return device_.WaveOutDeviceCount(); }
    int32_t PlayWaveSound(const std::string* name, uint32_t flags) override {
        Line("sound " + (name ? *name : std::string("(stop)")));
        return device_.PlayWaveSound(name, flags);
    }
    void Line(const std::string& text) {
        std::fprintf(log_, "%s\n", text.c_str());
        std::fflush(log_);  // the program ends at once; nothing may wait in a buffer
    }

  private:
    FakeMediaDevice& device_;
    std::FILE* log_;
};

std::string TimerState(Quorvale_S& form) {
    std::string s;
    for (const char* name : {"Timer1", "Timer2", "Timer3"}) {
        auto& t = form.Ctl<Timer>(name);
        s +=
            std::string(" ") + name + "=" + (t.Enabled() ? "on" : "off") + "/" + std::to_string(t.Interval());
    }
    return s;
}

// The child: one show with the music settings of `name`, ended by closing the stand-in
// renderer window.
int RunCase(const std::string& name, const std::string& logPath) {
    std::FILE* log = std::fopen(logPath.c_str(), "w");
    if (!log) return 98;
    static FakeMediaDevice device;
    static LoggedDevice platform(device, log);
    SetMediaPlatform(&platform);
    BgmKind = 0;
    BgmFile.clear();
    if (name == "cd") BgmKind = 1;
    if (name == "cd-no-drive") {
        BgmKind = 1;
        device.hasDrive = false;
    }
    if (name == "wav") {
        BgmKind = 2;
        BgmFile = "C:\\Music\\song.wav";  // lower-case ending: the kind is compared upper-cased
    }
    if (name == "mp3" || name == "kind3") {
        BgmKind = name == "mp3" ? 2 : 3;
        BgmFile = "C:\\Music\\song.Mp3";
        device.existingFiles = {BgmFile};
    }
    if (name == "mid") {
        BgmKind = 2;
        BgmFile = "C:\\Music\\song.mid";
    }
    HWND renderer = CreateWindowExA(0, "STATIC", handoff::kRendererWindowTitle, WS_POPUP, 0, 0, 10, 10,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    static Quorvale_S form;
    form.Load();
    platform.Line("loaded" + TimerState(form));
    WaitUntil([] { return false; }, 1500);  // several CD polls, one repeat check of the file
    platform.Line("running" + TimerState(form));
    DestroyWindow(renderer);
    platform.Line("renderer gone");
    WaitUntil([] { return false; }, 5000);  // the watch ends the program long before this
    platform.Line("still running");
    return 99;
}

struct CaseLog {
    std::vector<std::string> lines;
    std::vector<std::string> Last(size_t n) const {
        return std::vector<std::string>(lines.end() - static_cast<long>(std::min(n, lines.size())),
                                        lines.end());
    }
    // Lines between two marker lines (by prefix); "" for the start or the end.
    std::vector<std::string> Between(const std::string& from, const std::string& to) const {
        std::vector<std::string> out;
        bool in = from.empty();
        for (const std::string& l : lines) {
            if (!from.empty() && l.rfind(from, 0) == 0) {
                in = true;
                continue;
            }
            if (!to.empty() && l.rfind(to, 0) == 0) break;
            if (in) out.push_back(l);
        }
        return out;
    }
    std::string Line(const std::string& prefix) const {
        for (const std::string& l : lines)
            if (l.rfind(prefix, 0) == 0) return l;
        return "";
    }
};

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& l : lines)
        if (l == line) return true;
    return false;
}
bool AnyStartsWith(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& l : lines)
        if (l.rfind(prefix, 0) == 0) return true;
    return false;
}

class SaverWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        // The cases stand in a window of that title for the renderer; another would keep them going.
        ASSERT_EQ(FindWindowA(nullptr, handoff::kRendererWindowTitle), nullptr)
            << "a renderer window is left from elsewhere";
    }
    CaseLog Run(const std::string& name) {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const std::string logPath = std::string(temp) + "qv_saver_window_" + name + ".log";
        DeleteFileA(logPath.c_str());
        CaseLog result;
        {
            Process child(self, std::string(kCaseSwitch) + " " + name + " " + logPath);
            EXPECT_TRUE(child.Started());
            EXPECT_TRUE(child.WaitEnd(30000)) << name;
        }
        std::string text = ReadFileBytes(logPath), line;
        for (char c : text) {
            if (c == '\n') {
                result.lines.push_back(line);
                line.clear();
            } else if (c != '\r') {
                line += c;
            }
        }
        DeleteFileA(logPath.c_str());
        return result;
    }
    WorkFolderGuard guard_;  // the window's load rewrites the working folder's pictures
};

const char kTimersAtRest[] = " Timer1=off/1000 Timer2=off/200 Timer3=on/500";

TEST_F(SaverWindow, AudioCdOpensPollsEveryTwoHundredMillisecondsAndClosesAtTheEnd) {
    CaseLog log = Run("cd");
    EXPECT_EQ(log.Line("loaded"), "loaded Timer1=off/1000 Timer2=on/200 Timer3=on/500");
    const auto atLoad = log.Between("", "loaded");
    EXPECT_EQ(atLoad, (std::vector<std::string>{"mci open cdaudio", "mci set cdaudio time format tmsf"}));
    const auto running = log.Between("loaded", "running");
    EXPECT_TRUE(Has(running, "mci status cdaudio current track")) << "the CD is polled";
    EXPECT_EQ(log.Line("running"), "running Timer1=off/1000 Timer2=on/200 Timer3=on/500");
    // A poll may still come between the window's going and the watch's next look.
    ASSERT_TRUE(AnyStartsWith(log.lines, "renderer gone"));
    EXPECT_EQ(log.Last(2), (std::vector<std::string>{"mci stop cdaudio", "mci close cdaudio"}));
}

TEST_F(SaverWindow, AudioCdWithoutADriveStopsPollingAndIsNotClosed) {
    CaseLog log = Run("cd-no-drive");
    EXPECT_EQ(log.Line("loaded"), "loaded Timer1=off/1000 Timer2=on/200 Timer3=on/500");
    EXPECT_EQ(log.Line("running"), "running" + std::string(kTimersAtRest))
        << "a failed poll stops the polling";
    ASSERT_TRUE(AnyStartsWith(log.lines, "renderer gone"));
    EXPECT_TRUE(log.Between("renderer gone", "").empty()) << "no CdClose after polling has stopped";
}

TEST_F(SaverWindow, WavFileLoopsAsASoundAndStopsWithTheShow) {
    CaseLog log = Run("wav");
    EXPECT_EQ(log.Line("loaded"), "loaded" + std::string(kTimersAtRest));
    EXPECT_EQ(log.Between("", "loaded"), std::vector<std::string>{"sound C:\\Music\\song.wav"});
    EXPECT_TRUE(log.Between("loaded", "renderer gone").size() == 1) << "nothing but the running line";
    EXPECT_EQ(log.Between("renderer gone", ""), std::vector<std::string>{"sound (stop)"});
}

TEST_F(SaverWindow, Mp3FileOpensWithTheRepeatTimerAndClosesAtTheEnd) {
    CaseLog log = Run("mp3");
    EXPECT_EQ(log.Line("loaded"), "loaded Timer1=on/1000 Timer2=off/200 Timer3=on/500");
    EXPECT_EQ(log.Between("", "loaded"),
              (std::vector<std::string>{"mci open \"C:\\Music\\song.Mp3\" type MPEGVideo Alias MP3Play",
                                        "mci play MP3Play"}));
    EXPECT_TRUE(Has(log.Between("loaded", "running"), "mci status MP3Play mode")) << "the repeat check ran";
    ASSERT_TRUE(AnyStartsWith(log.lines, "renderer gone"));
    EXPECT_EQ(log.Last(2), (std::vector<std::string>{"mci stop MP3Play", "mci close MP3Play"}));
}

TEST_F(SaverWindow, OtherFilesAndOtherKindsPlayNothing) {
    for (const char* name : {"mid", "kind3"}) {
        SCOPED_TRACE(name);
        CaseLog log = Run(name);
        EXPECT_EQ(log.Line("loaded"), "loaded" + std::string(kTimersAtRest));
        EXPECT_EQ(log.Line("running"), "running" + std::string(kTimersAtRest));
        ASSERT_TRUE(AnyStartsWith(log.lines, "renderer gone"));
        for (const std::string& l : log.lines)
            EXPECT_FALSE(l.rfind("mci ", 0) == 0 || l.rfind("sound ", 0) == 0) << l;
    }
}

TEST_F(SaverWindow, TheShowEndsSoonAfterTheRendererWindowGoes) {
    CaseLog log = Run("none");
    ASSERT_TRUE(AnyStartsWith(log.lines, "renderer gone"));
    EXPECT_FALSE(AnyStartsWith(log.lines, "still running")) << "the renderer watch did not end the program";
}

}  // namespace
}  // namespace qv::test

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == qv::test::kCaseSwitch)
        return qv::test::RunCase(argv[2], argv[3]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

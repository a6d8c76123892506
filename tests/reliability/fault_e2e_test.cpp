// The shipped saver under faults, end to end under Wine: a renderer killed or hung in the
// middle of a show, settings and music files that cannot be used, host starts in quick
// succession. Every case ends with nothing of ours running, the cursor as it was, silence
// after the show and the settings file as the show left it.
#include "saver_show_fixture.h"

#include <algorithm>

#include "saver/framework/ansi_text.h"
#include "saver/settings_file/ini_bytes.h"

namespace qv::test {
namespace {

bool CursorShown() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return (info.flags & CURSOR_SHOWING) != 0;
}

int RendererWindowCount() {
    int n = 0;
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            char title[32] = "";
            GetWindowTextA(w, title, sizeof title);
            if (std::string(title) == handoff::kRendererWindowTitle) ++*reinterpret_cast<int*>(lp);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

// Ends the renderer from outside and returns how long the saver took to follow (ms), or -1.
long KillRendererAndTimeTheSaver(Process& saver) {
    HANDLE r = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, RendererPid());
    if (!r) return -1;
    TerminateProcess(r, 9);
    WaitForSingleObject(r, 10000);
    CloseHandle(r);
    DWORD gone = GetTickCount();
    if (!saver.WaitEnd(10000)) return -1;
    return static_cast<long>(GetTickCount() - gone);
}

class Faults : public SaverShow {
  protected:
    void SetUp() override {
        SaverShow::SetUp();
        audio_ = WinePath(QV_SHOW_AUDIO);
        played_ = audio_ + "\\played.raw";
        cursorBefore_ = CursorShown();
        CreateDirectoryA(handoff::kWorkFolder, nullptr);
    }
    void TearDown() override {
        SetFileAttributesA(kIni, FILE_ATTRIBUTE_NORMAL);  // so the folder guard can put it back
        EXPECT_EQ(RendererWindowCount(), 0) << "a renderer is left running";
        EXPECT_EQ(ShowWindowOfSaver(), nullptr) << "a saver is left running";
        EXPECT_EQ(CursorShown(), cursorBefore_) << "the cursor is not as it was";
    }

    void UseMusic(const std::string& file) {
        WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmKind)->c_str(), " 2",
                                   kIni);
        WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmFile)->c_str(),
                                   file.c_str(), kIni);
    }

    // Nothing more reaches the sound device once the show is over.
    void ExpectSilenceAfterTheShow(const std::string& what) {
        WaitUntil([] { return false; }, 300);  // what was already queued may still drain
        long long atEnd = FileSize(played_);
        WaitUntil([] { return false; }, 1500);
        EXPECT_EQ(FileSize(played_), atEnd) << what << ": sound after the show";
    }

    bool Playing(int timeoutMs) {
        long long before = FileSize(played_);
        return WaitUntil([&] { return FileSize(played_) > before + 44100; }, timeoutMs);
    }

    std::string audio_, played_;
    bool cursorBefore_ = true;
};

TEST_F(Faults, RendererKilledMidShowEndsTheSaverAndTheMusic) {
    const std::string& exe =
        copies_.withRealRenderer.empty() ? copies_.withRenderer : copies_.withRealRenderer;
    for (const char* name : {"tone.WAV", "tone.mp3"}) {
        UseMusic(audio_ + "\\" + name);
        DeleteFileA(played_.c_str());
        auto saver = StartSaver(exe, "/s");
        ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 30000)) << name;
        ASSERT_TRUE(Playing(20000)) << name << ": no music during the show";
        const std::string ini = ReadFileBytes(kIni);

        long ms = KillRendererAndTimeTheSaver(*saver);
        std::printf("%s: saver ended %ld ms after the renderer was killed\n", name, ms);
        ASSERT_GE(ms, 0) << name << ": the saver outlived its killed renderer";
        EXPECT_LT(ms, 3000) << name << ": the saver watches every half second";
        ExpectSilenceAfterTheShow(name);
        EXPECT_EQ(ReadFileBytes(kIni), ini) << name;
    }
}

TEST_F(Faults, HungRendererKeepsTheShowUntilItIsEndedFromOutside) {
    UseMusic(audio_ + "\\tone.mp3");
    DeleteFileA(played_.c_str());
    auto saver = StartSaver(copies_.withRenderer, "/s");
    ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
    ASSERT_TRUE(Playing(20000)) << "no music during the show";
    const DWORD renderer = RendererPid();
    SetThreadsSuspended(renderer, true);

    // No time limit: the show and its music go on while the window is there.
    WaitUntil([] { return false; }, 3000);
    EXPECT_TRUE(saver->Running()) << "the saver gave up on a renderer that does not answer";
    EXPECT_TRUE(Playing(10000)) << "the music stopped with the hung renderer";

    // The host starting the saver meanwhile is turned away at once, and starts no renderer.
    DeleteFileA(report_.c_str());
    for (const char* args : {"/s", "/c"}) {
        auto second = StartSaver(copies_.withRenderer, args);
        EXPECT_TRUE(second->WaitEnd(10000)) << args << " did not end while a show runs";
    }
    EXPECT_FALSE(FileThere(report_)) << "a second renderer was started";

    long ms = KillRendererAndTimeTheSaver(*saver);
    std::printf("saver ended %ld ms after the hung renderer was ended\n", ms);
    ASSERT_GE(ms, 0) << "the saver outlived its renderer";
    EXPECT_LT(ms, 3000);
    ExpectSilenceAfterTheShow("hung renderer");
}

// True when the platform refuses to write a read-only file (Wine run as root does not).
bool ReadOnlyIsEnforced(const char* path) {
    HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return true;
    CloseHandle(h);
    return false;
}

// A value as the saver on this system reads it: through the profile functions on code page
// 932, from the file's own bytes on the others.
std::string StoredValue(const std::string& key) {
    if (GetACP() == 932) return IniValue(key.c_str());
    return FindIniValue(ReadFileBytes(kIni), handoff::kSettingsSection, key).value_or("");
}

// Run under every system code page (labelled codepage): the key names are code page 932 bytes
// on each.
TEST_F(Faults, SettingsFileOfGarbageOrReadOnlyStillGivesAShow) {
    const std::string kind = ToCodePage(kSettingsNamesCodePage, handoff::kKeyBgmKind).value();
    const std::string file = ToCodePage(kSettingsNamesCodePage, handoff::kKeyBgmFile).value();
    // Bytes no code page 932 text holds, a value longer than any buffer, broken sections.
    std::string garbage = "\x81\xff\r\n[Settings\n=\n[Settings]\n\x81=\x82\n";
    garbage += kind + "=\x81\x81\x81\xff\n";
    garbage += file + "=" + std::string(5000, '\x82') + "\n";
    garbage += std::string(3, '\0') + "Width=-99999999999999999999\n";
    const std::string keys[] = {kind, file, "\x81"};
    for (bool readOnly : {false, true}) {
        ASSERT_TRUE(WriteFileBytes(kIni, garbage));
        std::string before[3];
        for (int i = 0; i < 3; ++i) before[i] = StoredValue(keys[i]);
        if (readOnly) SetFileAttributesA(kIni, FILE_ATTRIBUTE_READONLY);
        auto saver = StartSaver(copies_.withRenderer, "/s");
        ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000)) << "read-only " << readOnly;
        EXPECT_FALSE(MessageBoxText(saver->Id()).has_value());
        EndShow(*saver);
        // Nothing the file held is lost: the values read the same after the show.
        for (int i = 0; i < 3; ++i) EXPECT_EQ(StoredValue(keys[i]), before[i]) << "read-only " << readOnly;
        if (readOnly && ReadOnlyIsEnforced(kIni)) {
            EXPECT_TRUE(ReadFileBytes(kIni) == garbage) << "a read-only settings file was changed";
        }
        SetFileAttributesA(kIni, FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(Faults, MusicThatCannotPlayLeavesASilentShow) {
    const std::string temp = audio_ + "\\fault_";
    struct Case {
        const char* what;
        std::string file;
        std::string bytes;  // empty: deleted after the settings were written
    } cases[] = {
        {"deleted before the show", temp + "gone.mp3", ""},
        {"an MP3 that is not one", temp + "text.mp3", std::string(4000, 'x')},
        {"a WAV that is not one", temp + "text.wav",
         std::string("RIFF\x10\0\0\0WAVEjunk", 16) + std::string(3000, '\x7f')},
        {"an empty WAV", temp + "empty.WAV", std::string()},
    };
    for (Case& c : cases) {
        WriteFileBytes(c.file, c.bytes);
        UseMusic(c.file);
        if (std::string(c.what) == "deleted before the show") DeleteFileA(c.file.c_str());
        DeleteFileA(played_.c_str());
        auto saver = StartSaver(copies_.withRenderer, "/s");
        ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000)) << c.what;
        WaitUntil([] { return false; }, 2500);  // a few repeat checks of the file music
        EXPECT_TRUE(saver->Running()) << c.what;
        EXPECT_FALSE(MessageBoxText(saver->Id()).has_value()) << c.what;
        EndShow(*saver);
        ExpectSilenceAfterTheShow(c.what);
        DeleteFileA(c.file.c_str());
    }
}

TEST_F(Faults, TwoShowStartsAFewMillisecondsApartGiveOneShow) {
    for (int round = 0; round < 3; ++round) {
        auto first = StartSaver(copies_.withRenderer, "/s");
        Sleep(5 * round);
        auto second = StartSaver(copies_.withRenderer, "/s");
        ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
        int most = 0;
        WaitUntil(
            [&] {
                most = std::max(most, RendererWindowCount());
                return false;
            },
            3000);
        EXPECT_EQ(most, 1) << "round " << round << ": more than one renderer";
        EXPECT_EQ(first->Running() + second->Running(), 1) << "round " << round << ": both savers stayed";

        // One Escape ends the whole show.
        PostMessageA(Renderer(), WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(first->WaitEnd(10000) && second->WaitEnd(10000)) << "round " << round;
        // Whatever is left (after a failure) must not leak into the next round.
        for (int n = 0; n < 4 && Renderer(); ++n) {
            PostMessageA(Renderer(), WM_KEYDOWN, VK_ESCAPE, 0);
            WaitUntil([] { return false; }, 500);
        }
        first->WaitEnd(5000);
        second->WaitEnd(5000);
    }
}

}  // namespace
}  // namespace qv::test

// The shipped saver under Wine on the test display: a show from start to end with a stand-in
// renderer, the instance guard, the missing renderer, other modes and bad input.
#include "saver_show_fixture.h"

#include "saver/framework/ansi_text.h"
#include "saver/framework/bitmap24.h"

namespace qv::test {
namespace {

TEST_F(SaverShow, ShowWritesEverythingBeforeTheRendererAndEndsWithIt) {
    PatternWindow pattern;
    DeleteFileA(kAlo1);
    WritePrivateProfileStringA(handoff::kSettingsSection, handoff::kKeyWidth, " 1", kIni);
    // Left by a show on two monitors; on one it must not be taken for this show's layout.
    const char* layout = handoff::kMonitorLayoutFile;
    WriteFileBytes(layout, "[Monitors]\r\nCount=2\r\n1=0 0 1024 768\r\n2=1024 0 800 600\r\n");
    auto saver = StartSaver(copies_.withRenderer, "/s");
    ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
    EXPECT_FALSE(FileThere(layout)) << "one monitor: no layout of several";

    // What the renderer found when it started.
    auto seen = ReadReport(report_);
    EXPECT_EQ(seen["width"], "1024");
    EXPECT_EQ(seen["height"], "768");
    EXPECT_EQ(seen["alo1"], "1024x768x24");
    EXPECT_EQ(seen["alo2"], "256x256x24");

    // The saver window exists for the instance guard, but is never shown.
    HWND main = ShowWindowOfSaver();
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main));

    // The photograph is the picture on the screen, with no trace of the show.
    std::string bytes = ReadFileBytes(kAlo1);
    auto image = DecodeBitmap24(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 1024);
    ASSERT_EQ(image->height, 768);
    int wrong = 0, magenta = 0;
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) {
            const uint8_t* p = &image->bgr[(static_cast<size_t>(y) * 1024 + x) * 3];
            COLORREF want = PatternAt(x, y);
            if (p[2] != GetRValue(want) || p[1] != GetGValue(want) || p[0] != GetBValue(want)) ++wrong;
            if (p[2] == 255 && p[1] == 0 && p[0] == 255) ++magenta;
        }
    EXPECT_LT(wrong, 1024 * 768 / 100) << "the capture is not the screen";
    EXPECT_EQ(magenta, 0) << "the capture shows the renderer";

    // The glow: grey, brightest in the middle, black at the corners.
    bytes = ReadFileBytes(kAlo2);
    auto glow = DecodeBitmap24(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ASSERT_TRUE(glow);
    ASSERT_EQ(glow->width, 256);
    auto at = [&](int x, int y) { return &glow->bgr[(static_cast<size_t>(y) * 256 + x) * 3]; };
    EXPECT_GT(at(128, 128)[1], 40);
    EXPECT_GT(at(128, 128)[1], at(128, 40)[1]);
    EXPECT_GT(at(128, 128)[1], at(40, 128)[1]);
    EXPECT_EQ(at(0, 0)[1], 0);
    EXPECT_EQ(at(255, 255)[1], 0);
    for (int i = 0; i < 256; i += 7) EXPECT_TRUE(at(i, i)[0] == at(i, i)[1] && at(i, i)[1] == at(i, i)[2]);

    EndShow(*saver);
    EXPECT_TRUE(FileThere(kAlo1)) << "the pictures stay after the show";
}

TEST_F(SaverShow, RealRendererRunsTheShowAndEscapeEndsBoth) {
    if (copies_.withRealRenderer.empty()) GTEST_SKIP() << "no renderer in this build";
    PatternWindow pattern;
    auto saver = StartSaver(copies_.withRealRenderer, "/s");
    ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 30000));
    WaitUntil([] { return false; }, 1500);  // let the scene run a little
    ASSERT_NE(Renderer(), nullptr) << "the renderer found no usable pictures";
    EndShow(*saver);
}

bool CursorShown() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return (info.flags & CURSOR_SHOWING) != 0;
}

TEST_F(SaverShow, OnlyTheLetterSHidesTheCursor) {
    // The stand-in renderer shares the saver's input, so the foreground cursor is the saver's.
    for (const char* args : {"/s", ""}) {
        auto saver = StartSaver(copies_.withRenderer, args);
        ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000)) << args;
        WaitUntil([] { return false; }, 500);
        EXPECT_EQ(CursorShown(), args[0] == '\0') << "show started with \"" << args << "\"";
        EndShow(*saver);
    }
}

TEST_F(SaverShow, SecondStartWhileAShowRunsEndsWithoutATrace) {
    auto first = StartSaver(copies_.withRenderer, "/s");
    ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
    std::string alo1 = ReadFileBytes(kAlo1), ini = ReadFileBytes(kIni);
    DeleteFileA(report_.c_str());

    for (const char* args : {"/s", "", "/c", "/p 1234"}) {
        auto second = StartSaver(copies_.withRenderer, args);
        EXPECT_TRUE(second->WaitEnd(10000)) << args;
        EXPECT_TRUE(WindowsOf(second->Id()).empty());
    }
    EXPECT_FALSE(FileThere(report_)) << "a second renderer was started";
    EXPECT_EQ(ReadFileBytes(kAlo1), alo1);
    EXPECT_EQ(ReadFileBytes(kIni), ini);
    EndShow(*first);
}

TEST_F(SaverShow, WithoutTheRendererShowsTheMessageAndEnds) {
    CreateDirectoryA(handoff::kWorkFolder, nullptr);
    for (const char* args : {"/s", "/c", ""}) {
        WritePrivateProfileStringA(handoff::kSettingsSection, handoff::kKeyWidth, " 7", kIni);
        auto saver = StartSaver(copies_.withoutRenderer, args);
        std::optional<std::wstring> text;
        ASSERT_TRUE(WaitUntil([&] { return (text = MessageBoxText(saver->Id())).has_value(); }, 20000))
            << args;
        EXPECT_EQ(*text, kMissingRenderer);
        CloseMessageBoxes(saver->Id());
        EXPECT_TRUE(saver->WaitEnd(10000)) << args;
        EXPECT_EQ(IniValue(handoff::kKeyWidth), "7") << "nothing written after the message";
        EXPECT_EQ(Renderer(), nullptr);
    }
}

TEST_F(SaverShow, OtherLettersEndWithoutAWindow) {
    DeleteFileA(report_.c_str());
    for (const char* args : {"/a", "/x 12", "/"}) {
        auto saver = StartSaver(copies_.withRenderer, args);
        EXPECT_TRUE(saver->WaitEnd(10000)) << args;
        EXPECT_FALSE(FileThere(report_)) << args;
    }
    EXPECT_TRUE(FileThere(handoff::kWorkFolder)) << "the working folder is made first";
}

TEST_F(SaverShow, BadSettingsValuesStillGiveAShow) {
    CreateDirectoryA(handoff::kWorkFolder, nullptr);
    std::string garbage(600, 'z');
    WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmKind)->c_str(),
                               "99999999999", kIni);
    WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmRepeat)->c_str(), "abc",
                               kIni);
    WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmFile)->c_str(),
                               garbage.c_str(), kIni);
    auto saver = StartSaver(copies_.withRenderer, "/s");
    ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
    EXPECT_FALSE(MessageBoxText(saver->Id()).has_value());
    EndShow(*saver);
    // The show reads the music keys but never writes them (that they give no music is checked
    // where the sound can be heard, saver_music_test.cpp).
    EXPECT_EQ(IniValue(ToAnsi(handoff::kKeyBgmKind)->c_str()), "99999999999");
    EXPECT_EQ(IniValue(ToAnsi(handoff::kKeyBgmRepeat)->c_str()), "abc");
}

// True when the platform refuses to delete a read-only file (Wine run as root may not).
bool ReadOnlyProtectsFromDeletion() {
    const std::string probe = std::string(handoff::kWorkFolder) + "\\qv_read_only_probe";
    WriteFileBytes(probe, "x");
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    const bool refused = !DeleteFileA(probe.c_str());
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(probe.c_str());
    return refused;
}

TEST_F(SaverShow, LockedOrReadOnlyPicturesDoNotStopTheShow) {
    CreateDirectoryA(handoff::kWorkFolder, nullptr);
    WriteFileBytes(kAlo1, "stale");
    WriteFileBytes(kAlo2, "stale");
    SetFileAttributesA(kAlo2, FILE_ATTRIBUTE_READONLY);
    HANDLE locked = CreateFileA(kAlo1, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    auto saver = StartSaver(copies_.withRenderer, "/s");
    ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
    CloseHandle(locked);
    EXPECT_TRUE(ReadFileBytes(kAlo1) == "stale") << "a locked picture cannot be replaced";
    // The saver leaves a read-only picture as it is: it gets neither past the attribute nor rid of it.
    EXPECT_NE(GetFileAttributesA(kAlo2) & FILE_ATTRIBUTE_READONLY, 0u);
    if (ReadOnlyProtectsFromDeletion()) {
        EXPECT_TRUE(ReadFileBytes(kAlo2) == "stale") << "a read-only picture was replaced";
    }
    EndShow(*saver);
    SetFileAttributesA(kAlo2, FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SaverShow, WorkingFolderThatIsAFileDoesNotStopTheShow) {
    // Move the real folder aside for the test, and put it back afterwards.
    const std::string aside = std::string(handoff::kWorkFolder) + ".qv::test";
    bool had = FileThere(handoff::kWorkFolder);
    if (had) {
        ASSERT_TRUE(MoveFileA(handoff::kWorkFolder, aside.c_str()));
    }
    WriteFileBytes(handoff::kWorkFolder, "not a folder");
    {
        auto saver = StartSaver(copies_.withRenderer, "/s");
        EXPECT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
        auto seen = ReadReport(report_);
        EXPECT_EQ(seen["alo1"], "missing");
        if (Renderer()) EndShow(*saver);
    }
    DeleteFileA(handoff::kWorkFolder);
    if (had) MoveFileA(aside.c_str(), handoff::kWorkFolder);
}

}  // namespace
}  // namespace qv::test

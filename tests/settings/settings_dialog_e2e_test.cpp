// The settings dialog end to end: a real dialog process on the display, driven with clicks
// and keys, checked on screen and in the settings file's bytes.
#include <gtest/gtest.h>

#include <string>

#include "dialog_driver.h"
#include "handoff/handoff.h"

using namespace qv::test;
namespace handoff = qv::handoff;

namespace {

// Rows of the three sources inside the panel, by music source.
constexpr int kRowTop[3] = {1080, 780, 1380};
const std::string kMusicDir = std::string(handoff::kWorkFolder) + "\\bgm_e2e";
const std::string kMusicSub = kMusicDir + "\\曲";
const std::string kFileA = kMusicSub + "\\a.mp3";
const std::string kFileB = kMusicSub + "\\b.mp3";

class SettingsDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryW(W(handoff::kWorkFolder).c_str(), nullptr);
        hadIni_ = Utf8FileThere(IniPath());
        savedIni_ = ReadUtf8File(IniPath());
        CreateDirectoryW(W(kMusicDir).c_str(), nullptr);
        CreateDirectoryW(W(kMusicSub).c_str(), nullptr);
        WriteUtf8File(kFileA, "ID3");
        WriteUtf8File(kFileB, "ID3");
    }
    void TearDown() override {
        if (hadIni_)
            WriteUtf8File(IniPath(), savedIni_);
        else
            DeleteFileW(W(IniPath()).c_str());
        DeleteFileW(W(kFileA).c_str());
        DeleteFileW(W(kFileB).c_str());
        RemoveDirectoryW(W(kMusicSub).c_str());
        RemoveDirectoryW(W(kMusicDir).c_str());
    }

    static std::wstring Command() { return W(QV_SETTINGS_COMMAND); }

    static bool MarkSelected(const DialogProcess& d, int kind) {
        COLORREF c = d.PixelAt(420 + 97, kRowTop[kind] + 97, true);
        return GetRValue(c) < 100 && GetGValue(c) > GetRValue(c);  // the green dot
    }
    static void ExpectOnlyMark(const DialogProcess& d, int kind) {
        for (int k = 0; k < 3; ++k) EXPECT_EQ(MarkSelected(d, k), k == kind) << "mark " << k;
    }
    static void ClickSource(const DialogProcess& d, int kind, bool onText) {
        if (onText)
            d.ClickAt(660 + 150, kRowTop[kind] + 90, true);
        else
            d.ClickAt(420 + 97, kRowTop[kind] + 97, true);
    }
    static HWND FileButton(const DialogProcess& d) { return d.ChildAt(360 + 337, 1680 + 187, true); }
    static void ClickFileButton(const DialogProcess& d) { d.ClickAt(360 + 337, 1680 + 187, true); }
    static void ClickApply(const DialogProcess& d) { d.ClickAt(2100 + 787, 2880 + 247, false); }
    static void ClickCancel(const DialogProcess& d) { d.ClickAt(3780 + 757, 2880 + 247, false); }
    static int FileNameInk(const DialogProcess& d) { return d.DarkestIn(1080, 1680, 5595, 495, true); }

    static std::wstring ComboText(const DialogProcess& d) {
        // Another process's window answers WM_GETTEXT only when asked by message.
        wchar_t buf[64] = {};
        SendMessageW(d.Combo(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(buf));
        return buf;
    }
    static void TypeRepeat(const DialogProcess& d, const std::wstring& text) {
        d.ClickAt(1440 + 150, 720 + 150, true);
        HWND edit = FindWindowExW(d.Combo(), nullptr, L"Edit", nullptr);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        d.TypeText(text);
    }

    bool hadIni_ = false;
    std::string savedIni_;
};

TEST_F(SettingsDialog, OpensCentredAThirdDownShowingTheCdSettings) {
    WriteMusicIni("1", "5", "");
    std::string before = ReadUtf8File(IniPath());
    DialogProcess d;
    ASSERT_TRUE(d.Start(Command()));

    RECT r;
    GetWindowRect(d.Window(), &r);
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    const int freeW = screenW - (r.right - r.left), freeH = screenH - (r.bottom - r.top);
    EXPECT_NEAR(r.left, freeW / 2, 1);
    EXPECT_NEAR(r.top, freeH / 3, 1);

    HWND combo = d.Combo();
    EXPECT_TRUE(IsWindowEnabled(combo));
    EXPECT_EQ(ComboText(d), L"5");
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 31);
    EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 0, 0), 0);  // the whole-disc entry
    EXPECT_FALSE(IsWindowEnabled(FileButton(d)));
    ExpectOnlyMark(d, 1);

    // The banner runs: over a little more than one 4.9 s cycle each box changes.
    int changes[2] = {0, 0};
    unsigned last[2] = {0, 0};
    for (int sample = 0; sample < 24; ++sample) {
        for (int box = 0; box < 2; ++box) {
            unsigned h = d.RegionHash(box == 0 ? 180 : 5400, 2880, 1845, 780, false);
            if (sample > 0 && h != last[box]) ++changes[box];
            last[box] = h;
        }
        Sleep(250);
    }
    EXPECT_GT(changes[0], 3);
    EXPECT_GT(changes[1], 3);

    d.CloseBox();
    EXPECT_TRUE(d.WaitExit(10000));
    EXPECT_EQ(ReadUtf8File(IniPath()), before);  // the close box writes nothing
}

TEST_F(SettingsDialog, EachSourceEnablesOnlyItsOwnControlsAndCancelWritesNothing) {
    WriteMusicIni("0", "0", "");
    std::string before = ReadUtf8File(IniPath());
    DialogProcess d;
    ASSERT_TRUE(d.Start(Command()));
    EXPECT_EQ(ComboText(d), L"");
    ExpectOnlyMark(d, 0);

    ClickSource(d, 2, /*onText=*/true);
    EXPECT_TRUE(IsWindowEnabled(FileButton(d)));
    EXPECT_FALSE(IsWindowEnabled(d.Combo()));
    ExpectOnlyMark(d, 2);

    ClickSource(d, 1, /*onText=*/false);
    EXPECT_FALSE(IsWindowEnabled(FileButton(d)));
    EXPECT_TRUE(IsWindowEnabled(d.Combo()));
    ExpectOnlyMark(d, 1);

    ClickSource(d, 0, /*onText=*/false);
    EXPECT_FALSE(IsWindowEnabled(FileButton(d)));
    EXPECT_FALSE(IsWindowEnabled(d.Combo()));
    ExpectOnlyMark(d, 0);

    // The sources' marks and texts and the banner show the dialog's own pointer.
    const HCURSOR plain = d.CursorOver(3000, 1500, true);
    const HCURSOR hand = d.CursorOver(660 + 150, kRowTop[2] + 90, true);
    EXPECT_NE(hand, plain);
    EXPECT_EQ(d.CursorOver(420 + 97, kRowTop[0] + 97, true), hand);
    EXPECT_EQ(d.CursorOver(180 + 900, 2880 + 390, false), hand);
    EXPECT_EQ(d.CursorOver(3000, 1500, true), plain);

    ClickSource(d, 2, /*onText=*/false);
    ClickCancel(d);
    EXPECT_TRUE(d.WaitExit(10000));
    EXPECT_EQ(ReadUtf8File(IniPath()), before);
}

TEST_F(SettingsDialog, ChosenFileIsShownAndApplyWritesCdTrackThreeAndThePath) {
    WriteMusicIni("0", "0", "");
    {
        DialogProcess d;
        ASSERT_TRUE(d.Start(Command()));
        ClickSource(d, 2, true);
        const int inkBefore = FileNameInk(d);

        ClickFileButton(d);
        HWND chooser = WaitForChooser(10000);
        ASSERT_TRUE(chooser);
        ChooserOpen(chooser, W(kFileA));
        ASSERT_TRUE(WaitGone(chooser, 10000));
        int ink = inkBefore;
        for (int i = 0; i < 50 && ink > inkBefore - 200; ++i, Sleep(100)) ink = FileNameInk(d);
        EXPECT_LT(ink, inkBefore - 200) << "the chosen path is drawn";

        // A bare name in the next chooser lands in the first file's folder.
        ClickFileButton(d);
        chooser = WaitForChooser(10000);
        ASSERT_TRUE(chooser);
        ChooserOpen(chooser, L"b.mp3");
        ASSERT_TRUE(WaitGone(chooser, 10000));

        ClickSource(d, 1, true);
        TypeRepeat(d, L"3");
        ClickApply(d);
        DWORD code = 1;
        ASSERT_TRUE(d.WaitExit(10000, &code));
        EXPECT_EQ(code, 0u);
    }
    EXPECT_EQ(RawIniValue(handoff::kKeyBgmKind), StoredForm(" 1"));
    EXPECT_EQ(RawIniValue(handoff::kKeyBgmRepeat), StoredForm(" 3"));
    EXPECT_EQ(RawIniValue(handoff::kKeyBgmFile), kFileB);

    // The next start reads them back.
    DialogProcess again;
    ASSERT_TRUE(again.Start(Command()));
    EXPECT_EQ(ComboText(again), L"3");
    EXPECT_TRUE(IsWindowEnabled(again.Combo()));
    ExpectOnlyMark(again, 1);
    EXPECT_LT(FileNameInk(again), 300);
    ClickCancel(again);
    EXPECT_TRUE(again.WaitExit(10000));
}

TEST_F(SettingsDialog, RepeatTextThatIsNoTrackSavesZeroAndTheProgramEndsNormally) {
    for (const wchar_t* text : {L"abc", L"70000", L"-40000"}) {
        WriteMusicIni("1", "5", "");
        DialogProcess d;
        ASSERT_TRUE(d.Start(Command()));
        TypeRepeat(d, text);
        EXPECT_EQ(ComboText(d), text);
        ClickApply(d);
        DWORD code = 1;
        ASSERT_TRUE(d.WaitExit(10000, &code));
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(RawIniValue(handoff::kKeyBgmKind), StoredForm(" 1"));
        EXPECT_EQ(RawIniValue(handoff::kKeyBgmRepeat), StoredForm(" 0"));
    }
}

TEST_F(SettingsDialog, PathTooLongForTheChooserChangesNothing) {
    WriteMusicIni("2", "0", kFileA);
    DialogProcess d;
    ASSERT_TRUE(d.Start(Command()));
    EXPECT_TRUE(IsWindowEnabled(FileButton(d)));

    // 258 bytes in the ANSI code page: too long for the chooser's 255-byte buffer, still
    // within the platform's path limit.
    std::wstring longPath = W(kMusicSub) + L"\\" + std::wstring(228, L'x') + L".mp3";
    ASSERT_EQ(ToCp932(kMusicSub).size() + 1 + 228 + 4, 258u);
    ClickFileButton(d);
    HWND chooser = WaitForChooser(10000);
    ASSERT_TRUE(chooser);
    ChooserOpen(chooser, longPath);
    if (!WaitGone(chooser, 3000)) ChooserCancel(chooser);  // a chooser may say so and stay
    ASSERT_TRUE(WaitGone(chooser, 10000));

    ClickApply(d);
    ASSERT_TRUE(d.WaitExit(10000));
    EXPECT_EQ(RawIniValue(handoff::kKeyBgmKind), StoredForm(" 2"));
    EXPECT_EQ(RawIniValue(handoff::kKeyBgmFile), kFileA);
}

#ifdef QV_SAVER_PATH
// While the dialog is open, another start of the saver, for settings or for a show, ends at
// once and leaves no window of its own.
TEST_F(SettingsDialog, SecondStartWhileTheDialogIsOpenEndsAtOnce) {
    WriteMusicIni("0", "0", "");
    std::string before = ReadUtf8File(IniPath());
    DialogProcess d;
    ASSERT_TRUE(d.Start(Command()));
    for (const char* args : {" /c", " /s"}) {
        std::wstring cmd = W(std::string(QV_SAVER_PATH) + args);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(
            CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        const bool ended = WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0;
        if (!ended) TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        EXPECT_TRUE(ended) << args;
        EXPECT_EQ(FindWindowW(nullptr, W(handoff::kShowWindowTitle).c_str()), nullptr) << args;
    }
    EXPECT_TRUE(d.Running());  // the open dialog is not disturbed
    EXPECT_EQ(ReadUtf8File(IniPath()), before);
    d.CloseBox();
    EXPECT_TRUE(d.WaitExit(10000));
}
#endif

}  // namespace

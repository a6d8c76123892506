// The saver and its settings dialog on whatever system code page Wine runs with (tools/test
// runs these once per locale): a settings file as a Japanese system writes it is read, what
// the dialog saves is read back by the next show and dialog, no key gains a second spelling,
// and music whose path holds characters of the system's code page plays. Sound is recorded
// through the device named by ALSA_CONFIG_PATH.
#include "saver_show_fixture.h"

#include "dialog_driver.h"
#include "saver/settings_file/ini_bytes.h"

namespace qv::test {
namespace {

// The music keys (handoff::kKeyBgm...) as code page 932 bytes, the way every settings file
// holds them.
const std::string kKind = "BGM\x8B\xE6\x95\xAA";
const std::string kRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string kFile = "BGM\xCC\xA7\xB2\xD9";
const std::string kMusicFolder = std::string(handoff::kWorkFolder) + "\\codepage_e2e";
constexpr int kRowTop[3] = {1080, 780, 1380};

// A name with a character of the system's own code page beyond ASCII.
std::string LocalName() {
    switch (GetACP()) {
        case 932:
            return "曲";
        case 936:
            return "乐曲";
        case 949:
            return "음악";
        case 65001:
            return "曲";
        default:
            return "Zoë";
    }
}

std::string JapaneseSystemsFile(const std::string& kind, const std::string& file) {
    return "[" + std::string(handoff::kSettingsSection) + "]\r\n" + handoff::kKeyWidth + "=1024\r\n" +
           handoff::kKeyHeight + "=768\r\n" + kKind + "=" + kind + "\r\n" + kRepeat + "= 0\r\n" + kFile +
           "=" + file + "\r\n";
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class CodePage : public SaverShow {
  protected:
    void SetUp() override {
        SaverShow::SetUp();
        std::printf("system code page %u\n", GetACP());
        CreateDirectoryW(Widen(handoff::kWorkFolder).c_str(), nullptr);
        CreateDirectoryW(Widen(kMusicFolder).c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::string& f : made_) DeleteFileW(Widen(f).c_str());
        RemoveDirectoryW(Widen(kMusicFolder).c_str());
    }

    // A copy of the test tone under `name` in the music folder (UTF-8 path).
    std::string Tone(const std::string& source, const std::string& name) {
        std::string path = kMusicFolder + "\\" + name;
        EXPECT_TRUE(
            CopyFileW(Widen(WinePath(QV_SHOW_AUDIO) + "\\" + source).c_str(), Widen(path).c_str(), FALSE));
        made_.push_back(path);
        return path;
    }

    // A show with the settings as they are: the music reaches the sound device and repeats.
    void ExpectMusicDuringShow(const std::string& what) {
        const std::string played = WinePath(QV_SHOW_AUDIO) + "\\played.raw";
        DeleteFileA(played.c_str());
        std::unique_ptr<Process> saver = StartSaver(copies_.withRenderer, "/s");
        ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000)) << what;
        // Past a watch tick with the window up: the saver keeps the show while its renderer
        // starts, so one that has ended by now ended early, and that is a fault, never retried.
        WaitUntil([] { return false; }, 700);
        if (!saver->Running()) {
            PostMessageA(Renderer(), WM_KEYDOWN, VK_ESCAPE, 0);  // leave no renderer to the next test
            WaitUntil([] { return Renderer() == nullptr; }, 10000);
            FAIL() << what << ": the saver ended while its renderer was starting or running";
        }
        EXPECT_TRUE(WaitUntil([&] { return FileSize(played) > 44100 * 4 * 2; }, 20000))
            << what << " played too little";
        EXPECT_NE(ReadFileBytes(played).find_first_not_of('\0'), std::string::npos)
            << what << " played only silence";
        EndShow(*saver);
    }

    static bool MarkSelected(const qv::test::DialogProcess& d, int kind) {
        COLORREF c = d.PixelAt(420 + 97, kRowTop[kind] + 97, true);
        return GetRValue(c) < 100 && GetGValue(c) > GetRValue(c);  // the green dot
    }
    // The dialog shows the music file source chosen and a file name.
    void ExpectDialogShowsAFile() {
        qv::test::DialogProcess d;
        ASSERT_TRUE(d.Start(Widen(copies_.withRenderer + " /c")));
        for (int k = 0; k < 3; ++k) EXPECT_EQ(MarkSelected(d, k), k == 2) << "mark " << k;
        EXPECT_LT(d.DarkestIn(1080, 1680, 5595, 495, true), 300) << "the file's name is drawn";
        d.CloseBox();
        EXPECT_TRUE(d.WaitExit(10000));
    }
    static void ChooseInDialog(const qv::test::DialogProcess& d, const std::string& path) {
        d.ClickAt(360 + 337, 1680 + 187, true);  // "..."
        HWND chooser = qv::test::WaitForChooser(10000);
        ASSERT_TRUE(chooser);
        qv::test::ChooserOpen(chooser, Widen(path));
        ASSERT_TRUE(qv::test::WaitGone(chooser, 10000));
    }
    static void ExpectOneSpellingOfEachKey(const std::string& bytes) {
        for (const std::string& key :
             {kKind, kRepeat, kFile, std::string(handoff::kKeyWidth), std::string(handoff::kKeyHeight)})
            EXPECT_EQ(Count(bytes, "\n" + key + "="), 1u) << key << " in\n" << bytes;
        EXPECT_EQ(Count(bytes, "="), 5u) << bytes;
    }

    std::vector<std::string> made_;
};

TEST_F(CodePage, AFileAJapaneseSystemWroteIsShownAndPlayed) {
    const std::string mp3 = Tone("tone.mp3", "tone.MP3");
    WriteFileBytes(kIni, JapaneseSystemsFile(" 2", mp3));
    ExpectDialogShowsAFile();
    ExpectMusicDuringShow("the Japanese system's MP3");
    const std::string bytes = ReadFileBytes(kIni);
    ExpectOneSpellingOfEachKey(bytes);
    EXPECT_EQ(FindIniValue(bytes, handoff::kSettingsSection, kFile), mp3);
}

TEST_F(CodePage, WhatTheDialogSavesIsReadBackAndPlays) {
    const std::string mp3 = Tone("tone.mp3", LocalName() + ".mp3");
    const std::optional<std::string> stored = ToAnsi(mp3);
    ASSERT_TRUE(stored);
    WriteFileBytes(kIni, JapaneseSystemsFile(" 0", ""));
    {
        qv::test::DialogProcess d;
        ASSERT_TRUE(d.Start(Widen(copies_.withRenderer + " /c")));
        d.ClickAt(660 + 150, kRowTop[2] + 90, true);  // "MP3、WAV"
        ChooseInDialog(d, mp3);
        d.ClickAt(2100 + 787, 2880 + 247, false);  // "設定"
        DWORD code = 1;
        ASSERT_TRUE(d.WaitExit(10000, &code));
        EXPECT_EQ(code, 0u);
    }
    const std::string bytes = ReadFileBytes(kIni);
    ExpectOneSpellingOfEachKey(bytes);
    EXPECT_EQ(FindIniValue(bytes, handoff::kSettingsSection, kKind), "2");
    EXPECT_EQ(FindIniValue(bytes, handoff::kSettingsSection, kFile), *stored)
        << "the path in the system's own code page";

    ExpectDialogShowsAFile();
    ExpectMusicDuringShow(mp3);
    ExpectOneSpellingOfEachKey(ReadFileBytes(kIni));
}

TEST_F(CodePage, ANameTheSystemCannotCarryIsRefusedWithAMessage) {
    const std::string wav = Tone("tone.wav", "tone.WAV");
    const std::string thai = Tone("tone.mp3", "เพลง.mp3");  // only UTF-8 of the code pages tested
    if (ToAnsi(thai)) GTEST_SKIP() << "this system code page carries every name";
    WriteFileBytes(kIni, JapaneseSystemsFile(" 2", wav));
    qv::test::DialogProcess d;
    ASSERT_TRUE(d.Start(Widen(copies_.withRenderer + " /c")));
    DWORD pid = 0;
    GetWindowThreadProcessId(d.Window(), &pid);
    ChooseInDialog(d, thai);
    std::optional<std::wstring> message;
    ASSERT_TRUE(WaitUntil([&] { return (message = MessageBoxText(pid)).has_value(); }, 10000))
        << "no message";
    EXPECT_NE(message->find(L"表せない文字"), std::wstring::npos);
    CloseMessageBoxes(pid);
    ASSERT_TRUE(WaitUntil([&] { return !MessageBoxText(pid); }, 10000));
    d.ClickAt(2100 + 787, 2880 + 247, false);  // "設定"
    ASSERT_TRUE(d.WaitExit(10000));
    const std::string bytes = ReadFileBytes(kIni);
    EXPECT_EQ(FindIniValue(bytes, handoff::kSettingsSection, kFile), wav) << "the previous choice stays";
    ExpectOneSpellingOfEachKey(bytes);
}

}  // namespace
}  // namespace qv::test

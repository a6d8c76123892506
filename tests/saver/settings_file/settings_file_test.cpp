// The settings file helpers against the real private-profile functions (under Wine).
#include "saver/settings_file/settings_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "file_bytes.h"
#include "handoff_files.h"
#include "saver/framework/ansi_text.h"
#include "saver/music/quorvale_bgm.h"
#include "saver/settings_file/ini_file.h"

namespace qv {
namespace {

std::string TempFolder() {
    char buf[MAX_PATH];
    GetTempPathA(MAX_PATH, buf);
    std::string folder = std::string(buf) + "qv_settings_test";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string ThisProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = FromAnsi(path);
    return p.substr(0, p.rfind('\\'));
}

using test::ReadFileBytes;
using test::WriteFileBytes;

// A character of the system's own code page beyond ASCII, and a name that only UTF-8 holds of
// the code pages tested.
std::string LocalCharacter() {
    switch (GetACP()) {
        case 932:
            return "曲";
        case 936:
            return "乐";
        case 949:
            return "음";
        case 65001:
            return "曲";
        default:
            return "é";
    }
}
const char kNowhereName[] = "C:\\เพลง.mp3";

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = TempFolder();
        file_ = folder_ + "\\q.ini";
        DeleteFileA(file_.c_str());
    }
    void TearDown() override { DeleteFileA(file_.c_str()); }
    std::string folder_, file_;
};

TEST_F(SettingsFile, WrittenValuesReadBackAndMissingOnesAreEmpty) {
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, handoff::kKeyWidth, file_), "");  // no file
    PutIniValue(handoff::kSettingsSection, handoff::kKeyWidth, " 1024", file_);
    PutIniValue(handoff::kSettingsSection, handoff::kKeyHeight, " 768", file_);
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, handoff::kKeyHeight, file_),
              "768");  // the platform trims the blank
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, handoff::kKeyWidth, file_), "1024");
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, "Depth", file_), "");
    EXPECT_EQ(GetIniValue("Other", handoff::kKeyWidth, file_), "");
    PutIniValue(handoff::kSettingsSection, handoff::kKeyWidth, " 800", file_);  // replaced in place
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, handoff::kKeyWidth, file_), "800");
    std::string text = ReadFileBytes(file_);
    EXPECT_EQ(text.find("1024"), std::string::npos);
    EXPECT_NE(text.find("[Settings]"), std::string::npos);
}

TEST_F(SettingsFile, KeysAreCodePage932BytesAndValuesTheSystemsOwn) {
    const std::string path = "C:\\" + LocalCharacter() + "\\a.mp3";
    ASSERT_TRUE(PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmKind, " 2", file_));
    ASSERT_TRUE(PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmRepeat, " 0", file_));
    ASSERT_TRUE(PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmFile, path, file_));
    ASSERT_TRUE(PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmKind, " 1", file_));
    std::string bytes = ReadFileBytes(file_);
    // The kind key in code page 932 is 42 47 4D 8B E6 95 AA; the repeat and file keys end in
    // single-byte katakana.
    EXPECT_NE(bytes.find("\nBGM\x8B\xE6\x95\xAA=1\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\nBGM\xD8\xCB\xDF\xB0\xC4=0\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\nBGM\xCC\xA7\xB2\xD9=" + *ToAnsi(path) + "\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("BGM\x8B\xE6\x95\xAA", bytes.find("BGM\x8B\xE6\x95\xAA") + 1), std::string::npos)
        << "one spelling of each key, once";
    EXPECT_EQ(bytes.size(), test::SectionLine(handoff::kSettingsSection).size() +
                                std::string("BGM\x8B\xE6\x95\xAA=1\r\nBGM\xD8\xCB\xDF\xB0\xC4=0\r\n"
                                            "BGM\xCC\xA7\xB2\xD9=\r\n")
                                    .size() +
                                ToAnsi(path)->size());
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, handoff::kKeyBgmFile, file_), path);
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, handoff::kKeyBgmKind, file_), "1");
}

TEST_F(SettingsFile, AFileAsAJapaneseSystemWritesItIsReadAndKeptInPlace) {
    const std::string japanese = "[Other]\r\nBGM\x8B\xE6\x95\xAA=9\r\n" +
                                 test::SectionLine(handoff::kSettingsSection) + handoff::kKeyWidth +
                                 "=1024\r\nBGM\x8B\xE6\x95\xAA= 2\r\nBGM\xD8\xCB\xDF\xB0\xC4= "
                                 "3\r\nBGM\xCC\xA7\xB2\xD9=C:\\Music\\a.mp3\r\n";
    WriteFileBytes(file_, japanese);
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, handoff::kKeyBgmKind, file_), "2");
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, handoff::kKeyBgmRepeat, file_), "3");
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, handoff::kKeyBgmFile, file_), "C:\\Music\\a.mp3");
    ASSERT_TRUE(PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmRepeat, " 3", file_));
    ASSERT_TRUE(PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmKind, " 1", file_));
    ASSERT_TRUE(PutIniValue(handoff::kSettingsSection, handoff::kKeyWidth, " 1024", file_));
    std::string expected = japanese;
    expected.replace(expected.find("\x95\xAA= 2"), 5, "\x95\xAA=1");
    expected.replace(expected.find("\xC4= 3"), 4, "\xC4=3");
    EXPECT_EQ(ReadFileBytes(file_), expected);
}

TEST_F(SettingsFile, TextThatCannotBeStoredIsNotWritten) {
    if (!ToAnsi(kNowhereName)) {
        EXPECT_FALSE(PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmFile, kNowhereName, file_));
    }
    EXPECT_FALSE(
        PutIniValue(handoff::kSettingsSection, "café", " 1", file_));  // a key name outside code page 932
    EXPECT_EQ(GetFileAttributesA(file_.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, "café", file_), "");
}

// The file is replaced through one beside it (file_replacement.h), which takes its attributes
// and is gone afterwards.
TEST_F(SettingsFile, TheOwnWriterKeepsTheAttributesAndLeavesAReadOnlyOrLockedFileAsItWas) {
    ASSERT_TRUE(WriteIniFileValue(handoff::kSettingsSection, handoff::kKeyWidth, " 1", file_));
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesA(file_.c_str(), kept));
    ASSERT_TRUE(WriteIniFileValue(handoff::kSettingsSection, handoff::kKeyHeight, " 2", file_));
    EXPECT_EQ(GetFileAttributesA(file_.c_str()), kept);
    EXPECT_EQ(ReadFileBytes(file_), "[Settings]\r\nWidth=1\r\nHeight=2\r\n");
    EXPECT_EQ(GetFileAttributesA((file_ + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_NORMAL);

    const std::string before = ReadFileBytes(file_);
    SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(WriteIniFileValue(handoff::kSettingsSection, handoff::kKeyWidth, " 2", file_));
    SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE locked =
        CreateFileA(file_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteIniFileValue(handoff::kSettingsSection, handoff::kKeyWidth, " 3", file_));
    EXPECT_EQ(ReadIniFileValue(handoff::kSettingsSection, handoff::kKeyWidth, file_), "");
    CloseHandle(locked);
    EXPECT_EQ(ReadFileBytes(file_), before);
}

// Where the profile functions serve (code page 932), the file's own writer must write exactly
// what they write, so that a file looks the same whichever wrote it.
TEST_F(SettingsFile, TheOwnWriterWritesWhatTheProfileFunctionsWriteOn932) {
    if (GetACP() != 932) GTEST_SKIP() << "the profile functions carry the names only on code page 932";
    const std::string platform = folder_ + "\\platform.ini";
    const std::string starts[] = {"", "[Other]\r\nx=1\r\n", "[Settings]\r\nWidth=640\r\n[Other]\r\nx=1\r\n",
                                  "[settings]\r\nbgm\x8B\xE6\x95\xAA=0\r\nHeight=480"};
    const std::pair<const char*, std::string> writes[] = {
        {handoff::kKeyWidth, " 1024"},
        {handoff::kKeyHeight, " 768"},
        {handoff::kKeyBgmKind, " 2"},
        {handoff::kKeyBgmRepeat, " 0"},
        {handoff::kKeyBgmFile, "C:\\音楽\\曲.mp3"},
        {handoff::kKeyWidth, " 800"},
        {handoff::kKeyBgmKind, " 2"},
        {handoff::kKeyBgmFile, ""},
        {handoff::kKeyBgmRepeat, "-5"},
        {handoff::kKeyBgmFile, "C:\\My Music\\\"quoted\".wav"},
        {handoff::kKeyBgmFile, "\"C:\\a b.mp3\""}};
    for (const std::string& start : starts) {
        WriteFileBytes(platform, start);
        WriteFileBytes(file_, start);
        for (const auto& [key, value] : writes) {
            const auto k = ToAnsi(key), v = ToAnsi(value);
            WritePrivateProfileStringA(handoff::kSettingsSection, k->c_str(), v->c_str(), platform.c_str());
            ASSERT_TRUE(WriteIniFileValue(handoff::kSettingsSection, key, value, file_));
            ASSERT_EQ(ReadFileBytes(file_), ReadFileBytes(platform)) << "after " << key << "=" << value;
            EXPECT_EQ(ReadIniFileValue(handoff::kSettingsSection, key, file_),
                      GetIniValue(handoff::kSettingsSection, key, platform))
                << key;
        }
    }
    DeleteFileA(platform.c_str());
}

// A file edited by hand gives the same settings on every system code page, whether the
// profile functions (932) or the file's own reader and writer serve: CR line ends, blanks
// inside the brackets, a key without "=" before the real one, a NUL ending a value.
TEST_F(SettingsFile, AHandEditedFileGivesTheSameSettingsOnEveryCodePage) {
    using namespace std::string_literals;
    struct Case {
        std::string file, width, height;
    };
    const Case cases[] = {
        {"[Settings]\rWidth=640\rHeight=480\r", "640", "480"},
        {"[Settings]\r\nWidth=640\rHeight=480\r\n", "640", "480"},
        {"[ Settings ]\r\nWidth=640\r\n[\tOther\t]\r\nHeight=480\r\n", "640", ""},
        {"[Settings]\r\nWidth\r\nWidth=640\r\nHeight=480\0 1\r\n"s, "", "480"},
    };
    for (const Case& c : cases) {
        WriteFileBytes(file_, c.file);
        EXPECT_EQ(GetIniValue("Settings", "Width", file_), c.width) << c.file;
        EXPECT_EQ(GetIniValue("Settings", "Height", file_), c.height) << c.file;
        ASSERT_TRUE(PutIniValue("Settings", "Width", " 800", file_));
        EXPECT_EQ(GetIniValue("Settings", "Width", file_), "800") << c.file;
        EXPECT_EQ(GetIniValue("Settings", "Height", file_), c.height) << c.file;
        const std::string after = ReadFileBytes(file_);
        EXPECT_EQ(after.find("Settings", after.find("Settings") + 1), std::string::npos) << "one section\n"
                                                                                         << after;
    }
}

TEST_F(SettingsFile, LongValuesAreCutToWholeCharacters) {
    std::string value = "a";  // cut after 255 bytes: 1 + 127 * 2 where the character takes two
    for (int i = 0; i < 300; ++i) value += LocalCharacter();
    ASSERT_TRUE(PutIniValue(handoff::kSettingsSection, "Long", value, file_));
    std::string back = GetIniValue(handoff::kSettingsSection, "Long", file_);
    EXPECT_LE(ToAnsi(back)->size(), 255u);
    EXPECT_GE(ToAnsi(back)->size(), 253u);  // 1 + 84 * 3 in UTF-8
    EXPECT_EQ(back.find("\xEF\xBF\xBD"), std::string::npos) << "no broken character";
    EXPECT_EQ(value.compare(0, back.size(), back), 0);
}

TEST_F(SettingsFile, LongNamesAreCutTo128Characters) {
    std::string key(200, 'k');
    ASSERT_TRUE(PutIniValue(handoff::kSettingsSection, key, "v", file_));
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, std::string(128, 'k'), file_), "v");
}

TEST_F(SettingsFile, WritesToAFolderThatIsMissingFailQuietly) {
    std::string missing = folder_ + "\\no\\such\\folder\\q.ini";
    PutIniValue(handoff::kSettingsSection, handoff::kKeyWidth, " 1", missing);
    EXPECT_EQ(GetIniValue(handoff::kSettingsSection, handoff::kKeyWidth, missing), "");
}

TEST_F(SettingsFile, FileExistsOpensForReading) {
    EXPECT_FALSE(FileExists(file_));
    WriteFileBytes(file_, "x");
    EXPECT_TRUE(FileExists(file_));
    EXPECT_TRUE(FileExists(file_ + "\\"));  // one trailing "\" is dropped
    EXPECT_FALSE(FileExists(file_ + "\\\\"));
    EXPECT_FALSE(FileExists(folder_));  // a folder is no file
    EXPECT_FALSE(FileExists(folder_ + "\\"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(kNowhereName));
    SetLastError(5);
    FileExists(folder_ + "\\missing.mp3");
    EXPECT_EQ(GetLastError(), 0u);

    // A file opened without sharing cannot be read, so it counts as missing.
    HANDLE locked =
        CreateFileA(file_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FileExists(file_));
    CloseHandle(locked);
}

// LoadMusicSettings reads the one real settings file; it is saved and put back.
class LoadMusicSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryA(handoff::kWorkFolder, nullptr);
        had_ = GetFileAttributesA(handoff::kSettingsFile) != INVALID_FILE_ATTRIBUTES;
        if (had_) saved_ = ReadFileBytes(handoff::kSettingsFile);
        DeleteFileA(handoff::kSettingsFile);
        BgmKind = BgmRepeat = 0;
        BgmFile.clear();
        BgmFolder.clear();
        music_ = TempFolder() + "\\" + LocalCharacter() + ".wav";
        WriteFileBytes(*ToAnsi(music_), "RIFF");
    }
    void TearDown() override {
        DeleteFileA(handoff::kSettingsFile);
        if (had_) WriteFileBytes(handoff::kSettingsFile, saved_);
        DeleteFileA(ToAnsi(music_)->c_str());
    }
    bool had_ = false;
    std::string saved_, music_;
};

TEST_F(LoadMusicSettingsTest, NoFileGivesDefaults) {
    LoadMusicSettings();
    EXPECT_EQ(BgmKind, 0);
    EXPECT_EQ(BgmRepeat, 0);
    EXPECT_EQ(BgmFile, "");
    EXPECT_EQ(BgmFolder, ThisProgramFolder());
}

TEST_F(LoadMusicSettingsTest, StoredMusicFileIsRead) {
    PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmKind, " 2", handoff::kSettingsFile);
    PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmRepeat, " 3", handoff::kSettingsFile);
    PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmFile, music_, handoff::kSettingsFile);
    LoadMusicSettings();
    EXPECT_EQ(BgmKind, 2);
    EXPECT_EQ(BgmRepeat, 3);
    EXPECT_EQ(BgmFile, music_);
    EXPECT_EQ(BgmFolder, TempFolder());
}

TEST_F(LoadMusicSettingsTest, VanishedFileAndBadNumbersFallBack) {
    PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmKind, " 2", handoff::kSettingsFile);
    PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmRepeat, "x", handoff::kSettingsFile);
    PutIniValue(handoff::kSettingsSection, handoff::kKeyBgmFile, TempFolder() + "\\gone.mp3",
                handoff::kSettingsFile);
    LoadMusicSettings();
    EXPECT_EQ(BgmKind, 0);
    EXPECT_EQ(BgmRepeat, 0);
    EXPECT_EQ(BgmFile, "");
    EXPECT_EQ(BgmFolder, ThisProgramFolder());
}

}  // namespace
}  // namespace qv

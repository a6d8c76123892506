// The settings file helpers against the real private-profile functions (under Wine).
#include "settings_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "framework/ansi_text.h"
#include "music/quorvale_bgm.h"

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

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

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
  EXPECT_EQ(GetIniValue("Settings", "Width", file_), "");  // no file
  PutIniValue("Settings", "Width", " 1024", file_);
  PutIniValue("Settings", "Height", " 768", file_);
  EXPECT_EQ(GetIniValue("Settings", "Height", file_), "768");  // the platform trims the blank
  EXPECT_EQ(GetIniValue("Settings", "Width", file_), "1024");
  EXPECT_EQ(GetIniValue("Settings", "Depth", file_), "");
  EXPECT_EQ(GetIniValue("Other", "Width", file_), "");
  PutIniValue("Settings", "Width", " 800", file_);  // replaced in place
  EXPECT_EQ(GetIniValue("Settings", "Width", file_), "800");
  std::string text = ReadBytes(file_);
  EXPECT_EQ(text.find("1024"), std::string::npos);
  EXPECT_NE(text.find("[Settings]"), std::string::npos);
}

TEST_F(SettingsFile, JapaneseKeysAreStoredInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 932u) << "tests run with the Japanese code page";
  PutIniValue(kSettingsSection, kKeyBgmKind, " 2", file_);
  PutIniValue(kSettingsSection, kKeyBgmRepeat, " 0", file_);
  PutIniValue(kSettingsSection, kKeyBgmFile, "C:\\音楽\\曲.mp3", file_);
  std::string bytes = ReadBytes(file_);
  // "BGM区分" = 42 47 4D 8B E6 95 AA; "ﾘﾋﾟｰﾄ" are single-byte katakana; "曲" = 8B C8.
  EXPECT_NE(bytes.find("BGM\x8B\xE6\x95\xAA="), std::string::npos);
  EXPECT_NE(bytes.find("BGM\xD8\xCB\xDF\xB0\xC4="), std::string::npos);
  EXPECT_NE(bytes.find("BGM\xCC\xA7\xB2\xD9=C:\\\x89\xB9\x8A\x79\\\x8B\xC8.mp3"), std::string::npos);
  EXPECT_EQ(bytes.find("\xE5"), std::string::npos) << "no UTF-8 in the file";
  EXPECT_EQ(GetIniValue(kSettingsSection, kKeyBgmFile, file_), "C:\\音楽\\曲.mp3");
}

TEST_F(SettingsFile, TextTheCodePageCannotHoldIsNotWritten) {
  EXPECT_FALSE(PutIniValue("Settings", "BGMﾌｧｲﾙ", "C:\\Ελληνικά.mp3", file_));
  EXPECT_FALSE(PutIniValue("Settings", "café", " 1", file_));
  EXPECT_EQ(GetFileAttributesA(file_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetIniValue("Settings", "café", file_), "");
}

TEST_F(SettingsFile, LongValuesAreCutToWholeCharacters) {
  std::string value = "a";  // 1 + 127 * 2 bytes = 255, then one more double-byte char
  for (int i = 0; i < 128; ++i) value += "曲";
  ASSERT_TRUE(PutIniValue("Settings", "Long", value, file_));
  std::string back = GetIniValue("Settings", "Long", file_);
  EXPECT_LE(ToAnsi(back)->size(), 255u);
  EXPECT_EQ(back.find("\xEF\xBF\xBD"), std::string::npos) << "no broken character";
  EXPECT_EQ(value.compare(0, back.size(), back), 0);
}

TEST_F(SettingsFile, LongNamesAreCutTo128Characters) {
  std::string key(200, 'k');
  ASSERT_TRUE(PutIniValue("Settings", key, "v", file_));
  EXPECT_EQ(GetIniValue("Settings", std::string(128, 'k'), file_), "v");
}

TEST_F(SettingsFile, WritesToAFolderThatIsMissingFailQuietly) {
  std::string missing = folder_ + "\\no\\such\\folder\\q.ini";
  PutIniValue("Settings", "Width", " 1", missing);
  EXPECT_EQ(GetIniValue("Settings", "Width", missing), "");
}

TEST_F(SettingsFile, FileExistsOpensForReading) {
  EXPECT_FALSE(FileExists(file_));
  WriteBytes(file_, "x");
  EXPECT_TRUE(FileExists(file_));
  EXPECT_TRUE(FileExists(file_ + "\\"));  // one trailing "\" is dropped
  EXPECT_FALSE(FileExists(file_ + "\\\\"));
  EXPECT_FALSE(FileExists(folder_));       // a folder is no file
  EXPECT_FALSE(FileExists(folder_ + "\\"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists("C:\\Ελληνικά.mp3"));
  SetLastError(5);
  FileExists(folder_ + "\\missing.mp3");
  EXPECT_EQ(GetLastError(), 0u);

  // A file opened without sharing cannot be read, so it counts as missing.
  HANDLE locked = CreateFileA(file_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(FileExists(file_));
  CloseHandle(locked);
}

// LoadMusicSettings reads the one real settings file; it is saved and put back.
class LoadMusicSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA(kWorkFolder, nullptr);
    had_ = GetFileAttributesA(kSettingsFile) != INVALID_FILE_ATTRIBUTES;
    if (had_) saved_ = ReadBytes(kSettingsFile);
    DeleteFileA(kSettingsFile);
    BgmKind = BgmRepeat = 0;
    BgmFile.clear();
    BgmFolder.clear();
    music_ = TempFolder() + "\\曲.wav";
    WriteBytes(*ToAnsi(music_), "RIFF");
  }
  void TearDown() override {
    DeleteFileA(kSettingsFile);
    if (had_) WriteBytes(kSettingsFile, saved_);
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
  PutIniValue(kSettingsSection, kKeyBgmKind, " 2", kSettingsFile);
  PutIniValue(kSettingsSection, kKeyBgmRepeat, " 3", kSettingsFile);
  PutIniValue(kSettingsSection, kKeyBgmFile, music_, kSettingsFile);
  LoadMusicSettings();
  EXPECT_EQ(BgmKind, 2);
  EXPECT_EQ(BgmRepeat, 3);
  EXPECT_EQ(BgmFile, music_);
  EXPECT_EQ(BgmFolder, TempFolder());
}

TEST_F(LoadMusicSettingsTest, VanishedFileAndBadNumbersFallBack) {
  PutIniValue(kSettingsSection, kKeyBgmKind, " 2", kSettingsFile);
  PutIniValue(kSettingsSection, kKeyBgmRepeat, "x", kSettingsFile);
  PutIniValue(kSettingsSection, kKeyBgmFile, TempFolder() + "\\gone.mp3", kSettingsFile);
  LoadMusicSettings();
  EXPECT_EQ(BgmKind, 0);
  EXPECT_EQ(BgmRepeat, 0);
  EXPECT_EQ(BgmFile, "");
  EXPECT_EQ(BgmFolder, ThisProgramFolder());
}

}  // namespace
}  // namespace qv

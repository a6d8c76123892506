#include "saver/settings_file/music_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "handoff/handoff.h"
#include "saver/settings_file/path_rules.h"

namespace qv {
namespace {

// A settings file and a disk, as the reader sees them.
struct Fixture {
    std::map<std::string, std::string> values;
    std::set<std::string> files;

    MusicSettings Read(MusicSettings start = {}) {
        ReadMusicSettings(
            [this](const std::string& k) {
                auto it = values.find(k);
                return it == values.end() ? std::string() : it->second;
            },
            [this](const std::string& p) { return files.count(p) > 0; }, programFolder, start);
        return start;
    }
    std::string programFolder = "C:\\Saver";
};

TEST(MusicSettings, AtADriveRootTheChooserOpensInTheRootNotTheDrivesCurrentFolder) {
    Fixture f;
    f.programFolder = "C:";  // a saver at C:\Quorvale.scr
    EXPECT_EQ(f.Read().folder, "C:\\");
    f.values = {{handoff::kKeyBgmKind, " 2"}, {handoff::kKeyBgmFile, "D:\\song.mp3"}};
    f.files = {"D:\\song.mp3"};
    EXPECT_EQ(f.Read().folder, "D:\\");
    EXPECT_EQ(FolderToOpen("D:\\Music"), "D:\\Music");
    EXPECT_EQ(FolderToOpen("\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(FolderToOpen(""), "");
}

TEST(MusicSettings, NoFileGivesDefaultsAndTheProgramFolder) {
    Fixture f;
    MusicSettings s = f.Read();
    EXPECT_EQ(s.kind, 0);
    EXPECT_EQ(s.repeat, 0);
    EXPECT_EQ(s.file, "");
    EXPECT_EQ(s.folder, "C:\\Saver");
}

TEST(MusicSettings, MusicFileThatExistsIsKept) {
    Fixture f;
    f.values = {{handoff::kKeyBgmKind, " 2"},
                {handoff::kKeyBgmRepeat, " 3"},
                {handoff::kKeyBgmFile, "C:\\音楽\\曲.mp3"}};
    f.files = {"C:\\音楽\\曲.mp3"};
    MusicSettings s = f.Read();
    EXPECT_EQ(s.kind, 2);
    EXPECT_EQ(s.repeat, 3);
    EXPECT_EQ(s.file, "C:\\音楽\\曲.mp3");
    EXPECT_EQ(s.folder, "C:\\音楽");
}

TEST(MusicSettings, VanishedOrEmptyFileTurnsKindTwoIntoNone) {
    Fixture f;
    f.values = {{handoff::kKeyBgmKind, " 2"}, {handoff::kKeyBgmFile, "C:\\Music\\gone.mp3"}};
    MusicSettings s = f.Read();
    EXPECT_EQ(s.kind, 0);
    EXPECT_EQ(s.file, "");
    EXPECT_EQ(s.folder, "C:\\Saver");

    f.values = {{handoff::kKeyBgmKind, " 2"}};
    EXPECT_EQ(f.Read().kind, 0);
}

TEST(MusicSettings, AudioCdNeedsNoFile) {
    Fixture f;
    f.values = {{handoff::kKeyBgmKind, " 1"}, {handoff::kKeyBgmRepeat, " 4"}, {handoff::kKeyBgmFile, ""}};
    MusicSettings s = f.Read();
    EXPECT_EQ(s.kind, 1);
    EXPECT_EQ(s.repeat, 4);
}

TEST(MusicSettings, FolderPathIsAMissingFile) {
    Fixture f;
    f.values = {{handoff::kKeyBgmKind, "2"}, {handoff::kKeyBgmFile, "C:\\Music\\"}};
    // The probe (FileExists) drops the "\" and fails to open a folder; here it knows no such file.
    MusicSettings s = f.Read();
    EXPECT_EQ(s.kind, 0);
    EXPECT_EQ(s.file, "");
}

TEST(MusicSettings, NumbersAreRoundedDownAndNonNumbersLeaveTheValue) {
    Fixture f;
    f.values = {{handoff::kKeyBgmKind, "1.9"}, {handoff::kKeyBgmRepeat, "-0.5"}};
    MusicSettings s = f.Read();
    EXPECT_EQ(s.kind, 1);
    EXPECT_EQ(s.repeat, -1);

    f.values = {{handoff::kKeyBgmKind, "abc"}, {handoff::kKeyBgmRepeat, "x"}};
    s = f.Read();
    EXPECT_EQ(s.kind, 0);
    EXPECT_EQ(s.repeat, 0);

    MusicSettings start;
    start.kind = 1;
    start.repeat = 5;
    f.values = {{handoff::kKeyBgmKind, "99999"}, {handoff::kKeyBgmRepeat, "1e400"}};
    s = f.Read(start);
    EXPECT_EQ(s.kind, 1);
    EXPECT_EQ(s.repeat, 5);
}

}  // namespace
}  // namespace qv

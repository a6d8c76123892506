#include "saver/settings_file/path_rules.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PathRules, FolderOfPath) {
    EXPECT_EQ(FolderOfPath("C:\\Music\\song.mp3"), "C:\\Music");
    EXPECT_EQ(FolderOfPath("C:\\song.mp3"), "C:");
    EXPECT_EQ(FolderOfPath("C:song.mp3"), "C:");
    EXPECT_EQ(FolderOfPath("song.mp3"), "");
    EXPECT_EQ(FolderOfPath(""), "");
    EXPECT_EQ(FolderOfPath("C:\\音楽\\曲.mp3"), "C:\\音楽");
    EXPECT_EQ(FolderOfPath("\\\\server\\share\\a.wav"), "\\\\server\\share");
    EXPECT_EQ(FolderOfPath("C:\\Music\\"), "C:\\Music");
}

TEST(PathRules, MusicFileKindIsTheUpperCasedEnding) {
    EXPECT_EQ(MusicFileKind("C:\\Music\\song.wav"), "WAV");
    EXPECT_EQ(MusicFileKind("C:\\Music\\song.Mp3"), "MP3");
    EXPECT_EQ(MusicFileKind("C:\\Music\\song.mid"), "MID");
    EXPECT_EQ(MusicFileKind("ab"), "AB");
    EXPECT_EQ(MusicFileKind("a.azy"), "AZY");  // both ends of the alphabet
    EXPECT_EQ(MusicFileKind(""), "");
    EXPECT_EQ(MusicFileKind("C:\\曲ｗａｖ"), "ｗａｖ");  // full-width letters are no "WAV"
}

TEST(PathRules, JoinPathNeverDoublesTheSeparator) {
    EXPECT_EQ(JoinPath("C:\\Program Files\\Q", "Quorvale.dll"), "C:\\Program Files\\Q\\Quorvale.dll");
    EXPECT_EQ(JoinPath("C:\\", "Quorvale.dll"), "C:\\Quorvale.dll");
    EXPECT_EQ(WithoutTrailingBackslash("C:\\a\\"), "C:\\a");
    EXPECT_EQ(WithoutTrailingBackslash("C:\\a\\\\"), "C:\\a\\");
}

}  // namespace
}  // namespace qv

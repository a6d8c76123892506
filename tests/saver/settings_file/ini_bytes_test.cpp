#include "saver/settings_file/ini_bytes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qv {
namespace {

// Code page 932 spellings of the music keys (handoff::kKeyBgm...), as every file holds them.
const std::string kKind = "BGM\x8B\xE6\x95\xAA";
const std::string kRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string kFile = "BGM\xCC\xA7\xB2\xD9";

std::string Put(const std::string& file, const std::string& key, const std::string& value,
                const std::string& section = "Settings") {
    return WithIniValue(file, section, key, value).value();
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(IniBytes, NewFileSectionAndKeysInThePlatformsLayout) {
    std::string f = Put("", "Width", " 1024");
    EXPECT_EQ(f, "[Settings]\r\nWidth=1024\r\n");  // the leading blank is not stored
    f = Put(f, "Height", " 768");
    f = Put(f, kKind, " 2");
    EXPECT_EQ(f, "[Settings]\r\nWidth=1024\r\nHeight=768\r\n" + kKind + "=2\r\n");
    f = Put(f, "Width", " 800");
    EXPECT_EQ(f, "[Settings]\r\nWidth=800\r\nHeight=768\r\n" + kKind + "=2\r\n");
    EXPECT_EQ(Put(f, "Width", "800"), f);  // the same value again changes nothing
    f = Put(f, "x", "1", "Other");
    EXPECT_EQ(f, "[Settings]\r\nWidth=800\r\nHeight=768\r\n" + kKind + "=2\r\n[Other]\r\nx=1\r\n");
    EXPECT_EQ(FindIniValue(f, "Settings", "Height"), "768");
    EXPECT_EQ(FindIniValue(f, "Other", "x"), "1");
    EXPECT_EQ(FindIniValue(f, "Other", "Width"), std::nullopt);
    EXPECT_EQ(FindIniValue(f, "Nowhere", "Width"), std::nullopt);
}

TEST(IniBytes, AnEditChangesOnlyItsOwnLine) {
    const std::string before =
        "; kept\r\n[settings]\r\n  width = 640  \r\n\r\nHeight=480\r\n\r\n[Other]\r\nWidth=1\r\n";
    std::string f = Put(before, "Width", " 1024");
    EXPECT_EQ(f, "; kept\r\n[settings]\r\n  width=1024  \r\n\r\nHeight=480\r\n\r\n[Other]\r\nWidth=1\r\n");
    // A new key goes after the section's last line, before the blank line that ends it.
    f = Put(f, kRepeat, " 0");
    EXPECT_EQ(f, "; kept\r\n[settings]\r\n  width=1024  \r\n\r\nHeight=480\r\n" + kRepeat +
                     "=0\r\n\r\n[Other]\r\nWidth=1\r\n");
    EXPECT_EQ(FindIniValue(f, "Other", "Width"), "1");
    // A last line without a line end gets one before anything follows it.
    EXPECT_EQ(Put("[Settings]\r\nA=1", "B", "2"), "[Settings]\r\nA=1\r\nB=2\r\n");
    EXPECT_EQ(Put("[Settings]", "B", "2"), "[Settings]\r\nB=2\r\n");
    EXPECT_EQ(Put("[Misc]\nA=1", "B", "2"), "[Misc]\nA=1\r\n[Settings]\r\nB=2\r\n");
}

TEST(IniBytes, ReadingTrimsBlanksAndOnePairOfQuotes) {
    const std::string f =
        "\xEF\xBB\xBF[Settings]\n" + kKind + " =  \" 2 \" \t\n" + kRepeat + "='x\nBare\nEmpty=\n\x1A";
    EXPECT_EQ(FindIniValue(f, "SETTINGS", kKind), " 2 ");
    EXPECT_EQ(FindIniValue(f, "Settings", kRepeat), "'x");  // no closing quote: kept
    // Only quotes are dropped, and only a matching pair.
    EXPECT_EQ(FindIniValue("[S]\nA=x1x\nB=\"1'\nC='1'", "S", "A"), "x1x");
    EXPECT_EQ(FindIniValue("[S]\nA=x1x\nB=\"1'\nC='1'", "S", "B"), "\"1'");
    EXPECT_EQ(FindIniValue("[S]\nA=x1x\nB=\"1'\nC='1'", "S", "C"), "1");
    EXPECT_EQ(FindIniValue(f, "Settings", "bare"), std::nullopt);  // a key without "=" has no value
    EXPECT_EQ(FindIniValue(f, "Settings", "Empty"), "");
    EXPECT_EQ(FindIniValue("[S]\nA= \t \nB=2", "S", "A"), "");  // blanks only
    EXPECT_EQ(FindIniValue("[S]\nA=\"\"\nB=2", "S", "A"), "");  // a pair of quotes round nothing
    EXPECT_EQ(Put(f, "Bare", "1").find("\nBare=1\n"), f.find("\nBare\n"));
    // The same as the file's last line without a line end.
    EXPECT_EQ(FindIniValue("[Settings]\r\nBare", "Settings", "Bare"), std::nullopt);
    EXPECT_EQ(Put("[Settings]\r\nBare", "Bare", "1"), "[Settings]\r\nBare=1");
}

// Hand-edited files as the platform's profile functions read them (their answers under Wine on
// code page 932), and a write of the same key: it replaces that key and adds no second one or
// a second section.
TEST(IniBytes, HandEditedFilesReadAsThePlatformReadsThem) {
    using namespace std::string_literals;  // NULs inside
    struct Case {
        const char* what;
        std::string file, key;
        std::optional<std::string> value;
        std::string written;  // after key=9
    };
    const Case cases[] = {
        {"CR line ends", "[Settings]\rA=1\rB=2\r", "A", "1", "[Settings]\rA=9\rB=2\r"},
        {"CR line ends, last line", "[Settings]\rA=1\rB=2", "B", "2", "[Settings]\rA=1\rB=9"},
        {"CR line ends, new key", "[Settings]\rA=1\r", "C", std::nullopt, "[Settings]\rA=1\rC=9\r\n"},
        {"a lone CR among CR LF", "[Settings]\r\nA=1\rB=2\r\n", "A", "1", "[Settings]\r\nA=9\rB=2\r\n"},
        {"the line after a lone CR", "[Settings]\r\nA=1\rB=2\r\n", "B", "2", "[Settings]\r\nA=1\rB=9\r\n"},
        {"LF CR", "[Settings]\n\rA=1\n\r", "A", "1", "[Settings]\n\rA=9\n\r"},
        {"a CR inside brackets", "[Set\rtings]\rA=1\r", "A", std::nullopt,
         "[Set\rtings]\rA=1\r[Settings]\r\nA=9\r\n"},
        {"blanks inside brackets", "[ Settings ]\r\nA=1\r\n", "A", "1", "[ Settings ]\r\nA=9\r\n"},
        {"tabs inside brackets", "[\tSettings\t]\r\n", "A", std::nullopt, "[\tSettings\t]\r\nA=9\r\n"},
        {"a key without =", "[Settings]\r\nA\r\nB=2\r\n", "A", std::nullopt, "[Settings]\r\nA=9\r\nB=2\r\n"},
        {"... blanks round it", "[Settings]\r\n A \t\r\n", "A", std::nullopt, "[Settings]\r\n A=9 \t\r\n"},
        {"... hides a later one", "[Settings]\r\nA\r\nA=5\r\n", "A", std::nullopt,
         "[Settings]\r\nA=9\r\nA=5\r\n"},
        {"an empty value", "[Settings]\r\nA=\r\n", "A", "", "[Settings]\r\nA=9\r\n"},
        {"a NUL in a value", "[Settings]\r\nA=1\0B=2\r\n"s, "A", "1", "[Settings]\r\nA=9\r\n"},
        {"... no key after it", "[Settings]\r\nA=1\0B=2\r\n"s, "B", std::nullopt,
         "[Settings]\r\nA=1\0B=2\r\nB=9\r\n"s},
        {"... blanks before it", "[Settings]\r\nA=1 \0x\r\n"s, "A", "1 ", "[Settings]\r\nA=9\r\n"},
        {"... blank after =", "[Settings]\r\nA= \0 2\r\n"s, "A", "", "[Settings]\r\nA=9\r\n"},
        {"... cuts a quoted value", "[Settings]\r\nA=\"1\0\"\r\n"s, "A", "\"1", "[Settings]\r\nA=9\r\n"},
        {"a NUL in a key", "[Settings]\r\nA\0B=2\r\n"s, "A", "2", "[Settings]\r\nA=9\r\n"},
        {"... blanks before it stay in it", "[Settings]\r\nA \0B=2\r\n"s, "A", std::nullopt,
         "[Settings]\r\nA \0B=2\r\nA=9\r\n"s},
        {"a NUL in a section", "[ Settings\0x]\r\nA=2\r\n"s, "A", "2", "[ Settings\0x]\r\nA=9\r\n"s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindIniValue(c.file, "Settings", c.key), c.value) << c.what;
        EXPECT_EQ(WithIniValue(c.file, "Settings", c.key, "9"), c.written) << c.what;
    }
}

TEST(IniBytes, NamesAreCodePage932Characters) {
    // "、" (81 41) and "∥" (81 61), after the lowest lead byte, are two names as well.
    const std::string lowest = "[S\x81\x61]\r\nA=lower\r\n[S\x81\x41]\r\nA=upper\r\n";
    EXPECT_EQ(FindIniValue(lowest, "S\x81\x41", "A"), "upper");
    // "ア" (83 41) and "ヂ" (83 61) differ only as a letter's case would: never the same name.
    const std::string f = "[Settings]\r\nBGM\x83\x61=lower\r\n";
    EXPECT_EQ(FindIniValue(f, "Settings", "bgm\x83\x61"), "lower");
    EXPECT_EQ(FindIniValue(f, "Settings", "BGM\x83\x41"), std::nullopt);
    EXPECT_EQ(Count(Put(f, "BGM\x83\x41", "upper"), "BGM\x83"), 2u);
    // "ゾ" (83 5D) ends in the byte of "]": the header still ends at the real bracket.
    const std::string g = "[Set\x83\x5D]\r\nk=v\r\n";
    EXPECT_EQ(FindIniValue(g, "Set\x83\x5D", "k"), "v");
    // ... and after it, such a byte is no later bracket either.
    EXPECT_EQ(FindIniValue("[Settings]\x83\x5D\r\nk=v\r\n", "Settings", "k"), "v");
    // Letters fold at both ends of the alphabet; after 0xFD, which leads no character, "a" is a letter.
    EXPECT_EQ(FindIniValue("[S]\r\nz=1\r\n", "S", "Z"), "1");
    EXPECT_EQ(FindIniValue("[S]\r\n\xFD"
                           "a=1\r\n",
                           "S",
                           "\xFD"
                           "A"),
              "1");
    // The same key in code page 936 bytes is another key to the file.
    const std::string h = "[Settings]\r\nBGM\xC7\xF8\xB7\xD6=1\r\n";
    EXPECT_EQ(FindIniValue(h, "Settings", kKind), std::nullopt);
}

TEST(IniBytes, TheFirstSectionAndTheFirstKeyOfANameCount) {
    const std::string f = "[Settings]\r\nA=1\r\nA=2\r\n[Other]\r\n[Settings]\r\nB=3\r\n";
    EXPECT_EQ(FindIniValue(f, "Settings", "A"), "1");
    EXPECT_EQ(FindIniValue(f, "Settings", "B"), std::nullopt);
    EXPECT_EQ(Put(f, "A", "9"), "[Settings]\r\nA=9\r\nA=2\r\n[Other]\r\n[Settings]\r\nB=3\r\n");
    EXPECT_EQ(Put(f, "B", "9"), "[Settings]\r\nA=1\r\nA=2\r\nB=9\r\n[Other]\r\n[Settings]\r\nB=3\r\n");
}

TEST(IniBytes, ValuesAreTheCallersBytesAndKeysNeverGainASecondSpelling) {
    // A path as a UTF-8, a 936 and a 1252 system store it: kept byte for byte.
    for (const std::string& path : {std::string("C:\\\xE6\x9B\xB2\\a.mp3"),
                                    std::string("C:\\\xC7\xF8\\a.mp3"), std::string("C:\\Zo\xEB\\a.mp3")}) {
        std::string f = Put(Put(Put("", kKind, " 2"), kRepeat, " 0"), kFile, path);
        f = Put(Put(Put(f, kKind, " 1"), kRepeat, " 3"), kFile, path);
        EXPECT_EQ(FindIniValue(f, "Settings", kFile), path);
        EXPECT_EQ(FindIniValue(f, "Settings", kKind), "1");
        for (const std::string& key : {kKind, kRepeat, kFile}) EXPECT_EQ(Count(f, key + "="), 1u);
    }
}

TEST(IniBytes, WhatWouldBreakTheFileIsRefused) {
    EXPECT_EQ(WithIniValue("", "Settings", "A", "1\r\nB=2"), std::nullopt);
    EXPECT_EQ(WithIniValue("", "Settings", "A", std::string("1\0", 2)), std::nullopt);
    EXPECT_EQ(WithIniValue("", "Settings", "A=B", "1"), std::nullopt);
    EXPECT_EQ(WithIniValue("", "Settings", "[A]", "1"), std::nullopt);
    EXPECT_EQ(WithIniValue("", "Settings", "", "1"), std::nullopt);
    EXPECT_EQ(WithIniValue("", "Set]", "A", "1"), std::nullopt);
    EXPECT_EQ(WithIniValue("", "Settings", " A", "1"), std::nullopt);
    // A Unicode file is not this program's to rewrite in single bytes.
    const std::string utf16("\xFF\xFE[\0S\0]\0", 8);
    EXPECT_EQ(WithIniValue(utf16, "S", "A", "1"), std::nullopt);
    EXPECT_EQ(FindIniValue(utf16, "S", "A"), std::nullopt);
    EXPECT_EQ(WithIniValue(std::string("\xFE\xFF\0[\0S\0]", 8), "S", "A", "1"), std::nullopt);  // big-endian
    EXPECT_EQ(WithIniValue("\xFF\xFE", "S", "A", "1"), std::nullopt);  // the mark alone: still Unicode
    // A trail byte that looks like "]" or "=" is part of its character.
    EXPECT_NE(WithIniValue("", "Set\x83\x5D", "BGM\x83\x5B", "1"), std::nullopt);
}

}  // namespace
}  // namespace qv

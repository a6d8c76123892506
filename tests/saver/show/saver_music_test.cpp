// The show's music reaching the sound device. Runs with ALSA_CONFIG_PATH naming a device that
// records what is played (Wine's processes take it from the test's own environment).
#include "saver_show_fixture.h"

#include "saver/framework/ansi_text.h"

namespace qv::test {
namespace {

TEST_F(SaverShow, MusicFilePlaysDuringTheShowAndStopsWithIt) {
    const std::string audio = WinePath(QV_SHOW_AUDIO);
    const std::string played = audio + "\\played.raw";
    CreateDirectoryA(handoff::kWorkFolder, nullptr);
    for (const char* name : {"tone.mp3", "tone.WAV"}) {
        WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmKind)->c_str(), " 2",
                                   kIni);
        WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmFile)->c_str(),
                                   (audio + "\\" + name).c_str(), kIni);
        DeleteFileA(played.c_str());
        auto saver = StartSaver(copies_.withRenderer, "/s");
        ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000)) << name;
        // Longer than the 1-second tone, so it has to be played again.
        EXPECT_TRUE(WaitUntil([&] { return FileSize(played) > 44100 * 4 * 2; }, 20000))
            << name << " played too little";
        std::string sound = ReadFileBytes(played);
        EXPECT_NE(sound.find_first_not_of('\0'), std::string::npos) << name << " played only silence";
        EndShow(*saver);
        long long atEnd = FileSize(played);
        WaitUntil([] { return false; }, 1500);
        EXPECT_EQ(FileSize(played), atEnd) << name << " still plays after the show";
    }
}

TEST_F(SaverShow, MusicSourceValuesThatAreNoSourceGiveASilentShow) {
    // A playable file is named, but the source is no number that fits: the show stays silent.
    const std::string audio = WinePath(QV_SHOW_AUDIO);
    const std::string played = audio + "\\played.raw";
    CreateDirectoryA(handoff::kWorkFolder, nullptr);
    for (const char* kind : {"99999999999", "abc", " 0"}) {
        WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmKind)->c_str(), kind,
                                   kIni);
        WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmRepeat)->c_str(), "abc",
                                   kIni);
        WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmFile)->c_str(),
                                   (audio + "\\tone.mp3").c_str(), kIni);
        DeleteFileA(played.c_str());
        auto saver = StartSaver(copies_.withRenderer, "/s");
        ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000)) << kind;
        WaitUntil([] { return false; }, 2500);  // longer than the tone and a repeat check
        const std::string sound = FileThere(played) ? ReadFileBytes(played) : std::string();
        EXPECT_EQ(sound.find_first_not_of('\0'), std::string::npos) << kind << ": music played";
        EndShow(*saver);
    }
}

TEST_F(SaverShow, AudioCdWithoutADriveStillEndsWithTheRenderer) {
    CreateDirectoryA(handoff::kWorkFolder, nullptr);
    WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmKind)->c_str(), " 1", kIni);
    WritePrivateProfileStringA(handoff::kSettingsSection, ToAnsi(handoff::kKeyBgmRepeat)->c_str(), " 3",
                               kIni);
    auto saver = StartSaver(copies_.withRenderer, "/s");
    ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
    WaitUntil([] { return false; }, 1000);  // a few polls of the missing drive
    EndShow(*saver);
}

}  // namespace
}  // namespace qv::test

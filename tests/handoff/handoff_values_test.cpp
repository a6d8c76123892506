// The shell tools and the installer read the hand-off's values through handoff_values.sh:
// each must come out byte for byte as the programs see it, the settings dialog's "■" and the
// escaped backslash included.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "handoff/handoff.h"

namespace qv::handoff {
namespace {

// The value of a shell variable after the tools' own eval of the script's output.
std::string ShellValue(const std::string& variable) {
    const std::string command =
        "bash -c 'eval \"$(\"$0\" shell)\" && printf %s \"$" + variable + "\"' " + QV_HANDOFF_VALUES;
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[256];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;) out.append(buffer, n);
        if (pclose(p) != 0) return "<failed>";
    }
    return out;
}

TEST(HandoffValues, TheShellSeesEachValueAsTheProgramsDo) {
    const struct {
        const char* variable;
        std::string value;
    } cases[] = {
        {"QV_RENDERER_PROGRAM_FILE_NAME", kRendererProgramFileName},
        {"QV_WORK_FOLDER", kWorkFolder},
        {"QV_SETTINGS_FILE_NAME", kSettingsFileName},
        {"QV_DESKTOP_PICTURE_FILE_NAME", kDesktopPictureFileName},
        {"QV_GLOW_PICTURE_FILE_NAME", kGlowPictureFileName},
        {"QV_MONITOR_LAYOUT_FILE_NAME", kMonitorLayoutFileName},
        {"QV_MONITOR_PICTURE_FILE_NAME_PATTERN", kMonitorPictureFileNamePattern},
        {"QV_RENDERER_WINDOW_TITLE", kRendererWindowTitle},
        {"QV_SHOW_WINDOW_TITLE", kShowWindowTitle},
        {"QV_SETTINGS_WINDOW_TITLE", kSettingsWindowTitle},
        {"QV_INSTANCE_MUTEX_NAME", kInstanceMutexName},
        {"QV_SETTINGS_SECTION", kSettingsSection},
        {"QV_KEY_WIDTH", kKeyWidth},
        {"QV_KEY_HEIGHT", kKeyHeight},
        {"QV_KEY_BGM_KIND", kKeyBgmKind},
        {"QV_KEY_BGM_REPEAT", kKeyBgmRepeat},
        {"QV_KEY_BGM_FILE", kKeyBgmFile},
        {"QV_DEFAULT_WIDTH", std::to_string(kDefaultWidth)},
        {"QV_DEFAULT_HEIGHT", std::to_string(kDefaultHeight)},
        {"QV_MONITOR_SECTION", kMonitorSection},
        {"QV_MONITOR_COUNT_KEY", kMonitorCountKey},
    };
    for (const auto& c : cases) EXPECT_EQ(ShellValue(c.variable), c.value) << c.variable;
}

}  // namespace
}  // namespace qv::handoff

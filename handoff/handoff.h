// What passes between the saver (Quorvale.scr) and the renderer (Quorvale.dll): the renderer's
// file name, the working folder and its files, the window titles each looks for, the settings file's section and
// keys, and the size the renderer falls back to. The one place these are spelt; the tests and
// the tools take them from here too.
//
// Texts are UTF-8, as every source file. The saver hands its texts to the platform in the ANSI
// code page (code page 932 on the systems the texts are written for); the renderer's are ASCII.
//
// handoff_values.sh hands these values to the shell tools and the installer (kSomeName as
// QV_SOME_NAME). It reads every line of the form
//     inline constexpr char kName[] = "text";    or    inline constexpr int kName = 123;
// so each such value stays on one line, with no escape but \\ and \" in its text. The whole
// paths further down are joined from these and are not read by it.
#pragma once
#include <cstddef>

namespace qv::handoff {

// The renderer's program file, which the saver looks for and starts beside itself.
inline constexpr char kRendererProgramFileName[] = "Quorvale.dll";

// The working folder and the files in it.
inline constexpr char kWorkFolder[] = "C:\\zantho_temp";
inline constexpr char kSettingsFileName[] = "Quorvale.ini";
inline constexpr char kDesktopPictureFileName[] = "Quorvale1.alo";  // the desktop as the user left it
inline constexpr char kGlowPictureFileName[] = "Quorvale2.alo";     // one sprite of the shock ring
// With several monitors: where each lies, and the picture of monitor n (2, 3, ...); monitor
// 1, the primary, has the desktop picture.
inline constexpr char kMonitorLayoutFileName[] = "QuorvaleMonitors.ini";
inline constexpr char kMonitorPictureFileNamePattern[] = "Quorvale1_%d.alo";

// Window titles other processes look for. The renderer's is also its window's class name.
inline constexpr char kRendererWindowTitle[] = "Quorvale_VC";
inline constexpr char kShowWindowTitle[] = "Quorvale_Main";   // the saver's hidden window
inline constexpr char kSettingsWindowTitle[] = "■Quorvale■";  // an open settings dialog
// Held by a starting show or settings dialog, so that a second start a moment later ends.
inline constexpr char kInstanceMutexName[] = "Quorvale_Instance";

// The settings file: one section, the screen size the saver writes and the renderer reads,
// and the music settings the dialog writes and the saver reads.
inline constexpr char kSettingsSection[] = "Settings";
inline constexpr char kKeyWidth[] = "Width";
inline constexpr char kKeyHeight[] = "Height";
inline constexpr char kKeyBgmKind[] = "BGM区分";
inline constexpr char kKeyBgmRepeat[] = "BGMﾘﾋﾟｰﾄ";
inline constexpr char kKeyBgmFile[] = "BGMﾌｧｲﾙ";

// The renderer's size when the settings file gives none.
inline constexpr int kDefaultWidth = 1024;
inline constexpr int kDefaultHeight = 768;
// A stored size of 0 (or a missing key, which reads as the default) falls back to the default.
int SizeOrDefault(int stored, int fallback);

// The monitor layout file: one section, with the number of monitors under the count key and
// monitor n under key "n" (monitor_layout.h writes and reads the lines).
inline constexpr char kMonitorSection[] = "Monitors";
inline constexpr char kMonitorCountKey[] = "Count";

namespace detail {
template <std::size_t N>
struct Path {
    char text[N];
};
// `folder` + "\" + `name`, at compile time.
template <std::size_t F, std::size_t N>
constexpr Path<F + N> InFolder(const char (&folder)[F], const char (&name)[N]) {
    Path<F + N> path{};
    std::size_t at = 0;
    for (std::size_t k = 0; k + 1 < F; ++k) path.text[at++] = folder[k];
    path.text[at++] = '\\';
    for (std::size_t k = 0; k + 1 < N; ++k) path.text[at++] = name[k];
    return path;
}
inline constexpr auto kSettingsFile = InFolder(kWorkFolder, kSettingsFileName);
inline constexpr auto kDesktopPictureFile = InFolder(kWorkFolder, kDesktopPictureFileName);
inline constexpr auto kGlowPictureFile = InFolder(kWorkFolder, kGlowPictureFileName);
inline constexpr auto kMonitorLayoutFile = InFolder(kWorkFolder, kMonitorLayoutFileName);
inline constexpr auto kMonitorPictureFilePattern = InFolder(kWorkFolder, kMonitorPictureFileNamePattern);
}  // namespace detail

// The same files by their whole paths.
inline constexpr const char* kSettingsFile = detail::kSettingsFile.text;
inline constexpr const char* kDesktopPictureFile = detail::kDesktopPictureFile.text;
inline constexpr const char* kGlowPictureFile = detail::kGlowPictureFile.text;
inline constexpr const char* kMonitorLayoutFile = detail::kMonitorLayoutFile.text;

// Room for the path of every monitor's picture, terminator included.
inline constexpr int kMonitorPathSize = 64;
static_assert(sizeof detail::kMonitorPictureFilePattern.text <= kMonitorPathSize,
              "a monitor number of two digits takes the place of the pattern's %d");
// The picture of monitor `index` (0 = the primary, whose picture is the desktop picture) into
// `path` (kMonitorPathSize bytes).
void MonitorPicturePath(int index, char* path);

}  // namespace qv::handoff

#pragma once
// Window titles that other processes look for.
namespace qv {

inline constexpr char kShowWindowTitle[] = "Quorvale_Main";       // the hidden saver window
inline constexpr char kSettingsWindowTitle[] = "■Quorvale■";      // an open settings dialog
inline constexpr char kRendererWindowTitle[] = "Quorvale_VC";     // the renderer's window

}  // namespace qv

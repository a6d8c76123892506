#pragma once
// Where the settings live: one private-profile file in the working folder shared with the
// renderer, one section, five keys. Texts are UTF-8 here; the file holds the names in code page
// 932 on every system.
namespace qv {

inline constexpr char kWorkFolder[] = "C:\\zantho_temp";
inline constexpr char kSettingsFile[] = "C:\\zantho_temp\\Quorvale.ini";
inline constexpr char kSettingsSection[] = "Settings";

inline constexpr char kKeyWidth[] = "Width";
inline constexpr char kKeyHeight[] = "Height";
inline constexpr char kKeyBgmKind[] = "BGM区分";
inline constexpr char kKeyBgmRepeat[] = "BGMﾘﾋﾟｰﾄ";
inline constexpr char kKeyBgmFile[] = "BGMﾌｧｲﾙ";

}  // namespace qv

#pragma once
// The settings dialog Quorvale_P declared as data: caption, border, colours, font, and every
// control with its index, place (twips) and content. Window-free; the two user controls come
// in as factories so the layout can be checked without creating them.
#include "saver/framework/form_design.h"

namespace qv {

inline constexpr char kCreditLine[] = "Designed by zantho Ver.1.0.0";
inline constexpr int kBannerTimerInterval = 100;

// Texts of the three music sources, by BgmKind.
inline constexpr const char* kSourceTexts[3] = {"なし", "音楽CD", "MP3、WAV"};

FontDesc SettingsFont();

FormDesign SettingsFormDesign(UserControlFactory frameFactory, UserControlFactory buttonFactory);

}  // namespace qv

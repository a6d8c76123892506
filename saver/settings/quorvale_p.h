#pragma once
// The settings dialog form Quorvale_P: music source, CD repeat track and music file, saved
// on "設定"; zoom effect on opening and closing; the banner that opens the maker's page.
#include <cstdint>
#include <string>

#include "saver/framework/form.h"

namespace qv {

// The maker's web page, opened from the banner.
inline constexpr char kMakerWebPage[] = "https://quorvale.example/";

class Quorvale_P : public Form {
  public:
    Quorvale_P();

  private:
    void Load_();
    void SelectSource(int index);
    void ChooseFile();
    void Apply();
    void OpenWebPage();
    void AnimateBanner();
    void ShowRadioMarks();

    std::int16_t AnimTick = 0;
};

}  // namespace qv

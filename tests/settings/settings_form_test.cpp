#include "settings/settings_form.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "settings/file_choice.h"

namespace qv {
namespace {

FormDesign Design() { return SettingsFormDesign(nullptr, nullptr); }

const ControlDesign* Find(const FormDesign& d, const std::string& name, int index = -1) {
  for (const ControlDesign& c : d.controls)
    if (c.name == name && c.index == index) return &c;
  return nullptr;
}

TEST(SettingsForm, EveryControlOnceAndInsideWhatHoldsIt) {
  FormDesign d = Design();
  EXPECT_EQ(d.caption, "■Quorvale■");  // start-up finds an open dialog by this title
  std::set<std::pair<std::string, int>> seen;
  const ControlDesign* panel = Find(d, "GFXFrameX1");
  ASSERT_NE(panel, nullptr);
  for (const ControlDesign& c : d.controls) {
    EXPECT_TRUE(seen.insert({c.name, c.index}).second) << c.name << c.index;
    if (c.kind == ControlKind::Timer) continue;
    bool store = c.name == "Pic_t" || c.name == "Img_Ra";
    int right = c.left + c.width, bottom = c.top + c.height;
    if (c.parent == "GFXFrameX1") {
      EXPECT_LE(right, panel->width) << c.name << c.index;
      EXPECT_LE(bottom, panel->height) << c.name << c.index;
    } else if (store) {
      EXPECT_GE(c.left, d.clientWidth) << c.name << c.index;  // never seen
    } else {
      EXPECT_LE(right, d.clientWidth) << c.name << c.index;
      EXPECT_LE(bottom, d.clientHeight) << c.name << c.index;
    }
  }
  for (int n = 1; n <= 24; ++n) EXPECT_NE(Find(d, "Pic_t", n), nullptr) << n;
}

TEST(SettingsForm, SourceRowsAreIndexedByMusicSource) {
  FormDesign d = Design();
  for (int kind = 0; kind < 3; ++kind) {
    const ControlDesign* mark = Find(d, "Img_BGM", kind);
    const ControlDesign* text = Find(d, "lbl_BGM", kind);
    ASSERT_TRUE(mark && text);
    EXPECT_EQ(mark->top, text->top);  // a click on either picks the same source
    EXPECT_EQ(text->caption, kSourceTexts[kind]);
    EXPECT_EQ(mark->mousePointer, MousePointer::Custom);
  }
  EXPECT_EQ(Find(d, "lbl_BGM", 1)->caption, "音楽CD");
  // The CD row's text stops before the repeat box on the same row.
  const ControlDesign* combo = Find(d, "BGM_Repeat");
  const ControlDesign* cd = Find(d, "lbl_BGM", 1);
  EXPECT_LE(cd->left + cd->width, combo->left);
  EXPECT_EQ(combo->comboStyle, ComboStyle::DropDownCombo);  // typed text is allowed
}

TEST(FileChoice, AFileTheSystemCodePageHoldsIsChosen) {
  ChosenFile c = JudgeChosenFile("C:\\Musique\\Zoë.mp3", std::string("C:\\Musique\\Zo\xEB.mp3"));
  EXPECT_EQ(c.choice, FileChoice::Chosen);
  EXPECT_EQ(c.path, "C:\\Musique\\Zoë.mp3");
  EXPECT_EQ(JudgeChosenFile("C:\\" + std::string(250, 'a'), "C:\\" + std::string(250, 'a')).choice,
            FileChoice::Chosen);  // 253 bytes
}

TEST(FileChoice, NoFileIsACancelAndANameTheCodePageCannotCarryIsSaid) {
  EXPECT_EQ(JudgeChosenFile("", std::string()).choice, FileChoice::Cancelled);
  // A Japanese name on a system without Japanese: no ANSI form at all, or "?" for the characters.
  EXPECT_EQ(JudgeChosenFile("C:\\曲.mp3", std::nullopt).choice, FileChoice::NotStorable);
  EXPECT_EQ(JudgeChosenFile("C:\\曲.mp3", std::string("C:\\?.mp3")).choice, FileChoice::NotStorable);
  EXPECT_EQ(JudgeChosenFile("C:\\a*.mp3", std::string("C:\\a*.mp3")).choice, FileChoice::NotStorable);
  // Fits the chooser in characters but not the settings file in bytes.
  std::string wide = "C:\\";
  for (int i = 0; i < 126; ++i) wide += "曲";
  EXPECT_EQ(JudgeChosenFile(wide, "C:\\" + std::string(252, '\x8B')).choice, FileChoice::NotStorable);
}

}  // namespace
}  // namespace qv

// The button's whole picture, pixel by pixel, and the access key of every UTF-8 lead byte.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "recording_canvas.h"
#include "saver/controls/access_key.h"
#include "saver/controls/button_drawing.h"
#include "saver/controls/subclass_table.h"

namespace qv::controls {
namespace {

using testing::Hex;
using testing::RecordingButtonCanvas;

// A palette whose every entry is its own colour, so the picture shows which entry went where.
ButtonPalette LetterPalette() {
  ButtonPalette p{};
  auto all = [](Colour c) { return ButtonPalette::Row{c, c, c, c, c}; };
  p.outerBorder = all(Rgb(1, 0, 0));
  p.topLine1 = all(Rgb(2, 0, 0));
  p.topLine2 = all(Rgb(3, 0, 0));
  p.bottomLine2 = all(Rgb(4, 0, 0));
  p.bottomLine1 = all(Rgb(5, 0, 0));
  p.cornerOuter = all(Rgb(6, 0, 0));
  p.cornerEdge = all(Rgb(7, 0, 0));
  p.cornerInner = all(Rgb(8, 0, 0));
  p.ringTop = all(Rgb(9, 0, 0));
  p.ringBottom = all(Rgb(9, 0, 0));
  return p;
}

// B border, 1 2 top lines, 4 5 bottom lines, o e i corner outer/edge/inner, r ring, f face
// (any shade between its two fixed colours), D disabled face, P pressed face, . untouched.
std::vector<std::string> Picture(int state, int w, int h) {
  RecordingButtonCanvas canvas(w, h);
  ButtonLook look;
  look.state = state;
  look.width = w;
  look.height = h;
  PaintButton(canvas, look, LetterPalette());
  const std::map<Colour, char> legend = {
      {Rgb(1, 0, 0), 'B'}, {Rgb(2, 0, 0), '1'}, {Rgb(3, 0, 0), '2'}, {Rgb(4, 0, 0), '4'},
      {Rgb(5, 0, 0), '5'}, {Rgb(6, 0, 0), 'o'}, {Rgb(7, 0, 0), 'e'}, {Rgb(8, 0, 0), 'i'},
      {Rgb(9, 0, 0), 'r'}, {kDisabledFace, 'D'}, {kPressedFace, 'P'}, {0xFFFFFF, '.'}};
  std::vector<std::string> rows;
  for (int y = 0; y < h; ++y) {
    std::string row;
    for (int x = 0; x < w; ++x) {
      const Colour c = *canvas.pixels.Get(x, y);
      auto it = legend.find(c);
      const ColourParts p = SplitColour(c), lo = SplitColour(kFaceBottom), hi = SplitColour(kFaceTop);
      const bool face = p.red >= lo.red && p.red <= hi.red && p.green >= lo.green &&
                        p.green <= hi.green && p.blue >= lo.blue && p.blue <= hi.blue;
      row += it != legend.end() ? it->second : face ? 'f' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(ButtonPicture, RaisedStatesHaveBorderRingLinesFaceAndRoundedCorners) {
  const std::vector<std::string> expected = {
      ".eoBBBBBBoe.",
      "ei11111111ie",
      "o2222222222o",
      "BrrffffffrrB",
      "BrrffffffrrB",
      "BrrffffffrrB",
      "o4444444444o",
      "ei55555555ie",
      ".eoBBBBBBoe.",
  };
  for (int state : {StateNormal, StateFocused, StateHot}) EXPECT_EQ(Picture(state, 12, 9), expected) << state;
}

TEST(ButtonPicture, DisabledAndPressedStatesAreFlatFaces) {
  const std::vector<std::string> disabled = {
      ".eoBBBBBBoe.",
      "eiDDDDDDDDie",
      "oDDDDDDDDDDo",
      "BDDDDDDDDDDB",
      "oDDDDDDDDDDo",
      "eiDDDDDDDDie",
      ".eoBBBBBBoe.",
  };
  EXPECT_EQ(Picture(StateDisabled, 12, 7), disabled);
  std::vector<std::string> pressed = disabled;
  for (auto& row : pressed)
    for (char& c : row)
      if (c == 'D') c = 'P';
  EXPECT_EQ(Picture(StatePressed, 12, 7), pressed);
  // A state outside the five draws as the normal button.
  EXPECT_EQ(Picture(kButtonStateCount, 12, 9), Picture(StateNormal, 12, 9));
  EXPECT_EQ(Picture(-1, 12, 9), Picture(StateNormal, 12, 9));
  EXPECT_EQ(Picture(7, 12, 9), Picture(StateNormal, 12, 9));
}

// The face's gradient runs from row 3 down to row H-3, which the bottom line then covers: the
// lowest row seen is one step above the bottom colour, not the bottom colour itself.
TEST(ButtonPicture, TheFaceShadesDownToTheRowUnderTheBottomLine) {
  RecordingButtonCanvas canvas(12, 9);
  ButtonLook look;
  look.state = StateNormal;
  look.width = 12;
  look.height = 9;
  PaintButton(canvas, look, LetterPalette());
  // Three steps from (236, 235, 230) up to (252, 252, 251): 16/3, 17/3 and 7 per row.
  const Colour expected[] = {Rgb(252, 252, 251), Rgb(247, 246, 244), Rgb(241, 241, 237)};
  for (int x = 3; x < 9; ++x)
    for (int y = 3; y < 6; ++y) EXPECT_EQ(Hex(*canvas.pixels.Get(x, y)), Hex(expected[y - 3])) << x << "," << y;
}

TEST(ButtonPicture, AGradientOneRowHighPaintsBothItsRows) {
  RecordingButtonCanvas canvas(4, 4);
  DrawGradient(canvas, {0, 1, 4, 2}, Rgb(10, 10, 10), Rgb(20, 20, 20));
  EXPECT_EQ(canvas.ops, (std::vector<std::string>{"line 0,2-4,2 141414", "line 0,1-4,1 0A0A0A"}));
}

TEST(AccessKeyOf, TakesTheWholeCharacterForEveryLeadByte) {
  EXPECT_EQ(AccessKeyOf("&\xC0\x80x"), "\xC0\x80");                       // first two-byte lead
  EXPECT_EQ(AccessKeyOf("&\xC3\xA9t\xC3\xA9"), "\xC3\xA9");               // two bytes
  EXPECT_EQ(AccessKeyOf("&\xDF\xBFx"), "\xDF\xBF");                       // last two-byte lead
  EXPECT_EQ(AccessKeyOf("&\xE0\xA4\x85x"), "\xE0\xA4\x85");               // first three-byte lead
  EXPECT_EQ(AccessKeyOf("&\xEF\xBC\xA1x"), "\xEF\xBC\xA1");               // full-width A
  EXPECT_EQ(AccessKeyOf("&\xF0\x9F\x98\x80x"), "\xF0\x9F\x98\x80");       // four bytes
  EXPECT_EQ(AccessKeyOf("&\xF7\xBF\xBF\xBFx"), "\xF7\xBF\xBF\xBF");       // last four-byte lead
  EXPECT_EQ(AccessKeyOf("&\xF8xyz"), "\xF8");                             // no lead: one byte
  EXPECT_EQ(AccessKeyOf("&\xFFxyz"), "\xFF");
  EXPECT_EQ(AccessKeyOf("&\x80xyz"), "\x80");                             // stray continuation
}

TEST(SubclassTableEdges, AFreedEntryIsNoWindowInUseAndWindowOneIs) {
  SubclassTable t;
  t.Take(1);
  t.Take(2);
  t.Free(2);
  EXPECT_EQ(t.Windows(), std::vector<std::uintptr_t>{1});
}

TEST(SubclassTableEdges, AMessageForBeforeOnlyStaysOutOfTheAfterSet) {
  SubclassTable t;
  t.Take(5);
  t.AddMsg(5, 0x20, kMsgBefore);
  EXPECT_TRUE(t.Find(5)->after.empty());
  EXPECT_EQ(t.Find(5)->before, std::set<unsigned>{0x20});
}

}  // namespace
}  // namespace qv::controls

// Stand-ins until the real frame panel and push button are in the build: a plain panel and
// a plain button that raises Click, so the dialog can be driven end to end meanwhile.
#include "settings/dialog_controls.h"

#include <memory>

#include "framework/ansi_text.h"
#include "framework/user_control.h"

namespace qv {

namespace {

class StandInFrame : public UserControl {
 public:
  StandInFrame() : UserControl("GFXFrameX", /*isContainer=*/true) {}

 protected:
  void ReadProperties(const PropertyBag&) override { Draw(); }
  void InitProperties() override { Draw(); }
  void Resize() override { Draw(); }

 private:
  void Draw() {
    HDC dc = hDC();
    if (!dc) return;
    RECT r{0, 0, WidthPixels(), HeightPixels()};
    HBRUSH b = CreateSolidBrush(RGB(224, 224, 224));
    FillRect(dc, &r, b);
    DeleteObject(b);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Refresh();
  }
};

class StandInButton : public UserControl {
 public:
  StandInButton() : UserControl("ccXPButton") {}
  void SetEnabled(bool e) override {
    UserControl::SetEnabled(e);
    Draw();
  }

 protected:
  void ReadProperties(const PropertyBag& bag) override {
    caption_ = bag.ReadString("Caption", "&OK");
    Draw();
  }
  void Resize() override { Draw(); }
  void MouseUp(int button, int, double x, double y) override {
    if (button == 1 && x >= 0 && y >= 0 && x <= ScaleWidth() && y <= ScaleHeight()) RaiseEvent("Click");
  }
  void KeyDown(int& key, int) override {
    if (key == VK_RETURN || key == VK_SPACE) RaiseEvent("Click");
  }

 private:
  void Draw() {
    HDC dc = hDC();
    if (!dc) return;
    RECT r{0, 0, WidthPixels(), HeightPixels()};
    HBRUSH b = CreateSolidBrush(Enabled() ? RGB(246, 246, 240) : RGB(245, 244, 234));
    FillRect(dc, &r, b);
    DeleteObject(b);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(Enabled() ? BLACK_BRUSH : GRAY_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? RGB(0, 0, 0) : RGB(161, 161, 146));
    std::wstring text = Widen(caption_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Refresh();
  }
  std::string caption_;
};

}  // namespace

UserControlFactory FrameControlFactory() {
  return [] { return std::unique_ptr<UserControl>(new StandInFrame()); };
}

UserControlFactory ButtonControlFactory() {
  return [] { return std::unique_ptr<UserControl>(new StandInButton()); };
}

}  // namespace qv

#include "picture_box.h"

#include "form.h"
#include "framework_internal.h"

namespace qv {

PictureBox::PictureBox(Form& form, const ControlDesign& d)
    : Control(form, d),
      backColor_(d.backColor.value_or(form.BackColor())),
      scaleMode_(d.scaleMode),
      border_(d.hasBorder) {
  if (d.pictureResource) picture_ = qv::Picture::FromResource(d.pictureResource);
}

PictureBox::~PictureBox() { Destroy(); }

void PictureBox::Create(HWND parent) {
  RECT r = PixelRect();
  DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (visible_) style |= WS_VISIBLE;
  if (!enabled_) style |= WS_DISABLED;
  hwnd_ = CreateWindowExW(border_ ? WS_EX_CLIENTEDGE : 0, PictureBoxClassName(), L"", style, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd_) throw FrameworkError("picture box " + name_ + " could not be made");
  image_.Resize(InteriorWidthPx(), InteriorHeightPx(), backColor_);
  image_.Clear(backColor_);
  image_.DrawPicture(picture_, 0, 0);
}

void PictureBox::Destroy() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }
  hwnd_ = nullptr;
}

int PictureBox::InteriorWidthPx() const {
  RECT c{};
  if (hwnd_) GetClientRect(hwnd_, &c);
  return c.right;
}

int PictureBox::InteriorHeightPx() const {
  RECT c{};
  if (hwnd_) GetClientRect(hwnd_, &c);
  return c.bottom;
}

void PictureBox::OnPlaced() {
  if (!hwnd_) return;
  // What was drawn stays; new area takes the back colour.
  image_.Resize(InteriorWidthPx(), InteriorHeightPx(), backColor_);
  Refresh();
}

void PictureBox::SetPicture(const qv::Picture& p) {
  picture_ = p;
  Cls();
}

void PictureBox::Cls() {
  image_.Clear(backColor_);
  image_.DrawPicture(picture_, 0, 0);
  Refresh();
}

void PictureBox::SetBackColor(Colour c) {
  backColor_ = c;
  Cls();
}

int PictureBox::ScaleWidth() const {
  return PixelsToScale(image_.Width(), scaleMode_, form_->TwipsPerPixelX());
}

int PictureBox::ScaleHeight() const {
  return PixelsToScale(image_.Height(), scaleMode_, form_->TwipsPerPixelY());
}

void PictureBox::SaveAsBitmap24(const std::string& utf8Path) const {
  if (!image_.SaveAsBitmap24(utf8Path)) throw FrameworkError("the picture could not be saved as " + utf8Path);
}

void PictureBox::Refresh() {
  if (!hwnd_) return;
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
}

LRESULT CALLBACK PictureBox::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  Form& form = self->ParentForm();
  Form::DispatchGuard guard(form);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      form.PaintContainer(dc, self, hwnd, [self](HDC target) { self->image_.PaintTo(target, 0, 0); });
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_COMMAND:
    case WM_SETCURSOR:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MOUSEMOVE: {
      LRESULT result = 0;
      if (form.HandleContainerMessage(self, hwnd, msg, wp, lp, result)) return result;
      break;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

const wchar_t* PictureBoxClassName() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = PictureBox::WndProcAddress();
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = nullptr;
    wc.lpszClassName = L"QvPictureBox";
    RegisterClassW(&wc);
    return L"QvPictureBox";
  }();
  return name;
}

}  // namespace qv

#include "saver/framework/picture_box.h"

#include <optional>

#include "saver/framework/container_host.h"
#include "saver/framework/form.h"
#include "saver/framework/framework_internal.h"

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
    hwnd_ =
        CreateWindowExW(border_ ? WS_EX_CLIENTEDGE : 0, PictureBoxClassName(), L"", style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) throw FrameworkError("picture box " + name_ + " could not be made");
    image_.Resize(InteriorWidthPx(), InteriorHeightPx(), backColor_);
    image_.Clear(backColor_);
    image_.DrawPicture(picture_, 0, 0);
}

void PictureBox::Destroy() {
    DetachAndDestroy(hwnd_);
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
    if (!image_.SaveAsBitmap24(utf8Path))
        throw FrameworkError("the picture could not be saved as " + utf8Path);
}

void PictureBox::Refresh() {
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

LRESULT CALLBACK PictureBox::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = WindowObject<PictureBox>(hwnd, msg, lp);
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    Form& form = self->ParentForm();
    Form::DispatchGuard guard(form);
    const auto background = [self](HDC target) { self->image_.PaintTo(target, 0, 0); };
    if (std::optional<LRESULT> handled = form.Host().Handle(self, hwnd, msg, wp, lp, background))
        return *handled;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

const wchar_t* PictureBoxClassName() {
    static bool registered = false;
    return FrameworkClass(registered, L"QvPictureBox", PictureBox::WndProcAddress());
}

}  // namespace qv

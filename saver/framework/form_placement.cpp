#include "saver/framework/form.h"

#include "saver/framework/program.h"
#include "saver/framework/twips.h"

namespace qv {
namespace {

RECT OuterRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    if (GetWindowLongW(h, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

int Form::Left() const { return hwnd_ ? OuterRect(hwnd_).left * TwipsPerPixelX() : design_.left; }
int Form::Top() const { return hwnd_ ? OuterRect(hwnd_).top * TwipsPerPixelY() : design_.top; }
int Form::Width() const {
    if (!hwnd_) return design_.clientWidth;
    RECT r = OuterRect(hwnd_);
    return (r.right - r.left) * TwipsPerPixelX();
}
int Form::Height() const {
    if (!hwnd_) return design_.clientHeight;
    RECT r = OuterRect(hwnd_);
    return (r.bottom - r.top) * TwipsPerPixelY();
}

void Form::Move(int left, int top, std::optional<int> width, std::optional<int> height) {
    if (!hwnd_) throw FrameworkError("form " + design_.name + " is not loaded");
    const int tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    RECT r = OuterRect(hwnd_);
    const int w = width ? TwipsToPixels(*width, tx) : r.right - r.left;
    const int h = height ? TwipsToPixels(*height, ty) : r.bottom - r.top;
    if (w < 0 || h < 0) throw FrameworkError("negative form size");
    SetWindowPos(hwnd_, nullptr, TwipsToPixels(left, tx), TwipsToPixels(top, ty), w, h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetWidth(int twips) { Move(Left(), Top(), twips, Height()); }
void Form::SetHeight(int twips) { Move(Left(), Top(), Width(), twips); }

int Form::ScaleWidth() const {
    if (!hwnd_)
        return scaleMode_ == ScaleMode::Twips ? design_.clientWidth
                                              : TwipsToPixels(design_.clientWidth, TwipsPerPixelX());
    RECT c{};
    GetClientRect(hwnd_, &c);
    return PixelsToScale(c.right, scaleMode_, TwipsPerPixelX());
}

int Form::ScaleHeight() const {
    if (!hwnd_)
        return scaleMode_ == ScaleMode::Twips ? design_.clientHeight
                                              : TwipsToPixels(design_.clientHeight, TwipsPerPixelY());
    RECT c{};
    GetClientRect(hwnd_, &c);
    return PixelsToScale(c.bottom, scaleMode_, TwipsPerPixelY());
}

int Form::TwipsPerPixelX() const { return qv::TwipsPerPixelX(); }
int Form::TwipsPerPixelY() const { return qv::TwipsPerPixelY(); }

}  // namespace qv

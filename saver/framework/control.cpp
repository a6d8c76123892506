#include "saver/framework/control.h"

#include "saver/framework/form.h"
#include "saver/framework/framework_internal.h"
#include "saver/framework/twips.h"

namespace qv {

Control::Control(Form& form, const ControlDesign& design) : kind_(design.kind) { Init(form, design); }

Control::Control(ControlKind kind) : kind_(kind) {}

Control::~Control() = default;

void Control::Init(Form& form, const ControlDesign& design) {
    form_ = &form;
    design_ = design;
    design_.factory = nullptr;  // the design keeps no reference to the control's maker
    kind_ = design.kind;
    name_ = design.name;
    index_ = design.index;
    leftTw_ = design.left;
    topTw_ = design.top;
    widthTw_ = design.width;
    heightTw_ = design.height;
    visible_ = design.visible;
    enabled_ = design.enabled;
    tabStop_ = design.tabStop;
    tabIndex_ = design.tabIndex;
    pointer_ = design.mousePointer;
    pointerIcon_ = design.mouseIconResource;
}

std::string Control::TypeName() const { return KindName(kind_); }

namespace {
// Inside a container control positions are twips; on the form, the form's scale.
ScaleMode ScaleOf(const Control& c) {
    return c.Container() ? ScaleMode::Twips : c.ParentForm().GetScaleMode();
}
}  // namespace

int Control::Left() const { return PixelsToScaleOr(leftTw_, true); }
int Control::Top() const { return PixelsToScaleOr(topTw_, false); }
int Control::Width() const { return PixelsToScaleOr(widthTw_, true); }
int Control::Height() const { return PixelsToScaleOr(heightTw_, false); }

int Control::PixelsToScaleOr(int twips, bool horizontal) const {
    if (ScaleOf(*this) == ScaleMode::Twips) return twips;
    return TwipsToPixels(twips, horizontal ? form_->TwipsPerPixelX() : form_->TwipsPerPixelY());
}

int Control::ScaleToTwips(int v, bool horizontal) const {
    if (ScaleOf(*this) == ScaleMode::Twips) return v;
    return PixelsToTwips(v, horizontal ? form_->TwipsPerPixelX() : form_->TwipsPerPixelY());
}

void Control::SetLeft(int v) { MoveTwips(ScaleToTwips(v, true), topTw_, widthTw_, heightTw_); }
void Control::SetTop(int v) { MoveTwips(leftTw_, ScaleToTwips(v, false), widthTw_, heightTw_); }
void Control::SetWidth(int v) { MoveTwips(leftTw_, topTw_, ScaleToTwips(v, true), heightTw_); }
void Control::SetHeight(int v) { MoveTwips(leftTw_, topTw_, widthTw_, ScaleToTwips(v, false)); }

void Control::Move(int left, int top, int width, int height) {
    MoveTwips(ScaleToTwips(left, true), ScaleToTwips(top, false), ScaleToTwips(width, true),
              ScaleToTwips(height, false));
}

void Control::Move(int left, int top) {
    MoveTwips(ScaleToTwips(left, true), ScaleToTwips(top, false), widthTw_, heightTw_);
}

void Control::MoveTwips(int left, int top, int width, int height) {
    if (width < 0 || height < 0) throw FrameworkError("negative size for " + name_);
    if (form_->IsLoaded() && kind_ != ControlKind::Timer && !hWnd()) form_->InvalidateControl(*this);
    leftTw_ = left;
    topTw_ = top;
    widthTw_ = width;
    heightTw_ = height;
    ApplyPlacement();
}

RECT Control::PixelRect() const {
    const int tx = form_->TwipsPerPixelX(), ty = form_->TwipsPerPixelY();
    RECT r;
    r.left = TwipsToPixels(leftTw_, tx);
    r.top = TwipsToPixels(topTw_, ty);
    r.right = r.left + TwipsToPixels(widthTw_, tx);
    r.bottom = r.top + TwipsToPixels(heightTw_, ty);
    return r;
}

void Control::ApplyPlacement() {
    if (!form_->IsLoaded()) return;
    if (HWND h = hWnd()) {
        RECT r = PixelRect();
        SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (kind_ != ControlKind::Timer) {
        form_->InvalidateControl(*this);
    }
    OnPlaced();
}

void Control::SetVisible(bool v) {
    visible_ = v;
    if (HWND h = hWnd()) {
        ShowWindow(h, v ? SW_SHOWNA : SW_HIDE);
    } else if (form_->IsLoaded() && kind_ != ControlKind::Timer) {
        form_->InvalidateControl(*this);
    }
}

void Control::SetEnabled(bool e) {
    enabled_ = e;
    if (HWND h = hWnd())
        EnableWindow(h, e);
    else if (form_->IsLoaded() && kind_ != ControlKind::Timer)
        form_->InvalidateControl(*this);
}

void Control::SetFocus() {
    HWND h = hWnd();
    if (!h || !CanTakeFocus() || !IsWindowVisible(h) || !IsWindowEnabled(h))
        throw FrameworkError(name_ + " cannot take the focus now");
    ::SetFocus(h);
}

bool Control::HasFocus() const {
    HWND h = hWnd();
    HWND f = GetFocus();
    return h && f && (f == h || IsChild(h, f));
}

HCURSOR Control::CursorFor() const { return CursorForPointer(pointer_, pointerIcon_); }

void Control::Refresh() {
    if (HWND h = hWnd()) {
        InvalidateRect(h, nullptr, FALSE);
        UpdateWindow(h);
    } else if (form_->IsLoaded() && kind_ != ControlKind::Timer) {
        form_->InvalidateControl(*this);
    }
}

void Control::Destroy() {}

}  // namespace qv

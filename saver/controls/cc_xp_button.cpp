#include "saver/controls/cc_xp_button.h"

#include "saver/controls/colour_math.h"
#include "saver/controls/gdi_canvas.h"
#include "saver/framework/application.h"
#include "saver/framework/form.h"
#include "saver/framework/program.h"

namespace qv::controls {

namespace {

constexpr UINT kMouseLeave = WM_MOUSELEAVE;  // 0x2A3

}  // namespace

ccXPButton::ccXPButton() : UserControl("ccXPButton"), model_(*this), hooks_(*this) {
    // Like any push button: while it has the focus it is the one shown as the default.
    SetDefaultCancel(true);
    // Nothing is drawn until the properties are loaded or Enabled is set.
    const FontDesc font = ButtonDefaultFont();
    model_.OnCreate(font);
    SetDrawingFont(font);
}

ccXPButton::~ccXPButton() {
    // Hooks go before the window and the model they call into.
    StopHooks();
    if (font_) DeleteObject(font_);
}

void ccXPButton::Terminate() {
    model_.OnDestroy();
    if (font_) {
        DeleteObject(font_);
        font_ = nullptr;
    }
}

void ccXPButton::pFONT_FontChanged(const std::string&) { model_.OnFontChanged(); }

// ---- drawing ----------------------------------------------------------------------------

ButtonCanvas* ccXPButton::Canvas() {
    canvas_.reset();
    if (hDC() == nullptr || Image().Width() <= 0 || Image().Height() <= 0) return nullptr;
    canvas_ = std::make_unique<GdiButtonCanvas>(hDC(), Image().Width(), Image().Height(), hWnd(), font_,
                                                static_cast<Colour>(ToColorRef(Ambient().BackColor)));
    return canvas_.get();
}

void ccXPButton::DoneDrawing() {
    canvas_.reset();
    UserControl::Refresh();
}

int ccXPButton::InnerWidthPixels() {
    const int tpp = ParentForm().TwipsPerPixelX();
    return static_cast<int>(RoundHalfEven(UserControl::ScaleWidth() / double(tpp > 0 ? tpp : 1)));
}

int ccXPButton::InnerHeightPixels() {
    const int tpp = ParentForm().TwipsPerPixelY();
    return static_cast<int>(RoundHalfEven(UserControl::ScaleHeight() / double(tpp > 0 ? tpp : 1)));
}

void ccXPButton::SetOuterWidthTwips(double twips) {
    MoveTwips(LeftTwips(), TopTwips(), static_cast<int>(twips), HeightTwips());
}

void ccXPButton::SetOuterHeightTwips(double twips) {
    MoveTwips(LeftTwips(), TopTwips(), WidthTwips(), static_cast<int>(twips));
}

void ccXPButton::SetDrawingFont(const FontDesc& font) {
    HFONT made = CreateFontFor(font);
    if (made == nullptr) return;  // keep drawing with the font we have
    if (font_) DeleteObject(font_);
    font_ = made;
    SetFontDesc(font);
}

// ---- the form around the button ---------------------------------------------------------

std::vector<std::string> ccXPButton::ButtonCaptionsOnForm() {
    std::vector<std::string> captions;
    for (const SiblingInfo& s : ParentControls()) {
        if (s.typeName != "ccXPButton") continue;
        if (auto* b = dynamic_cast<ccXPButton*>(s.control)) captions.push_back(b->Caption());
    }
    return captions;
}

std::string ccXPButton::ControlName() {
    return Ambient().DisplayName.empty() ? Name() : Ambient().DisplayName;
}

void ccXPButton::QueueKeys(const std::string& keys) {
    try {
        qv::SendKeys(keys);
    } catch (const FrameworkError&) {
        // Focus keys only; nothing to recover.
    }
}

void ccXPButton::PumpMessages() { DoEvents(); }

void ccXPButton::RaiseMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
    EventArgs args{static_cast<double>(button), static_cast<double>(shift), x, y};
    RaiseEvent("MouseMove", args);
}

void ccXPButton::RaiseFormActivate(std::int32_t& state) {
    EventArgs args{static_cast<double>(state)};
    RaiseEvent("FormActivate", args);
    if (!args.empty()) state = static_cast<std::int32_t>(args[0]);
}

// ---- input ------------------------------------------------------------------------------

void ccXPButton::MouseDown(int button, int shift, double x, double y) {
    model_.OnMouseDown(static_cast<std::int16_t>(button), static_cast<std::int16_t>(shift),
                       static_cast<float>(x), static_cast<float>(y));
}

void ccXPButton::MouseMove(int button, int shift, double x, double y) {
    model_.OnMouseMove(static_cast<std::int16_t>(button), static_cast<std::int16_t>(shift),
                       static_cast<float>(x), static_cast<float>(y));
}

void ccXPButton::MouseUp(int button, int shift, double x, double y) {
    model_.OnMouseUp(static_cast<std::int16_t>(button), static_cast<std::int16_t>(shift),
                     static_cast<float>(x), static_cast<float>(y));
}

void ccXPButton::SnapMouseTo() {
    HWND own = hWnd();
    if (own == nullptr) return;
    POINT origin{0, 0};
    if (!ClientToScreen(own, &origin)) return;
    const double halfW = UserControl::ScaleWidth() / 2.0 / ParentForm().TwipsPerPixelX();
    const double halfH = UserControl::ScaleHeight() / 2.0 / ParentForm().TwipsPerPixelY();
    SetCursorPos(static_cast<int>(RoundHalfEven(origin.x + halfW)),
                 static_cast<int>(RoundHalfEven(origin.y + halfH)));
}

// ---- hooks ------------------------------------------------------------------------------

void ccXPButton::StartHooks() {
    ownHwnd_ = hWnd();
    if (hooks_.SubclassStart(ownHwnd_)) hooks_.SubclassAddMsg(ownHwnd_, kMouseLeave, kMsgAfter);
    const UINT activation = ParentIsMDIChild() ? WM_NCACTIVATE : WM_ACTIVATE;
    if (hooks_.SubclassStart(parentHwnd_)) hooks_.SubclassAddMsg(parentHwnd_, activation, kMsgAfter);
    hooked_ = true;
}

void ccXPButton::StopHooks() {
    if (!hooked_) return;
    hooked_ = false;
    hooks_.SubclassStop(ownHwnd_);
    hooks_.SubclassStop(parentHwnd_);
}

void ccXPButton::TrackMouseLeave() {
    if (hWnd()) TrackLeave(hWnd());
}

void ccXPButton::zSubclass_Proc(bool, bool&, LRESULT&, HWND& lng_hWnd, UINT& uMsg, WPARAM& wParam, LPARAM&) {
    switch (uMsg) {
        case WM_MOUSELEAVE:
            if (lng_hWnd == ownHwnd_) model_.OnMouseLeave();
            break;
        case WM_ACTIVATE:
            // The high word flags a minimised form; only the low word tells activation.
            if (lng_hWnd == parentHwnd_) model_.OnFormActivation(LOWORD(wParam) != WA_INACTIVE);
            break;
        case WM_NCACTIVATE:
            if (lng_hWnd == parentHwnd_) model_.OnFormActivation(wParam != 0);
            break;
        default:
            break;
    }
}

}  // namespace qv::controls

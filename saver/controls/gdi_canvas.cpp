#include "saver/controls/gdi_canvas.h"

#include <cmath>

#include "saver/framework/ansi_text.h"
#include "saver/framework/persistent_image.h"

namespace qv::controls {

// ---- frame ------------------------------------------------------------------------------

GdiFrameCanvas::GdiFrameCanvas(HDC dc, int width, int height) : dc_(dc), width_(width), height_(height) {}

GdiFrameCanvas::~GdiFrameCanvas() {
    if (originalPen_) SelectObject(dc_, originalPen_);
    if (originalBrush_) SelectObject(dc_, originalBrush_);
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
}

void GdiFrameCanvas::SelectPen(HPEN pen) {
    if (pen == nullptr) return;
    HGDIOBJ old = SelectObject(dc_, pen);
    if (!originalPen_) originalPen_ = old;
    if (pen_) DeleteObject(pen_);
    pen_ = pen;
}

void GdiFrameCanvas::SelectBrush(HBRUSH brush) {
    if (brush == nullptr) return;
    HGDIOBJ old = SelectObject(dc_, brush);
    if (!originalBrush_) originalBrush_ = old;
    if (brush_) DeleteObject(brush_);
    brush_ = brush;
}

void GdiFrameCanvas::SetBackColour(Colour colour) {
    back_ = colour;
    SetBkColor(dc_, colour);
}

void GdiFrameCanvas::Clear() {
    HBRUSH b = CreateSolidBrush(back_);
    if (!b) return;
    RECT r{0, 0, width_, height_};
    FillRect(dc_, &r, b);
    DeleteObject(b);
}

void GdiFrameCanvas::SetPen(Colour colour) { SelectPen(CreatePen(PS_SOLID, 1, colour)); }

void GdiFrameCanvas::SetFillSolid(Colour colour) { SelectBrush(CreateSolidBrush(colour)); }

void GdiFrameCanvas::SetFillTransparent() {
    // The stock hollow brush is never deleted, so only the canvas's own one is let go.
    HGDIOBJ old = SelectObject(dc_, GetStockObject(NULL_BRUSH));
    if (!originalBrush_) originalBrush_ = old;
    if (brush_) DeleteObject(brush_);
    brush_ = nullptr;
}

void GdiFrameCanvas::Rectangle(int left, int top, int right, int bottom) {
    ::Rectangle(dc_, left, top, right, bottom);
}

void GdiFrameCanvas::RoundRectangle(int left, int top, int right, int bottom, int ellipseW, int ellipseH) {
    ::RoundRect(dc_, left, top, right, bottom, ellipseW, ellipseH);
}

std::optional<Colour> GdiFrameCanvas::GetPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return std::nullopt;
    const COLORREF c = ::GetPixel(dc_, x, y);
    if (c == CLR_INVALID) return std::nullopt;
    return static_cast<Colour>(c);
}

void GdiFrameCanvas::SetPixel(int x, int y, Colour colour) { ::SetPixelV(dc_, x, y, colour); }

// ---- button -----------------------------------------------------------------------------

GdiButtonCanvas::GdiButtonCanvas(HDC dc, int width, int height, HWND window, HFONT font, Colour background)
    : dc_(dc), width_(width), height_(height), window_(window), font_(font), background_(background) {}

void GdiButtonCanvas::Clear() {
    HBRUSH b = CreateSolidBrush(background_);
    if (!b) return;
    RECT r{0, 0, width_, height_};
    FillRect(dc_, &r, b);
    DeleteObject(b);
}

void GdiButtonCanvas::Line(int x1, int y1, int x2, int y2, Colour colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    if (!pen) return;
    HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
    SelectObject(dc_, old);
    DeleteObject(pen);
}

void GdiButtonCanvas::Fill(const PixelRect& rect, Colour colour) {
    HBRUSH b = CreateSolidBrush(colour);
    if (!b) return;
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    FillRect(dc_, &r, b);
    DeleteObject(b);
}

void GdiButtonCanvas::SetPixel(int x, int y, Colour colour) { ::SetPixelV(dc_, x, y, colour); }

void GdiButtonCanvas::SetRoundRegion(int right, int bottom, int ellipseW, int ellipseH) {
    if (window_ == nullptr) return;
    HRGN rgn = CreateRoundRectRgn(0, 0, right, bottom, ellipseW, ellipseH);
    if (!rgn) return;
    // On success the window owns the region; otherwise it is still ours to free.
    if (!SetWindowRgn(window_, rgn, TRUE)) DeleteObject(rgn);
}

void GdiButtonCanvas::Caption(const std::string& utf8, const PixelRect& rect, Colour colour) {
    const std::wstring text = Widen(utf8);
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    const int oldMode = SetBkMode(dc_, TRANSPARENT);
    // ForeColor may name a system colour (high bit set), which only the platform can resolve.
    const COLORREF oldColour = SetTextColor(dc_, ToColorRef(colour));
    HGDIOBJ oldFont = font_ ? SelectObject(dc_, font_) : nullptr;
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (oldFont) SelectObject(dc_, oldFont);
    SetTextColor(dc_, oldColour);
    SetBkMode(dc_, oldMode);
}

void GdiButtonCanvas::FocusRectangle(const PixelRect& rect) {
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    const COLORREF oldText = SetTextColor(dc_, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc_, RGB(255, 255, 255));
    DrawFocusRect(dc_, &r);
    SetBkColor(dc_, oldBack);
    SetTextColor(dc_, oldText);
}

}  // namespace qv::controls

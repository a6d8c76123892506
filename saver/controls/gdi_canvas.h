#pragma once
// The drawing targets on GDI: a device context holding the control's persistent image.
#include <windows.h>

#include "saver/controls/button_canvas.h"
#include "saver/controls/frame_canvas.h"
#include "saver/framework/font_desc.h"
#include "saver/framework/persistent_image.h"

namespace qv::controls {

// Pens and brushes selected into the context are the canvas's; the context gets its
// original ones back when the canvas goes.
class GdiFrameCanvas : public FrameCanvas {
  public:
    GdiFrameCanvas(HDC dc, int width, int height);
    ~GdiFrameCanvas() override;
    GdiFrameCanvas(const GdiFrameCanvas&) = delete;
    GdiFrameCanvas& operator=(const GdiFrameCanvas&) = delete;

    void SetBackColour(Colour colour) override;
    void Clear() override;
    void SetPen(Colour colour) override;
    void SetFillSolid(Colour colour) override;
    void SetFillTransparent() override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void RoundRectangle(int left, int top, int right, int bottom, int ellipseW, int ellipseH) override;
    std::optional<Colour> GetPixel(int x, int y) override;
    void SetPixel(int x, int y, Colour colour) override;

  private:
    void SelectPen(HPEN pen);
    void SelectBrush(HBRUSH brush);

    HDC dc_;
    int width_, height_;
    Colour back_ = 0;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;
};

class GdiButtonCanvas : public ButtonCanvas {
  public:
    // `window` receives the shape; it may be null (nothing is shaped then).
    GdiButtonCanvas(HDC dc, int width, int height, HWND window, HFONT font, Colour background);

    void Clear() override;
    void Line(int x1, int y1, int x2, int y2, Colour colour) override;
    void Fill(const PixelRect& rect, Colour colour) override;
    void SetPixel(int x, int y, Colour colour) override;
    void SetRoundRegion(int right, int bottom, int ellipseW, int ellipseH) override;
    void Caption(const std::string& utf8, const PixelRect& rect, Colour colour) override;
    void FocusRectangle(const PixelRect& rect) override;

  private:
    HDC dc_;
    int width_, height_;
    HWND window_;
    HFONT font_;
    Colour background_;
};

}  // namespace qv::controls

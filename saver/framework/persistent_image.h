#pragma once
// An off-screen image that keeps what is drawn into it; its window shows it on every repaint.
// Picture boxes and user controls each own one. 32 bits per pixel whatever the display.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "saver/framework/bitmap24.h"
#include "saver/framework/colour.h"
#include "saver/framework/font_desc.h"
#include "saver/framework/picture.h"

namespace qv {

class PersistentImage {
  public:
    PersistentImage();
    ~PersistentImage();
    PersistentImage(const PersistentImage&) = delete;
    PersistentImage& operator=(const PersistentImage&) = delete;

    // New size in pixels; what fits is kept, new area is filled with `fill`.
    void Resize(int width, int height, Colour fill);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // A memory device context with the image selected; valid for the life of this object
    // (across resizes). Draw into it with GDI.
    HDC hDC() const {
        touched_ = true;
        return dc_;
    }
    // Whether hDC() was handed out since the last call (the window then repaints at idle).
    bool TakeTouched() const {
        bool t = touched_;
        touched_ = false;
        return t;
    }

    void Clear(Colour colour);
    Colour Pixel(int x, int y) const;       // 0xFFFFFFFF outside the image
    void SetPixel(int x, int y, Colour c);  // ignored outside
    void DrawPicture(const Picture& p, int x, int y, int width = 0, int height = 0);

    Picture Snapshot() const;     // a copy, for the Picture/Image properties
    Bitmap24 ToBitmap24() const;  // top-down BGR rows
    // Writes the image as a 24-bit bitmap file; false (and no partial file left) on failure.
    bool SaveAsBitmap24(const std::string& utf8Path) const;
    // Copies the image to a window's device context (the repaint).
    void PaintTo(HDC target, int x, int y) const;

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
    mutable bool touched_ = false;
};

// Resolves a system colour reference to its rgb value; rgb values pass unchanged.
COLORREF ToColorRef(Colour c);

// A GDI font for a font description (caller deletes it).
HFONT CreateFontFor(const FontDesc& font);

// Writes bytes to a file (UTF-8 path), replacing it; false on any failure, leaving no partial file.
bool WriteWholeFile(const std::string& utf8Path, const std::vector<std::uint8_t>& bytes);

}  // namespace qv

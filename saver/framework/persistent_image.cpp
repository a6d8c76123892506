#include "saver/framework/persistent_image.h"

#include <algorithm>
#include <cmath>

#include "saver/framework/ansi_text.h"
#include "saver/framework/control.h"

namespace qv {

PersistentImage::PersistentImage() { dc_ = CreateCompatibleDC(nullptr); }

PersistentImage::~PersistentImage() {
    if (dc_) {
        if (oldBitmap_) SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
}

void PersistentImage::Resize(int width, int height, Colour fill) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (width == width_ && height == height_) return;
    HBITMAP dib = nullptr;
    void* bits = nullptr;
    if (width > 0 && height > 0) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;  // top-down: row y at bits + y * width
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!dib)
            throw FrameworkError("not enough memory for an image of " + std::to_string(width) + " x " +
                                 std::to_string(height));
    }
    // Fill the new image, then keep what fits of the old one.
    HDC tmp = CreateCompatibleDC(nullptr);
    if (dib) {
        HGDIOBJ o = SelectObject(tmp, dib);
        HBRUSH b = CreateSolidBrush(ToColorRef(fill));
        RECT r{0, 0, width, height};
        FillRect(tmp, &r, b);
        DeleteObject(b);
        if (bitmap_)
            BitBlt(tmp, 0, 0, std::min(width, width_), std::min(height, height_), dc_, 0, 0, SRCCOPY);
        SelectObject(tmp, o);
    }
    DeleteDC(tmp);
    if (oldBitmap_) {
        SelectObject(dc_, oldBitmap_);
        oldBitmap_ = nullptr;
    }
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = dib;
    bits_ = static_cast<std::uint32_t*>(bits);
    width_ = dib ? width : 0;
    height_ = dib ? height : 0;
    if (dib) oldBitmap_ = SelectObject(dc_, dib);
    touched_ = true;
}

void PersistentImage::Clear(Colour colour) {
    if (!bitmap_) return;
    HBRUSH b = CreateSolidBrush(ToColorRef(colour));
    RECT r{0, 0, width_, height_};
    FillRect(dc_, &r, b);
    DeleteObject(b);
    touched_ = true;
}

Colour PersistentImage::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFFu;
    GdiFlush();
    std::uint32_t v = bits_[static_cast<std::size_t>(y) * width_ + x];
    return Rgb((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void PersistentImage::SetPixel(int x, int y, Colour c) {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    GdiFlush();
    COLORREF rgb = ToColorRef(c);
    bits_[static_cast<std::size_t>(y) * width_ + x] =
        (static_cast<std::uint32_t>(GetRValue(rgb)) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
    touched_ = true;
}

void PersistentImage::DrawPicture(const Picture& p, int x, int y, int width, int height) {
    if (!bitmap_) return;
    p.Draw(dc_, x, y, width, height);
    touched_ = true;
}

Picture PersistentImage::Snapshot() const {
    if (!bitmap_) return {};
    return Picture::FromDC(dc_, 0, 0, width_, height_);
}

Bitmap24 PersistentImage::ToBitmap24() const {
    Bitmap24 out;
    out.width = width_;
    out.height = height_;
    out.bgr.resize(static_cast<std::size_t>(width_) * height_ * 3);
    if (!bits_) return out;
    GdiFlush();
    const std::size_t n = static_cast<std::size_t>(width_) * height_;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t v = bits_[i];
        out.bgr[i * 3] = static_cast<std::uint8_t>(v);
        out.bgr[i * 3 + 1] = static_cast<std::uint8_t>(v >> 8);
        out.bgr[i * 3 + 2] = static_cast<std::uint8_t>(v >> 16);
    }
    return out;
}

bool PersistentImage::SaveAsBitmap24(const std::string& utf8Path) const {
    std::vector<std::uint8_t> bytes = EncodeBitmap24(ToBitmap24());
    if (bytes.empty()) return false;
    return WriteWholeFile(utf8Path, bytes);
}

void PersistentImage::PaintTo(HDC target, int x, int y) const {
    if (bitmap_) BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

COLORREF ToColorRef(Colour c) {
    if (IsSystemColour(c)) return GetSysColor(static_cast<int>(c & 0xFF));
    return static_cast<COLORREF>(c & 0x00FFFFFFu);
}

HFONT CreateFontFor(const FontDesc& font) {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.size * dpi / 72.0));
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikethrough;
    lf.lfCharSet = static_cast<BYTE>(font.charset);
    lf.lfQuality = DEFAULT_QUALITY;
    std::wstring face = Widen(font.name);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

bool WriteWholeFile(const std::string& utf8Path, const std::vector<std::uint8_t>& bytes) {
    if (utf8Path.empty()) return false;
    // Written beside the target, then put in its place, so a failed write never leaves a
    // truncated file under the real name.
    const std::wstring path = Widen(utf8Path);
    // A read-only file stays as it is, as a write in place would leave it: on some platforms
    // the replacement below gets past the attribute.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    const std::wstring temp = path + L".~qv";
    HANDLE h =
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    ok = CloseHandle(h) && ok;
    if (ok) ok = MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

}  // namespace qv

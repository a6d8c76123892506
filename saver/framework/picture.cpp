#include "saver/framework/picture.h"

#include "saver/framework/control.h"

namespace qv {

struct Picture::Data {
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
    ~Data() {
        if (bitmap) DeleteObject(bitmap);
    }
};

namespace {

HBITMAP NewDib(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

Picture Picture::FromResource(int resourceId) {
    if (resourceId <= 0) return {};
    HANDLE h = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0,
                          LR_CREATEDIBSECTION);
    if (!h) throw FrameworkError("no bitmap resource " + std::to_string(resourceId));
    return Adopt(static_cast<HBITMAP>(h));
}

Picture Picture::Adopt(HBITMAP bitmap) {
    if (!bitmap) return {};
    BITMAP bm{};
    if (!GetObjectW(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight == 0) {
        DeleteObject(bitmap);
        return {};
    }
    const int w = bm.bmWidth, h = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    HDC src = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSrc = SelectObject(src, bitmap);
    Picture p = FromDC(src, 0, 0, w, h);
    SelectObject(src, oldSrc);
    DeleteDC(src);
    DeleteObject(bitmap);
    return p;
}

Picture Picture::FromDC(HDC dc, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    HBITMAP dib = NewDib(width, height);
    if (!dib) throw FrameworkError("not enough memory for a picture");
    HDC dst = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dst, dib);
    BitBlt(dst, 0, 0, width, height, dc, x, y, SRCCOPY);
    SelectObject(dst, old);
    DeleteDC(dst);
    auto d = std::make_shared<Data>();
    d->bitmap = dib;
    d->width = width;
    d->height = height;
    Picture p;
    p.data_ = std::move(d);
    return p;
}

int Picture::Width() const { return data_ ? data_->width : 0; }
int Picture::Height() const { return data_ ? data_->height : 0; }
HBITMAP Picture::Handle() const { return data_ ? data_->bitmap : nullptr; }

void Picture::Draw(HDC dc, int x, int y, int width, int height) const {
    if (!data_) return;
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(src, data_->bitmap);
    if (width <= 0 || height <= 0 || (width == data_->width && height == data_->height)) {
        BitBlt(dc, x, y, data_->width, data_->height, src, 0, 0, SRCCOPY);
    } else {
        int oldMode = SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, x, y, width, height, src, 0, 0, data_->width, data_->height, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
    SelectObject(src, old);
    DeleteDC(src);
}

}  // namespace qv

#pragma once
// A picture: an immutable device-independent bitmap shared by whoever holds it, so copying a
// Picture between controls is cheap and the bitmap lives while any holder does.
#include <windows.h>

#include <memory>
#include <string>

namespace qv {

class Picture {
  public:
    Picture() = default;

    // A bitmap resource of the running program (0 or missing: an empty picture).
    static Picture FromResource(int resourceId);
    // Takes ownership of a bitmap handle (made a 32-bit DIB copy; the original is deleted).
    static Picture Adopt(HBITMAP bitmap);
    // A copy of a rectangle of a device context.
    static Picture FromDC(HDC dc, int x, int y, int width, int height);

    bool Empty() const { return !data_; }
    int Width() const;   // pixels
    int Height() const;  // pixels
    HBITMAP Handle() const;

    // Draws at (x, y); width/height below 1 mean the picture's own size (stretched otherwise).
    void Draw(HDC dc, int x, int y, int width = 0, int height = 0) const;

    bool operator==(const Picture& o) const { return data_ == o.data_; }
    bool operator!=(const Picture& o) const { return data_ != o.data_; }

  private:
    struct Data;
    std::shared_ptr<const Data> data_;
};

}  // namespace qv

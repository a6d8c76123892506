#pragma once
// A picture box (a child window) with a persistent image: what is drawn into hDC() stays
// across repaints, even while the box is hidden or never shown.
#include "saver/framework/control.h"
#include "saver/framework/persistent_image.h"

namespace qv {

class PictureBox : public Control {
  public:
    PictureBox(Form& form, const ControlDesign& design);
    ~PictureBox() override;

    // The picture property: setting it clears the image and draws the picture at (0, 0).
    const qv::Picture& Picture() const { return picture_; }
    void SetPicture(const qv::Picture& p);
    // What the image holds now (drawings included).
    qv::Picture Image() const { return image_.Snapshot(); }

    HDC hDC() const { return image_.hDC(); }
    PersistentImage& Surface() { return image_; }
    void Cls();
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour c);

    ScaleMode GetScaleMode() const { return scaleMode_; }
    void SetScaleMode(ScaleMode m) { scaleMode_ = m; }
    int ScaleWidth() const;  // interior, in the box's scale mode
    int ScaleHeight() const;

    // The whole image as a 24-bit bottom-up bitmap file; throws FrameworkError on failure.
    void SaveAsBitmap24(const std::string& utf8Path) const;

    HWND hWnd() const override { return hwnd_; }
    bool IsContainer() const override { return true; }
    void Create(HWND parent) override;
    void Destroy() override;
    void OnPlaced() override;
    void Refresh() override;
    static WNDPROC WndProcAddress() { return WndProc; }

  private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    int InteriorWidthPx() const;
    int InteriorHeightPx() const;

    HWND hwnd_ = nullptr;
    PersistentImage image_;
    qv::Picture picture_;
    Colour backColor_;
    ScaleMode scaleMode_;
    bool border_;
};

}  // namespace qv

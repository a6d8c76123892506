#pragma once
// An image, drawn by its container: a picture at its own size from the top-left corner, or
// stretched to the control.
#include "saver/framework/control.h"
#include "saver/framework/picture.h"

namespace qv {

class Image : public Control {
  public:
    Image(Form& form, const ControlDesign& design);

    const qv::Picture& Picture() const { return picture_; }
    void SetPicture(const qv::Picture& p);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool s);

    void Create(HWND) override {}
    void PaintOn(HDC dc, const RECT& r) override;

  private:
    qv::Picture picture_;
    bool stretch_;
};

}  // namespace qv

#include "saver/framework/image_control.h"

namespace qv {

Image::Image(Form& form, const ControlDesign& d) : Control(form, d), stretch_(d.stretch) {
    if (d.pictureResource) picture_ = qv::Picture::FromResource(d.pictureResource);
}

void Image::SetPicture(const qv::Picture& p) {
    picture_ = p;
    Refresh();
}
void Image::SetStretch(bool s) {
    stretch_ = s;
    Refresh();
}

void Image::PaintOn(HDC dc, const RECT& r) {
    if (picture_.Empty()) return;
    // Drawn at its own size from the top-left corner, cut at the control's edges.
    int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    if (stretch_)
        picture_.Draw(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
    else
        picture_.Draw(dc, r.left, r.top);
    RestoreDC(dc, saved);
}

}  // namespace qv

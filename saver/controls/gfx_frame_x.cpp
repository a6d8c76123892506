#include "saver/controls/gfx_frame_x.h"

#include "saver/controls/gdi_canvas.h"
#include "saver/framework/form.h"
#include "saver/framework/program.h"

namespace qv::controls {

GFXFrameX::GFXFrameX() : UserControl("GFXFrameX", /*isContainer=*/true), model_(*this) {}

void GFXFrameX::Refresh() { model_.Refresh(); }

FrameCanvas* GFXFrameX::Canvas() {
    canvas_.reset();
    if (hDC() == nullptr || Image().Width() <= 0 || Image().Height() <= 0) return nullptr;
    canvas_ = std::make_unique<GdiFrameCanvas>(hDC(), Image().Width(), Image().Height());
    return canvas_.get();
}

void GFXFrameX::DoneDrawing() {
    canvas_.reset();  // gives the context its own pen and brush back
    UserControl::Refresh();
}

FrameSizeTwips GFXFrameX::Size() {
    // Every size goes through the horizontal factor, as the panel has always been drawn.
    return {static_cast<double>(WidthTwips()), static_cast<double>(HeightTwips()),
            static_cast<double>(ScaleWidth()), static_cast<double>(ScaleHeight()),
            static_cast<double>(ParentForm().TwipsPerPixelX())};
}

Colour GFXFrameX::ResolveColour(Colour colour) { return static_cast<Colour>(ToColorRef(colour)); }

}  // namespace qv::controls

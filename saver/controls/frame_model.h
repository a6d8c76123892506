#pragma once
// The frame panel's properties, persistence and drawing, free of any window.
#include <cstdint>
#include <string>

#include "saver/controls/colour_math.h"
#include "saver/controls/frame_canvas.h"
#include "saver/framework/property_bag.h"

namespace qv::controls {

// Sizes of the control in twips, and the screen's horizontal twips per pixel.
struct FrameSizeTwips {
    double width = 0;
    double height = 0;
    double scaleWidth = 0;
    double scaleHeight = 0;
    double twipsPerPixel = 15;
};

// Pixel sizes of the control: outer and inner (scale) width and height.
struct FrameGeometry {
    int width = 0;
    int height = 0;
    int scaleWidth = 0;
    int scaleHeight = 0;
};

// What the frame needs from the form that holds it.
class FrameHost {
  public:
    virtual ~FrameHost() = default;
    virtual Colour AmbientBackColour() = 0;
    virtual void ReportChanged(const std::string& key) = 0;
    // Null while the control has no image to draw on.
    virtual FrameCanvas* Canvas() = 0;
    // A drawing on the canvas is complete: time to show it.
    virtual void DoneDrawing() {}
    virtual FrameSizeTwips Size() = 0;
    // Turns a colour reference (such as a system colour) into the rgb value drawn.
    virtual Colour ResolveColour(Colour colour) { return colour; }
};

struct FrameProperties {
    std::int32_t frameStyle = 1;  // 0 rounded, 1 rectangle, other: background only
    std::int16_t shadowOpacity = 50;
    bool showShadow = true;
    std::int16_t shadowDepth = 5;
    Colour fillColour = 0;
    Colour backColour = 0;
    std::int32_t backColourIs = 0;  // 0: the background is the ambient background colour
    Colour borderColour = 0;
    std::int16_t cornerDepth = 10;
};

class GfxFrameModel {
  public:
    static constexpr int kMinShadowDepth = 2;
    static constexpr int kMaxShadowDepth = 50;

    explicit GfxFrameModel(FrameHost& host) : host_(host) {}

    const FrameProperties& Properties() const { return props_; }

    // Setters clamp, store, report the change and repaint.
    void SetFrameStyle(std::int32_t value);
    void SetShadowOpacity(int value);
    void SetShowShadow(bool value);
    void SetShadowDepth(int value);
    void SetFillColour(Colour value);
    void SetBackColour(Colour value);
    void SetBackColourIs(std::int32_t value);
    void SetBorderColour(Colour value);
    void SetCornerDepth(int value);

    void Refresh() { DrawFrame(); }

    // Container notifications.
    void OnNewInstance();
    void OnLoad(const PropertyBag& bag);  // values are taken as stored, no clamps
    void OnSave(PropertyBag& bag) const;
    void OnResize() { DrawFrame(); }
    void OnAmbientChanged(const std::string& /*name*/) { DrawFrame(); }

    void DrawFrame();

  private:
    void Changed(const char* key);

    FrameHost& host_;
    FrameProperties props_;
};

// Average of the four neighbours (up, right, down, left) per channel, ties to even.
// A neighbour outside the image counts as `outside`.
Colour NeighbourPixel(FrameCanvas& canvas, int x, int y, Colour outside);

// Softens the stair-stepped corners of the rounded shadow: background-coloured pixels in the
// three corner regions take the average of their neighbours, in place, column by column.
void SmoothShadowCorners(FrameCanvas& canvas, int scaleWidth, int scaleHeight, int shadowDepth,
                         int cornerDepth, Colour background);

// Every size goes through the horizontal factor, the vertical ones as well.
FrameGeometry FrameGeometryOf(const FrameSizeTwips& size);

// Draws the whole panel from the properties (the background is `background`, already chosen).
void DrawFramePicture(FrameCanvas& canvas, const FrameProperties& props, const FrameGeometry& g,
                      Colour background, Colour fill, Colour border);

}  // namespace qv::controls

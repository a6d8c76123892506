#pragma once
// GFXFrameX: a framed panel with a soft drop shadow, a container for other controls.
#include <memory>

#include "saver/controls/frame_model.h"
#include "saver/framework/user_control.h"

namespace qv::controls {

class GFXFrameX : public UserControl, private FrameHost {
  public:
    GFXFrameX();

    std::int32_t FrameStyle() const { return model_.Properties().frameStyle; }
    void SetFrameStyle(std::int32_t vNewValue) { model_.SetFrameStyle(vNewValue); }
    std::int16_t ShadowOpacity() const { return model_.Properties().shadowOpacity; }
    void SetShadowOpacity(int vNewValue) { model_.SetShadowOpacity(vNewValue); }
    bool ShowShadow() const { return model_.Properties().showShadow; }
    void SetShowShadow(bool vNewValue) { model_.SetShowShadow(vNewValue); }
    std::int16_t ShadowDepth() const { return model_.Properties().shadowDepth; }
    void SetShadowDepth(int vNewValue) { model_.SetShadowDepth(vNewValue); }
    Colour FillColour() const { return model_.Properties().fillColour; }
    void SetFillColour(Colour vNewValue) { model_.SetFillColour(vNewValue); }
    Colour BackColour() const { return model_.Properties().backColour; }
    void SetBackColour(Colour vNewValue) { model_.SetBackColour(vNewValue); }
    std::int32_t BackColourIs() const { return model_.Properties().backColourIs; }
    void SetBackColourIs(std::int32_t vNewValue) { model_.SetBackColourIs(vNewValue); }
    Colour BorderColour() const { return model_.Properties().borderColour; }
    void SetBorderColour(Colour vNewValue) { model_.SetBorderColour(vNewValue); }
    std::int16_t CornerDepth() const { return model_.Properties().cornerDepth; }
    void SetCornerDepth(int vNewValue) { model_.SetCornerDepth(vNewValue); }

    // Draws the panel afresh and shows it.
    void Refresh() override;

  protected:
    void InitProperties() override { model_.OnNewInstance(); }
    void ReadProperties(const PropertyBag& bag) override { model_.OnLoad(bag); }
    void WriteProperties(PropertyBag& bag) override { model_.OnSave(bag); }
    void Resize() override { model_.OnResize(); }
    void AmbientChanged(const std::string& name) override { model_.OnAmbientChanged(name); }

  private:
    // FrameHost
    Colour AmbientBackColour() override { return Ambient().BackColor; }
    void ReportChanged(const std::string& key) override { UserControl::PropertyChanged(key); }
    FrameCanvas* Canvas() override;
    void DoneDrawing() override;
    FrameSizeTwips Size() override;
    Colour ResolveColour(Colour colour) override;

    GfxFrameModel model_;
    std::unique_ptr<FrameCanvas> canvas_;
};

}  // namespace qv::controls

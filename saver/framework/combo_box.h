#pragma once
// A combo box (a child window): a list of texts and an edit field that takes typed text,
// or a drop-down list only.
#include <vector>

#include "saver/framework/control.h"

namespace qv {

class ComboBox : public Control {
  public:
    ComboBox(Form& form, const ControlDesign& design);

    // -1 appends; throws for an index outside 0..ListCount().
    void AddItem(const std::string& text, int index = -1);
    void Clear();
    int ListCount() const;
    std::string List(int index) const;  // throws outside the list
    int ListIndex() const;              // -1: none selected
    void SetListIndex(int index);
    std::string Text() const;
    void SetText(const std::string& text);

    HWND hWnd() const override { return hwnd_; }
    bool CanTakeFocus() const override { return true; }
    void SetEnabled(bool e) override;
    void Create(HWND parent) override;
    void Destroy() override;
    void OnPlaced() override;
    void HandleCommand(int code);

  private:
    HWND hwnd_ = nullptr;
    std::vector<std::string> items_;  // kept for the times the window does not exist
    std::string text_;
    HFONT font_ = nullptr;
};

}  // namespace qv

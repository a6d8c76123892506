#pragma once
// A timer: while enabled with a positive interval it ticks on the user-interface thread,
// between other messages; a tick never starts while the previous one of the same timer
// is still running.
#include "saver/framework/control.h"

namespace qv {

class Timer : public Control {
  public:
    Timer(Form& form, const ControlDesign& design);

    int Interval() const { return interval_; }
    void SetInterval(int ms);  // throws for a negative interval
    void SetEnabled(bool e) override;

    void Create(HWND parent) override;
    void Destroy() override;
    void Tick();  // from the form's WM_TIMER

  private:
    void Arm();
    HWND window_ = nullptr;
    UINT_PTR id_ = 0;
    int interval_;
    bool ticking_ = false;
};

}  // namespace qv

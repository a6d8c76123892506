#include "saver/framework/timer_control.h"

#include "saver/framework/form.h"

namespace qv {

Timer::Timer(Form& form, const ControlDesign& d) : Control(form, d), interval_(d.interval) {}

void Timer::SetInterval(int ms) {
    if (ms < 0) throw FrameworkError("negative timer interval");
    interval_ = ms;
    Arm();
}

void Timer::SetEnabled(bool e) {
    enabled_ = e;
    Arm();
}

void Timer::Create(HWND) {
    window_ = form_->hWnd();
    id_ = reinterpret_cast<UINT_PTR>(this);
    Arm();
}

void Timer::Destroy() {
    if (window_) KillTimer(window_, id_);
    window_ = nullptr;
}

void Timer::Arm() {
    if (!window_) return;
    // SetTimer on a running timer restarts its interval, as setting Interval or Enabled should.
    if (enabled_ && interval_ > 0)
        SetTimer(window_, id_, static_cast<UINT>(interval_), nullptr);
    else
        KillTimer(window_, id_);
}

namespace {
// Ticks of all timers of the program, running now (0 or 1).
int g_ticksRunning = 0;
}  // namespace

void Timer::Tick() {
    // A handler that pumps messages (a nested loop) must not receive a tick, of this timer or
    // another, inside the current one: ticks never overlap. The skipped tick comes again
    // after the next interval.
    if (g_ticksRunning > 0 || !enabled_ || interval_ <= 0) return;
    ++g_ticksRunning;
    ticking_ = true;
    // The form keeps this timer alive until the dispatch ends, even if the handler unloads it.
    ParentForm().RaiseControlEvent(*this, "Timer");
    ticking_ = false;
    --g_ticksRunning;
}

}  // namespace qv

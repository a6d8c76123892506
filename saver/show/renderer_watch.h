#pragma once
// When the saver window's watch ends a show. The renderer's window is what the saver watches,
// but a renderer that is still starting has none yet: on a slow or busy machine its process
// start and first set-up can take longer than one watch tick. Ending the show then would stop
// the music while the renderer comes up and runs on alone, so a show ends only when a window
// seen before is gone, when the renderer process is not running, or when it never shows a
// window within the start allowance.
//
// A show that locks the session when it ends must also end when another program gets in
// front of it. The renderer ends it itself; one that no longer answers cannot, so the saver
// ends a locking show whose shown window is not in front, once it has had a second to get there.

namespace qv {

class RendererWatch {
  public:
    // Ticks a renderer that is running but has never shown its window may take.
    static constexpr int kStartAllowanceTicks = 60;  // 30 s at the 500 ms watch interval
    // Ticks a locking show's window may be shown without being in front.
    static constexpr int kForegroundAllowanceTicks = 2;

    explicit RendererWatch(bool locking = false) : locking_(locking) {}

    // One watch tick. True when the show has ended.
    bool ShowEnded(bool windowFound, bool rendererRunning) {
        if (windowFound) {
            seen_ = true;
            return false;
        }
        if (seen_ || !rendererRunning) return true;
        return ++waitingTicks_ > kStartAllowanceTicks;
    }

    // The same tick for a locking show: true when its window is shown but left behind another.
    bool LeftBehind(bool windowShown, bool windowInFront) {
        if (!locking_ || !windowShown) return false;
        if (shownTicks_ < kForegroundAllowanceTicks) {
            ++shownTicks_;
            return false;
        }
        return !windowInFront;
    }

  private:
    bool locking_;
    bool seen_ = false;
    int waitingTicks_ = 0;
    int shownTicks_ = 0;
};

}  // namespace qv

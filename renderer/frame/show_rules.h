// What ends a show, free of the window: what ends a show that locks the session when it ends
// (handoff/lock_setting.h) and one that does not, when a change of monitors counts, and which
// display state is followed. The window procedure reports what happened and does what these
// say.
#pragma once
#include <cstdint>
#include <optional>

namespace qv::renderer {

enum class ShowEvent {
    EscapeKey,
    OtherKey,
    CloseRequest,     // WM_CLOSE, from anywhere
    ActivationLost,   // another program took the activation
    ForegroundCheck,  // a watch tick, from a second after showing, found another window in front
};

// With a lock waiting behind it the show is the only thing between a passer-by and the
// unlocked session, so it ends as soon as anything else gets in front; the system locks when
// the saver ends. Otherwise only Escape and a close request end it.
bool EndsShow(ShowEvent event, bool locking);

// Many monitors leave the platform's list while they sleep, and come back a few seconds after
// the display is on again. A change of monitors therefore does not count while the display is
// off, nor while they settle after it is on again; a change that is still there then ends the
// show (its pictures no longer fit).
class MonitorChangeRule {
  public:
    static constexpr std::int64_t kSettleSeconds = 5;

    explicit MonitorChangeRule(std::int64_t frequency) : frequency_(frequency > 0 ? frequency : 1) {}

    void DisplayOff() { off_ = true; }
    void DisplayOn(std::int64_t now) {
        if (!off_) return;
        off_ = false;
        settlesAt_ = now + kSettleSeconds * frequency_;
        settling_ = true;
    }
    // A look at the monitors (a display change, the watch tick). True when the show ends now.
    bool Check(bool arrangementDiffers, std::int64_t now);
    // The monitors are back as the show was laid out after the display was off: the window
    // may have been moved meanwhile and is put back once.
    bool WindowToPutBack() {
        const bool back = putBack_;
        putBack_ = false;
        return back;
    }

  private:
    std::int64_t frequency_;
    std::int64_t settlesAt_ = 0;
    bool off_ = false;
    bool settling_ = false;
    bool putBack_ = false;
};

// The display's power state comes from two notifications: the session's (Windows 8 on; right
// in a remote session too) and the console's (older systems). Once the session's has come,
// the console's is no longer followed.
enum class DisplaySource { Session, Console };
enum class DisplayPower { Off = 0, On = 1, Dimmed = 2 };

class DisplayStateFeed {
  public:
    // The state to follow after a notification, or nothing when it is not followed.
    std::optional<DisplayPower> Notified(DisplaySource source, std::uint32_t value);

  private:
    bool sessionSeen_ = false;
};

}  // namespace qv::renderer

#include "renderer/frame/show_rules.h"

namespace qv::renderer {

bool EndsShow(ShowEvent event, bool locking) {
    switch (event) {
        case ShowEvent::EscapeKey:
        case ShowEvent::CloseRequest:
            return true;
        case ShowEvent::ActivationLost:
        case ShowEvent::ForegroundCheck:
            return locking;
        case ShowEvent::OtherKey:
            return false;
    }
    return false;
}

bool MonitorChangeRule::Check(bool arrangementDiffers, std::int64_t now) {
    if (off_) return false;
    if (settling_) {
        if (now < settlesAt_) return false;
        settling_ = false;
        putBack_ = !arrangementDiffers;
    }
    return arrangementDiffers;
}

std::optional<DisplayPower> DisplayStateFeed::Notified(DisplaySource source, std::uint32_t value) {
    if (source == DisplaySource::Session) sessionSeen_ = true;
    if (source == DisplaySource::Console && sessionSeen_) return std::nullopt;
    if (value > static_cast<std::uint32_t>(DisplayPower::Dimmed)) return std::nullopt;
    return static_cast<DisplayPower>(value);
}

}  // namespace qv::renderer

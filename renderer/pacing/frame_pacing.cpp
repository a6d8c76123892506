#include "renderer/pacing/frame_pacing.h"

namespace qv::renderer {

int RefreshRateOrDefault(std::uint32_t reported) {
    if (reported <= 1 || reported > 1000) return 60;
    return static_cast<int>(reported);
}

std::int64_t RefreshPeriodTicks(std::int64_t frequency, int refreshRate) {
    if (frequency <= 0 || refreshRate <= 0) return 1;
    const std::int64_t period = frequency / refreshRate;
    return period > 0 ? period : 1;
}

std::uint32_t TicksToWaitMs(std::int64_t ticks, std::int64_t frequency) {
    if (ticks <= 0 || frequency <= 0) return 0;
    if (ticks / frequency > 1000000) return 1000000000u;  // no one waits that long; no overflow
    const std::int64_t ms = (ticks * 1000 + frequency - 1) / frequency;
    return static_cast<std::uint32_t>(ms);
}

std::int64_t FramePacer::TicksUntilDue(std::int64_t now) const {
    return started_ && now < due_ ? due_ - now : 0;
}

void FramePacer::FrameStarted(std::int64_t now) {
    if (!started_ || now - due_ > kCatchUpPeriods * period_) {
        due_ = now + period_;
    } else {
        due_ += period_;
    }
    started_ = true;
}

std::int64_t ProcessorBudget::PeriodFor(std::int64_t processorTicksPerFrame) const {
    if (processorTicksPerFrame <= 0) return refresh_;
    const double allowed = static_cast<double>(processorTicksPerFrame) / kShareOfOneCore;
    if (allowed >= static_cast<double>(longest_)) return longest_;
    const auto period = static_cast<std::int64_t>(allowed);
    return period > refresh_ ? period : refresh_;
}

void SwapPacingCheck::FrameStarted(std::int64_t now) {
    if (seen_ && trusted_) {
        if ((now - last_) * 10 < period_ * 9) {
            if (++fastInARow_ >= needed_) trusted_ = false;
        } else {
            fastInARow_ = 0;
        }
    }
    last_ = now;
    seen_ = true;
}

}  // namespace qv::renderer

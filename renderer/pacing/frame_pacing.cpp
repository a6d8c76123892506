#include "renderer/pacing/frame_pacing.h"

#include <cctype>
#include <cstring>

namespace qv::renderer {

int RefreshRateOrDefault(std::uint32_t reported, double compositorRate) {
    if (reported > 1 && reported <= 1000) return static_cast<int>(reported);
    // 59.94 is 60 and 143.98 is 144: the period follows the display within a per mille.
    if (compositorRate >= 1.5 && compositorRate <= 1000.0) return static_cast<int>(compositorRate + 0.5);
    return 60;
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

bool SoftwareRasteriser(const char* glRenderer) {
    if (!glRenderer) return true;
    // Mesa's rasterisers, the system's own OpenGL without a driver, and the system's display
    // driver for machines without one of their own, which also draws on the processor.
    static const char* const kNames[] = {"llvmpipe", "softpipe", "software rasterizer", "gdi generic",
                                         "basic render driver"};
    std::size_t length = std::strlen(glRenderer);
    for (const char* name : kNames) {
        const std::size_t n = std::strlen(name);
        for (std::size_t at = 0; at + n <= length; ++at) {
            std::size_t k = 0;
            while (k < n && std::tolower(static_cast<unsigned char>(glRenderer[at + k])) == name[k]) ++k;
            if (k == n) return true;
        }
    }
    return false;
}

std::int64_t FramePacer::TicksUntilDue(std::int64_t now) const {
    return started_ && now < due_ ? due_ - now : 0;
}

void FramePacer::FrameStarted(std::int64_t now) {
    // A frame before it was due came while the loop did not pace (the swap did, or nothing
    // yet): the grid starts from it, never ahead of the frames.
    if (!started_ || now < due_ || now - due_ > kCatchUpPeriods * period_) {
        due_ = now + period_;
    } else {
        due_ += period_;
    }
    started_ = true;
}

std::int64_t ProcessorBudget::PeriodFor(std::int64_t processorTicksPerFrame, bool wholeRefreshPeriods) const {
    if (processorTicksPerFrame <= 0) return refresh_;
    const double allowed = static_cast<double>(processorTicksPerFrame) / kShareOfOneCore;
    std::int64_t period = refresh_;
    if (allowed >= static_cast<double>(longest_)) {
        period = longest_;
    } else if (allowed > static_cast<double>(refresh_)) {
        period = static_cast<std::int64_t>(allowed);
    }
    if (!wholeRefreshPeriods) return period;
    // Up to a whole number of refresh periods, but never beyond the longest period.
    const std::int64_t most = longest_ / refresh_;
    std::int64_t periods = (period + refresh_ - 1) / refresh_;
    if (periods > most) periods = most;
    return periods * refresh_;
}

void SwapJudge::Begin(std::int64_t now) {
    warmUpEnds_ = now + frequency_ / 4;
    inStretch_ = false;
}

void SwapJudge::FrameStarted(std::int64_t now) {
    if (!trusted_ || now < warmUpEnds_) return;
    if (!inStretch_) {
        inStretch_ = true;
        stretchStart_ = now;
        intervals_ = 0;
        return;
    }
    ++intervals_;
    const std::int64_t span = now - stretchStart_;
    if ((intervals_ - kQueueSlack) * period_ > span) {
        trusted_ = false;
    } else if (span >= frequency_) {
        stretchStart_ = now;
        intervals_ = 0;
    }
}

FramePacing::FramePacing(const PacingSetup& setup)
    : frequency_(setup.frequency > 0 ? setup.frequency : 1),
      refresh_(setup.refreshPeriod > 0 ? setup.refreshPeriod : 1),
      software_(setup.softwareGl),
      pacer_(refresh_),
      judge_(frequency_, refresh_),
      budget_(refresh_, frequency_ / 15) {
    if (!setup.swapInterval) judge_.Distrust();
}

void FramePacing::Begin(std::int64_t now, std::int64_t processorTicks) {
    judge_.Begin(now);
    windowStart_ = now;
    windowProcessor_ = processorTicks;
    windowFrames_ = 0;
}

bool FramePacing::FrameStarted(std::int64_t now) {
    const bool trusted = judge_.Trusted();
    judge_.FrameStarted(now);
    pacer_.FrameStarted(now);
    ++windowFrames_;
    // A swap that waits only now and then would add its waits to the loop's.
    return trusted && !judge_.Trusted();
}

bool FramePacing::WantsProcessorTime(std::int64_t now) const {
    return software_ && windowFrames_ > 0 && now - windowStart_ >= frequency_;
}

void FramePacing::ProcessorTime(std::int64_t now, std::int64_t processorTicks) {
    if (windowFrames_ <= 0) return;
    const std::int64_t period =
        budget_.PeriodFor((processorTicks - windowProcessor_) / windowFrames_, judge_.Trusted());
    if (period != pacer_.Period()) {
        pacer_.SetPeriod(period);
        judge_.NewStretch();  // frames the loop held back say nothing of the swap
    }
    windowStart_ = now;
    windowProcessor_ = processorTicks;
    windowFrames_ = 0;
}

}  // namespace qv::renderer

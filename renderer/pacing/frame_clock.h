// The renderer's measured clock: seconds since the zero taken before the first set-up, kept
// in single precision, plus the step from the previous frame.
#pragma once
#include <cstdint>

namespace qv::renderer {

struct FrameClock {
    std::int64_t perfFrequency = 1;
    std::int64_t perfStart = 0;
    std::int64_t perfNow = 0;
    float frameTime = 0.0f;
    float frameDelta = 0.0f;

    void Start(std::int64_t frequency, std::int64_t start);
    // Called once at the start of every rendered frame with the counter's current value.
    void Tick(std::int64_t now);
    // A span in which no frame was shown (the display was off) is left out of frameTime: the
    // zero moves later by it, so the next frame goes on from the last.
    void LeaveOut(std::int64_t ticks) { perfStart += ticks; }
};

}  // namespace qv::renderer

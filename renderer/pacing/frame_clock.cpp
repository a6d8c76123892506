#include "renderer/pacing/frame_clock.h"

namespace qv::renderer {

void FrameClock::Start(std::int64_t frequency, std::int64_t start) {
    perfFrequency = frequency > 0 ? frequency : 1;
    perfStart = start;
    perfNow = start;
}

void FrameClock::Tick(std::int64_t now) {
    perfNow = now;
    const float previous = frameTime;
    const double elapsed = static_cast<double>(now - perfStart) / static_cast<double>(perfFrequency);
    frameTime = static_cast<float>(elapsed);
    frameDelta = static_cast<float>(elapsed - previous);
}

}  // namespace qv::renderer

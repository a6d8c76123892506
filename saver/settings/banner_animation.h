#pragma once
// The settings dialog's banner: 24 frames shown first in the left box, then in the right one,
// then one empty tick before the cycle starts again (49 ticks of the 100 ms timer).
#include <cstdint>

namespace qv {

constexpr int kBannerFrames = 24;
constexpr int kBannerCycleTicks = 2 * kBannerFrames + 1;

struct BannerStep {
    int box = -1;   // Pic_m index to draw into (0 or 1); -1 when this tick draws nothing
    int frame = 0;  // Pic_t index of the frame to show, 1..24
};

// One timer tick: advances animTick (0..48 between ticks) and tells what to draw.
// A counter outside its range (never produced here) restarts the cycle instead of
// drawing nothing forever.
BannerStep NextBannerStep(std::int16_t& animTick);

}  // namespace qv

#include "saver/settings/banner_animation.h"

namespace qv {

BannerStep NextBannerStep(std::int16_t& animTick) {
    if (animTick < 0 || animTick >= kBannerCycleTicks) animTick = 0;
    ++animTick;
    BannerStep step;
    if (animTick <= kBannerFrames) {
        step.box = 0;
        step.frame = animTick;
    } else if (animTick <= 2 * kBannerFrames) {
        step.box = 1;
        step.frame = animTick - kBannerFrames;
    } else {
        animTick = 0;  // the resting tick: nothing drawn, the next tick begins a cycle
    }
    return step;
}

}  // namespace qv

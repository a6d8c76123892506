// Process-wide state of the renderer's frame that the scene reads.
#pragma once
#include "frame_clock.h"

namespace qv::renderer {

extern FrameClock frameClock;  // frameTime and frameDelta: the scene's only time base
extern int screenWidth;
extern int screenHeight;

}  // namespace qv::renderer

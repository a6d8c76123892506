// Paces the renderer's frames to the display: the driver's swap interval where it really
// waits for the display, otherwise a wait in the message loop until the next refresh period
// that still wakes at once for any message (Escape and close stay as quick as unpaced).
// Where OpenGL is drawn in software, costly frames come less often, so the renderer stays
// within its processor budget (frame_pacing.h).
#pragma once
#include <windows.h>

#include "renderer/pacing/frame_pacing.h"

namespace qv::renderer {

// What the pacing holds for the run; it lives in the renderer's state.
struct DisplayPacing {
    bool paced = false;
    bool softwareGl = true;
    int refreshRate = 0;     // of the fastest monitor the window covers
    bool fineTimer = false;  // timeBeginPeriod(1) is held
    LONGLONG counterFrequency = 1;
    FramePacing pacing{PacingSetup{}};
};

// With the OpenGL context current on `window`. `paced` false draws as fast as possible
// (swap interval 0), for throughput figures only.
void StartFramePacing(bool paced, LONGLONG frequency, HWND window);
// At the start of every rendered frame, with that frame's counter value.
void PacingFrameStarted(LONGLONG now);
// In the message loop when the queue is empty. True when the next frame is due; otherwise
// waits until it is due or a message arrives, and returns false.
bool NextFrameDue();
// No frames from now on (the display is off), until PacingResumed with the counter's value.
void PacingPaused();
void PacingResumed(LONGLONG now);
void StopFramePacing();

}  // namespace qv::renderer

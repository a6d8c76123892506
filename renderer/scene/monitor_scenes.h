// One shatter scene per monitor, all stepped by the renderer's one clock, so every monitor's
// cycle starts, ripples, shatters and restarts in the same frame. Each monitor shows its own
// picture over its whole area, stretched to its shape, as a show on that monitor alone would.
// Window-free: the OpenGL side (scene.cpp) draws each scene in its monitor's viewport.
#pragma once
#include "handoff/monitor_layout.h"
#include "renderer/scene/crt_random.h"
#include "renderer/scene/scene_model.h"

namespace qv::renderer {

// The monitors' layout is the hand-off's; the renderer speaks of it by these short names.
using handoff::kMaxMonitors;
using handoff::kMonitorPathSize;
using handoff::MonitorLayout;
using handoff::MonitorRect;
using handoff::Viewport;

struct MonitorScene {
    SceneState scene;
    CrtRandom random;
    Viewport viewport;
    char picturePath[kMonitorPathSize];
};

// Until arranged, one scene: the primary's, as with one monitor.
struct MonitorScenes {
    int count = 1;
    MonitorRect window;  // what the renderer's window covers, in screen pixels
    MonitorScene views[kMaxMonitors];
};

// Lays the scenes out for the monitors: the window over the virtual screen, a viewport and a
// picture per monitor. The primary's tiles spin as in a show on one monitor; each other
// monitor draws its spin axes from a sequence of its own.
void ArrangeMonitorScenes(MonitorScenes& scenes, const MonitorLayout& layout);

// The scene model's steps, for every monitor on the same clock.
void ResetSceneClocks(MonitorScenes& scenes, float frameTime);
void SetUpGrids(MonitorScenes& scenes);
void UpdatePhases(MonitorScenes& scenes, float frameTime);

}  // namespace qv::renderer

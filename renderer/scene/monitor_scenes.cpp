#include "renderer/scene/monitor_scenes.h"

namespace qv::renderer {

void ArrangeMonitorScenes(MonitorScenes& scenes, const MonitorLayout& layout) {
    scenes.count = layout.count;
    scenes.window = handoff::VirtualBounds(layout);
    for (int k = 0; k < layout.count; ++k) {
        MonitorScene& view = scenes.views[k];
        view.viewport = handoff::MonitorViewport(layout.monitors[k], scenes.window);
        handoff::MonitorPicturePath(k, view.picturePath);
        // The primary starts where the unseeded generator starts; monitor k as if seeded with k.
        view.random = CrtRandom(k == 0 ? 1u : static_cast<std::uint32_t>(k + 1));
    }
}

void ResetSceneClocks(MonitorScenes& scenes, float frameTime) {
    for (int k = 0; k < scenes.count; ++k) ResetSceneClocks(scenes.views[k].scene, frameTime);
}

void SetUpGrids(MonitorScenes& scenes) {
    for (int k = 0; k < scenes.count; ++k) SetUpGrid(scenes.views[k].scene, scenes.views[k].random);
}

void UpdatePhases(MonitorScenes& scenes, float frameTime) {
    for (int k = 0; k < scenes.count; ++k) UpdatePhase(scenes.views[k].scene, frameTime);
}

}  // namespace qv::renderer

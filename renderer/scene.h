// The shatter scene drawn with OpenGL; the model it draws lives in scene_model.h.
#pragma once
#include "monitor_scenes.h"

namespace qv::renderer {

class ImageTexture;

extern ImageTexture desktopTexture;
extern ImageTexture glowTexture;
// One scene per monitor; until the frame arranges them, the primary's alone.
extern MonitorScenes monitorScenes;

// Resets the clocks, loads the glow and every monitor's picture and lays out the grids. False
// when a picture failed.
bool InitScene();
// One frame: clears, advances and draws; sets the scene up again when a cycle ends.
void RenderFrame();
// Advances and draws every monitor's scene; true when no tile was left in front of the viewer.
bool DrawScene();
// The same for one monitor's scene with its picture, in the current viewport.
bool DrawMonitorScene(SceneState& scene, ImageTexture& picture);

}  // namespace qv::renderer

// The shatter scene drawn with OpenGL; the model it draws lives in scene_model.h, its pictures
// and fixed arrays in the renderer's state (renderer_state.h).
#pragma once
#include "renderer/scene/scene_model.h"

namespace qv::renderer {

class ImageTexture;

// Resets the clocks, loads the glow and every monitor's picture and lays out the grids. False,
// with the reason in the debugger output, when a picture failed.
bool InitScene();
// One frame: clears, advances and draws; sets the scene up again (the restart hook) when a
// cycle ends.
void RenderFrame();
// Advances and draws every monitor's scene; true when no tile was left in front of the viewer.
bool DrawScene();
// The same for one monitor's scene with its picture, in the current viewport.
bool DrawMonitorScene(SceneState& scene, ImageTexture& picture);
// Gives back every texture name; the context they were made in must be current.
void FreeScene();

}  // namespace qv::renderer

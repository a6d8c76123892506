// The shatter scene drawn with OpenGL; the model it draws lives in scene_model.h.
#pragma once

namespace qv::renderer {

class ImageTexture;
struct SceneState;

extern const char* const kDesktopPicturePath;
extern const char* const kGlowPicturePath;

extern ImageTexture desktopTexture;
extern ImageTexture glowTexture;

// Resets the clocks, loads both pictures and lays out the grid. False when a picture failed.
bool InitScene();
// One frame: clears, advances and draws; sets the scene up again when a cycle ends.
void RenderFrame();
// Advances and draws every monitor's scene; true when no tile was left in front of the viewer.
bool DrawScene();
// The same for one monitor's scene with its picture, in the current viewport.
bool DrawMonitorScene(SceneState& scene, ImageTexture& picture);

}  // namespace qv::renderer

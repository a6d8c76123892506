#include "renderer/renderer_state.h"

#include "renderer/frame/app_frame.h"
#include "renderer/scene/scene.h"

namespace qv::renderer {

SceneHooks DefaultSceneHooks() { return {InitScene, InitScene, RenderFrame, ResizeViewport, FreeScene}; }

RendererState state = {{}, {}, {}, {}, DefaultSceneHooks()};

}  // namespace qv::renderer

// The renderer's frame: the start-up steps, the window and its OpenGL context, the message
// loop. The frame's and the scene's state is in renderer_state.h.
#pragma once
#include <windows.h>

#include "renderer/renderer_state.h"

namespace qv::renderer {

// How a run is put together. The shipped renderer takes the defaults; a measuring build
// wraps the window procedure or the scene's hooks from outside.
struct RendererOptions {
    WNDPROC windowProcedure = nullptr;  // null: RendererWindowProc
    SceneHooks scene = DefaultSceneHooks();
    bool paced = true;  // false draws frames as fast as they come (throughput figures)
};

// The whole run, step by step; returns the exit code (always 0).
int RunRenderer(HINSTANCE instance, const RendererOptions& options);

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The OpenGL viewport over the whole client area; a height of 0 counts as 1.
void ResizeViewport(int width, int height);

}  // namespace qv::renderer

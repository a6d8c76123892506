// Quorvale.dll, the renderer: an ordinary program despite its name. It takes no arguments.
#include "renderer/frame/app_frame.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return qv::renderer::RunRenderer(instance, qv::renderer::RendererOptions{});
}

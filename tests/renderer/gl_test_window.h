#pragma once
// A window of the renderer's own kind (own DC, double-buffered RGBA with a 16-bit depth
// buffer) with its OpenGL context current, for tests that draw or load textures for real.
#include <windows.h>
#include <GL/gl.h>

namespace qv::test {

class GlTestWindow {
  public:
    GlTestWindow(const char* className, int width, int height, bool visible) {
        WNDCLASSA wc = {};
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = className;
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, className, className, WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, width,
                                  height, nullptr, nullptr, wc.hInstance, nullptr);
        if (!window_) return;
        dc_ = GetDC(window_);
        PIXELFORMATDESCRIPTOR pfd = {};
        pfd.nSize = sizeof pfd;
        pfd.nVersion = 1;
        pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        pfd.iPixelType = PFD_TYPE_RGBA;
        pfd.cColorBits = 24;
        pfd.cDepthBits = 16;
        SetPixelFormat(dc_, ChoosePixelFormat(dc_, &pfd), &pfd);
        context_ = wglCreateContext(dc_);
        if (context_) current_ = wglMakeCurrent(dc_, context_) != FALSE;
    }
    ~GlTestWindow() {
        wglMakeCurrent(nullptr, nullptr);
        if (context_) wglDeleteContext(context_);
        if (window_) DestroyWindow(window_);
    }
    GlTestWindow(const GlTestWindow&) = delete;
    GlTestWindow& operator=(const GlTestWindow&) = delete;

    bool Ready() const { return current_; }
    HWND Window() const { return window_; }
    HDC Dc() const { return dc_; }

  private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HGLRC context_ = nullptr;
    bool current_ = false;
};

}  // namespace qv::test

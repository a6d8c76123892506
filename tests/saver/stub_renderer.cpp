// A stand-in for the renderer in the saver's end-to-end tests: one full-screen magenta window
// with the renderer's title and class (handoff::kRendererWindowTitle) that ends on Escape or a
// close request. Before its window exists it writes what it finds in the working folder to the
// file named by QV_STUB_REPORT, so the tests can tell what the saver had written by the time
// the renderer started.
#include <windows.h>

#include <cstdio>
#include <string>

#include "handoff/handoff.h"

namespace {

std::string ImageSize(const char* path) {
    HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return "missing";
    unsigned char header[54] = {};
    DWORD got = 0;
    ReadFile(f, header, sizeof header, &got, nullptr);
    CloseHandle(f);
    if (got < sizeof header || header[0] != 'B' || header[1] != 'M') return "bad";
    int w = header[18] | header[19] << 8 | header[20] << 16 | header[21] << 24;
    int h = header[22] | header[23] << 8 | header[24] << 16 | header[25] << 24;
    int bits = header[28] | header[29] << 8;
    return std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(bits);
}

void WriteReport() {
    char report[MAX_PATH];
    if (!GetEnvironmentVariableA("QV_STUB_REPORT", report, MAX_PATH)) return;
    const char* ini = qv::handoff::kSettingsFile;
    char width[32] = "", height[32] = "";
    GetPrivateProfileStringA(qv::handoff::kSettingsSection, qv::handoff::kKeyWidth, "", width, sizeof width,
                             ini);
    GetPrivateProfileStringA(qv::handoff::kSettingsSection, qv::handoff::kKeyHeight, "", height,
                             sizeof height, ini);
    std::string text = std::string("width=") + width + "\nheight=" + height +
                       "\nalo1=" + ImageSize(qv::handoff::kDesktopPictureFile) +
                       "\nalo2=" + ImageSize(qv::handoff::kGlowPictureFile) + "\n";
    if (FILE* out = std::fopen(report, "wb")) {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
    }
}

LRESULT CALLBACK WndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE) DestroyWindow(w);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

}  // namespace

// Shares the saver's input state, so that its cursor count is the one the platform reports for
// the foreground window (the tests read it with GetCursorInfo).
void ShareSaverInput() {
    HWND saver = FindWindowA(nullptr, qv::handoff::kShowWindowTitle);
    if (!saver) return;
    DWORD saverThread = GetWindowThreadProcessId(saver, nullptr);
    AttachThreadInput(GetCurrentThreadId(), saverThread, TRUE);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WriteReport();
    ShareSaverInput();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = qv::handoff::kRendererWindowTitle;
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(WS_EX_TOPMOST, qv::handoff::kRendererWindowTitle,
                             qv::handoff::kRendererWindowTitle, WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                             GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    ShowWindow(w, show);
    SetForegroundWindow(w);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

#pragma once
// What the saver's show tests share: the known picture on the screen, the stand-in renderer's
// report, and a fixture that starts copies of the shipped saver.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>
#include <memory>

#include "handoff/handoff.h"
#include "saver/framework/ansi_text.h"
#include "saver/framework/bitmap24.h"
#include "saver_driver.h"

namespace qv::test {

inline const char* const kIni = handoff::kSettingsFile;
inline const char* const kAlo1 = handoff::kDesktopPictureFile;
inline const char* const kAlo2 = handoff::kGlowPictureFile;
inline const wchar_t kMissingRenderer[] = L"Quorvale.dll が同じﾌｫﾙﾀﾞに見つかりません！";

// The known picture shown on the screen while the saver photographs it.
inline COLORREF PatternAt(int x, int y) {
    return RGB((x * 7) & 255, (y * 5) & 255, ((x / 64 + y / 64) & 1) ? 200 : 40);
}

inline LRESULT CALLBACK PatternProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT r;
        GetClientRect(w, &r);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = r.right;
        bi.bmiHeader.biHeight = -r.bottom;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        std::vector<DWORD> px(static_cast<size_t>(r.right) * r.bottom);
        for (int y = 0; y < r.bottom; ++y)
            for (int x = 0; x < r.right; ++x) {
                COLORREF c = PatternAt(x, y);
                px[static_cast<size_t>(y) * r.right + x] =
                    GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
            }
        SetDIBitsToDevice(dc, 0, 0, r.right, r.bottom, 0, 0, 0, r.bottom, px.data(), &bi, DIB_RGB_COLORS);
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

class PatternWindow {
  public:
    PatternWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = PatternProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QvPattern";
        RegisterClassA(&wc);
        w_ = CreateWindowExA(0, "QvPattern", "pattern", WS_POPUP | WS_VISIBLE, 0, 0,
                             GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                             wc.hInstance, nullptr);
        UpdateWindow(w_);
        WaitUntil([] { return false; }, 500);  // let X show it
    }
    ~PatternWindow() { DestroyWindow(w_); }

  private:
    HWND w_;
};

inline std::map<std::string, std::string> ReadReport(const std::string& path) {
    std::map<std::string, std::string> out;
    std::string text = ReadFileBytes(path), line;
    for (char c : text + "\n") {
        if (c != '\n') {
            line += c;
            continue;
        }
        auto eq = line.find('=');
        if (eq != std::string::npos) out[line.substr(0, eq)] = line.substr(eq + 1);
        line.clear();
    }
    return out;
}

inline std::string IniValue(const char* key) {
    char buf[256] = "";
    GetPrivateProfileStringA(handoff::kSettingsSection, key, "", buf, sizeof buf, kIni);
    return buf;
}

inline HWND Renderer() { return FindWindowA(nullptr, handoff::kRendererWindowTitle); }
inline HWND ShowWindowOfSaver() { return FindWindowA(nullptr, handoff::kShowWindowTitle); }
inline DWORD RendererPid() {
    DWORD pid = 0;
    if (HWND w = Renderer()) GetWindowThreadProcessId(w, &pid);
    return pid;
}

class SaverShow : public ::testing::Test {
  protected:
    void SetUp() override {
        copies_ = MakeSaverCopies();
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        report_ = std::string(temp) + "qv_saver_e2e\\stub_report.txt";
        DeleteFileA(report_.c_str());
        ASSERT_EQ(Renderer(), nullptr) << "a renderer window is left from elsewhere";
    }

    std::unique_ptr<Process> StartSaver(const std::string& exe, const std::string& args,
                                        const std::string& env = "") {
        std::string e = "QV_STUB_REPORT=" + report_ + "\n" + env;
        auto p = std::make_unique<Process>(exe, args, e);
        EXPECT_TRUE(p->Started());
        return p;
    }

    // Ends the show as the user does and checks that the saver follows.
    void EndShow(Process& saver) {
        HWND r = Renderer();
        ASSERT_NE(r, nullptr);
        PostMessageA(r, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(WaitUntil([] { return Renderer() == nullptr; }, 10000));
        DWORD gone = GetTickCount();
        ASSERT_TRUE(saver.WaitEnd(10000)) << "the saver outlived its renderer";
        std::printf("saver ended %lu ms after the renderer's window\n", GetTickCount() - gone);
    }

    WorkFolderGuard guard_;
    SaverCopies copies_;
    std::string report_;
};

inline long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace qv::test

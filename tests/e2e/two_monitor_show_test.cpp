// The shipped saver and renderer on a display with two monitors (started by
// two_monitor_show.sh): every monitor is photographed into its own picture, each shows its
// own picture at rest, upright, the shock ring glows near each one's centre, and Escape ends
// the whole show.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "handoff_files.h"
#include "message_pump.h"
#include "screen_colour.h"
#include "screen_grab.h"

#ifndef QV_DIST_DIR
#error QV_DIST_DIR must name the folder of the shipped programs
#endif

namespace {

using qv::test::GrabScreenArea;
using qv::test::Near;
using qv::test::Pump;
using qv::test::ReadFileBytes;
using qv::test::Rgb;
using qv::test::Text;

namespace handoff = qv::handoff;

const char* const kIni = handoff::kSettingsFile;
const char* const kLayout = handoff::kMonitorLayoutFile;
const std::string kSecondPicture = qv::test::MonitorPictureFile(2);
const char* const kPictures[2] = {handoff::kDesktopPictureFile, kSecondPicture.c_str()};

// Quadrants top-left, top-right, bottom-left, bottom-right. Little red in any of them, so the
// orange glow of the ring stands out on either picture.
const Rgb kQuadrants[2][4] = {{{20, 60, 210}, {20, 170, 60}, {90, 20, 150}, {20, 130, 170}},
                              {{70, 70, 70}, {10, 230, 230}, {60, 0, 60}, {80, 120, 10}}};

// How far a colour seen may be from the colour painted.
constexpr int kNear = 40;

struct Monitor {
    RECT r;
    bool primary;
    int Width() const { return r.right - r.left; }
    int Height() const { return r.bottom - r.top; }
};

BOOL CALLBACK AddMonitor(HMONITOR m, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(m, &info);
    reinterpret_cast<std::vector<Monitor>*>(data)->push_back(
        {info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

// The primary first.
std::vector<Monitor> Monitors() {
    std::vector<Monitor> list;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    if (list.size() == 2 && list[1].primary) std::swap(list[0], list[1]);
    return list;
}

// The whole virtual screen, as X shows it.
struct Screen {
    RECT area{};
    std::vector<std::uint32_t> pixels;
    Rgb At(int x, int y) const {  // screen coordinates
        const std::uint32_t p =
            pixels[static_cast<size_t>(y - area.top) * (area.right - area.left) + (x - area.left)];
        return {static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255),
                static_cast<int>(p & 255)};
    }
};

// A part of the screen; by default all of it.
Screen Grab(RECT area = {}) {
    Screen s;
    if (IsRectEmpty(&area)) {
        area.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        area.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    }
    s.area = area;
    s.pixels = GrabScreenArea(area);
    return s;
}

// Points well inside each quadrant of a w x h picture, the quadrant's index beside each.
struct Probe {
    int x, y, quadrant;
};
std::vector<Probe> Probes(int w, int h) {
    return {{w / 4, h / 4, 0}, {3 * w / 4, h / 4, 1}, {w / 4, 3 * h / 4, 2}, {3 * w / 4, 3 * h / 4, 3},
            {w / 8, h / 8, 0}, {7 * w / 8, h / 8, 1}, {w / 8, 7 * h / 8, 2}, {7 * w / 8, 7 * h / 8, 3}};
}

// Whether monitor m of the screen shows picture `which` upright over its whole area.
bool ShowsPicture(const Screen& s, const Monitor& m, int which, std::string* why) {
    for (const Probe& p : Probes(m.Width(), m.Height())) {
        const Rgb seen = s.At(m.r.left + p.x, m.r.top + p.y);
        if (!Near(seen, kQuadrants[which][p.quadrant], kNear)) {
            *why = "monitor at (" + std::to_string(m.r.left) + ", " + std::to_string(m.r.top) + "), (" +
                   std::to_string(p.x) + ", " + std::to_string(p.y) + "): saw " + Text(seen) +
                   " instead of " + Text(kQuadrants[which][p.quadrant]);
            return false;
        }
    }
    return true;
}

// The monitor's middle: within an eighth of its size from its centre.
RECT Middle(const Monitor& m) {
    const int cx = m.r.left + m.Width() / 2, cy = m.r.top + m.Height() / 2;
    const int dx = m.Width() / 8, dy = m.Height() / 8;
    return {cx - dx, cy - dy, cx + dx, cy + dy};
}

// Orange pixels (the ring's glow) in a grab of the monitor's middle.
int Glow(const Screen& s) {
    int glowing = 0;
    for (int y = s.area.top; y < s.area.bottom; y += 2)
        for (int x = s.area.left; x < s.area.right; x += 2) {
            const Rgb c = s.At(x, y);
            if (c.r >= 150) ++glowing;  // neither picture has that much red
        }
    return glowing;
}

// A 24-bit bottom-up alo picture file.
struct Picture {
    int width = 0, height = 0;
    std::string bytes;
    Rgb At(int x, int y) const {  // y from the top
        const int row = (3 * width + 3) / 4 * 4;
        const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data()) + 54 +
                                 static_cast<size_t>(height - 1 - y) * row + 3 * x;
        return {p[2], p[1], p[0]};
    }
};

bool ReadPicture(const char* path, Picture* picture) {
    if (!ReadFileBytes(path, &picture->bytes)) return false;
    if (picture->bytes.size() < 54) return false;
    std::int32_t w, h;
    std::memcpy(&w, picture->bytes.data() + 18, 4);
    std::memcpy(&h, picture->bytes.data() + 22, 4);
    picture->width = w;
    picture->height = h;
    return w > 0 && h > 0 && picture->bytes.size() >= 54 + static_cast<size_t>((3 * w + 3) / 4 * 4) * h;
}

LRESULT CALLBACK PaintQuadrants(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(w, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT r;
    GetClientRect(w, &r);
    const int which = static_cast<int>(GetWindowLongPtrA(w, GWLP_USERDATA));
    for (int q = 0; q < 4; ++q) {
        RECT part = {q % 2 ? r.right / 2 : 0, q / 2 ? r.bottom / 2 : 0, q % 2 ? r.right : r.right / 2,
                     q / 2 ? r.bottom : r.bottom / 2};
        const Rgb c = kQuadrants[which][q];
        HBRUSH brush = CreateSolidBrush(RGB(c.r, c.g, c.b));
        FillRect(dc, &part, brush);
        DeleteObject(brush);
    }
    EndPaint(w, &ps);
    return 0;
}

// What the script waits for before the show: Wine lists both monitors of the arrangement.
TEST(TwoMonitorDisplay, ListsBothMonitors) {
    SetProcessDPIAware();
    EXPECT_EQ(Monitors().size(), 2u);
}

class TwoMonitorShow : public ::testing::Test {
  protected:
    void SetUp() override {
        SetProcessDPIAware();
        monitors_ = Monitors();
        ASSERT_EQ(monitors_.size(), 2u) << "the display must have two monitors";
        ASSERT_TRUE(monitors_[0].primary);
        CreateDirectoryA(handoff::kWorkFolder, nullptr);
        for (const char* f : {kLayout, kPictures[0], kPictures[1]}) DeleteFileA(f);
    }
    void TearDown() override {
        for (HWND w : desktop_) DestroyWindow(w);
        if (saver_.hProcess) {
            if (WaitForSingleObject(saver_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(saver_.hProcess, 1);
            CloseHandle(saver_.hProcess);
            CloseHandle(saver_.hThread);
        }
        if (HWND r = FindWindowA(nullptr, handoff::kRendererWindowTitle)) PostMessageA(r, WM_CLOSE, 0, 0);
    }

    // A desktop with a different picture on each monitor.
    void ShowDesktop() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = PaintQuadrants;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QvTwoMonitorDesktop";
        RegisterClassA(&wc);
        for (int k = 0; k < 2; ++k) {
            const RECT& r = monitors_[k].r;
            HWND w =
                CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "desktop", WS_POPUP, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
            SetWindowLongPtrA(w, GWLP_USERDATA, k);
            ShowWindow(w, SW_SHOWNOACTIVATE);
            UpdateWindow(w);
            desktop_.push_back(w);
        }
        Pump(1500);
    }
    void HideDesktop() {
        for (HWND w : desktop_) DestroyWindow(w);
        desktop_.clear();
    }

    void StartShow() {
        const std::string saver = std::string(QV_DIST_DIR) + "\\Quorvale.scr";
        std::string command = "\"" + saver + "\" /s";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        ASSERT_TRUE(CreateProcessA(saver.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &si, &saver_))
            << saver;
    }
    HWND WaitForRenderer() {
        for (int waited = 0; waited < 30000; waited += 50) {
            if (HWND w = FindWindowA(nullptr, handoff::kRendererWindowTitle)) return w;
            Pump(50);
        }
        return nullptr;
    }

    std::vector<Monitor> monitors_;
    std::vector<HWND> desktop_;
    PROCESS_INFORMATION saver_{};
};

TEST_F(TwoMonitorShow, EveryMonitorShowsItsOwnPartAndEscapeEndsAll) {
    ShowDesktop();
    StartShow();
    HWND renderer = WaitForRenderer();
    ASSERT_NE(renderer, nullptr) << "no show";
    // Everything was handed over before the renderer started; the desktop can go, so that a
    // monitor the show does not cover would no longer show its picture.
    HideDesktop();

    // Each monitor's capture in its place: the primary's where it always was, the other's
    // beside it, and the layout that says where each lies.
    for (int k = 0; k < 2; ++k) {
        Picture p;
        ASSERT_TRUE(ReadPicture(kPictures[k], &p)) << kPictures[k];
        EXPECT_EQ(p.width, monitors_[k].Width()) << kPictures[k];
        EXPECT_EQ(p.height, monitors_[k].Height()) << kPictures[k];
        for (const Probe& probe : Probes(p.width, p.height))
            EXPECT_TRUE(Near(p.At(probe.x, probe.y), kQuadrants[k][probe.quadrant], kNear))
                << kPictures[k] << " at (" << probe.x << ", " << probe.y
                << "): " << Text(p.At(probe.x, probe.y));
    }
    auto line = [](const Monitor& m) {
        return std::to_string(m.r.left) + " " + std::to_string(m.r.top) + " " + std::to_string(m.Width()) +
               " " + std::to_string(m.Height());
    };
    EXPECT_EQ(ReadFileBytes(kLayout), qv::test::SectionLine(handoff::kMonitorSection) +
                                          handoff::kMonitorCountKey + "=2\r\n1=" + line(monitors_[0]) +
                                          "\r\n2=" + line(monitors_[1]) + "\r\n");
    // The keys an older renderer reads still describe the primary.
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(handoff::kSettingsSection, handoff::kKeyWidth, 0, kIni)),
              monitors_[0].Width());
    EXPECT_EQ(
        static_cast<int>(GetPrivateProfileIntA(handoff::kSettingsSection, handoff::kKeyHeight, 0, kIni)),
        monitors_[0].Height());

    // One window over both monitors.
    RECT window{};
    GetWindowRect(renderer, &window);
    EXPECT_EQ(window.left, std::min(monitors_[0].r.left, monitors_[1].r.left));
    EXPECT_EQ(window.top, std::min(monitors_[0].r.top, monitors_[1].r.top));
    EXPECT_EQ(window.right, std::max(monitors_[0].r.right, monitors_[1].r.right));
    EXPECT_EQ(window.bottom, std::max(monitors_[0].r.bottom, monitors_[1].r.bottom));

    // At rest (the start of a cycle), each monitor shows its own picture, upright. Three
    // cycles' time at most.
    std::string why[2] = {"never at rest", ""};
    bool atRest = false;
    for (const DWORD start = GetTickCount(); !atRest && GetTickCount() - start < 21000;) {
        const Screen s = Grab();
        atRest = ShowsPicture(s, monitors_[0], 0, &why[0]) && ShowsPicture(s, monitors_[1], 1, &why[1]);
    }
    EXPECT_TRUE(atRest) << why[0] << "; " << why[1];

    // The ring near each monitor's centre, at the same moment: one clock for both. It stays
    // that close for a few tenths of a second per cycle, so only the middles are grabbed.
    int glow[2] = {0, 0}, most[2] = {0, 0};
    for (const DWORD start = GetTickCount();
         !(glow[0] > 20 && glow[1] > 20) && GetTickCount() - start < 28000;) {
        for (int k = 0; k < 2; ++k) most[k] = std::max(most[k], glow[k] = Glow(Grab(Middle(monitors_[k]))));
    }
    EXPECT_TRUE(glow[0] > 20 && glow[1] > 20) << "no glow near both centres at once; at most " << most[0]
                                              << " on the primary, " << most[1] << " on the other";

    // Escape, as the keyboard sends it, ends the renderer, and with it the saver.
    SetForegroundWindow(renderer);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = VK_ESCAPE;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    for (int waited = 0; waited < 10000 && IsWindow(renderer); waited += 50) Pump(50);
    EXPECT_FALSE(IsWindow(renderer)) << "Escape did not end the renderer";
    EXPECT_EQ(WaitForSingleObject(saver_.hProcess, 10000), WAIT_OBJECT_0)
        << "the saver outlived the renderer";
}

}  // namespace

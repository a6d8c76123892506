// The renderer's own frame and scene code (InitScene, RenderFrame, the window procedure) in
// this process, on a window of the renderer's own class, driven by a clock the test sets:
// cycle length at two frame rates, restarts whose pictures fail, the OpenGL state the ring and
// the shatter leave behind, the pixels the ring adds, and no frames while the display is off
// (nor an end for monitors that sleep with it).
#include <windows.h>
#include <GL/gl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "alo_test_files.h"
#include "file_bytes.h"
#include "screen_colour.h"
#include "handoff/handoff.h"
#include "renderer/frame/app_frame.h"
#include "renderer/scene/scene.h"
#include "renderer/scene/scene_model.h"

namespace qv::renderer {
namespace {

constexpr int kSide = 64;  // window size: small, the scene is stretched to any shape
constexpr std::int64_t kTicksPerSecond = 1'000'000;

// A uniform 24-bit picture in the hand-off format.
void WritePicture(const char* path, int side, unsigned char grey) {
    test::AloSpec layout;
    layout.width = side;
    layout.height = side;
    std::vector<std::uint8_t> b = test::MakeAlo(layout);
    std::fill(b.begin() + layout.pixelOffset, b.end(), grey);
    ASSERT_TRUE(qv::test::WriteFileBytes(path, std::string(b.begin(), b.end()))) << path;
}

FrameClock& frameClock = state.frame.clock;

// The display state's two notifications: the console's and the session's.
constexpr GUID kConsole = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kSession = {0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};

// The primary monitor's scene, the only one here, as the last frame left it.
const SceneState& CurrentScene() { return state.scene.monitorScenes.views[0].scene; }

using qv::test::Rgb;

class SceneFrame : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        CreateDirectoryA(handoff::kWorkFolder, nullptr);
        WNDCLASSA wc = {};
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = RendererWindowProc;  // its WM_CREATE makes the context current
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QvSceneFrameTest";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, kSide, kSide, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        suiteDc = GetDC(window);
        suiteContext = wglGetCurrentContext();
    }
    void SetUp() override {
        ASSERT_NE(window, nullptr);
        ASSERT_NE(wglGetCurrentContext(), nullptr);
        state.frame.screenWidth = state.frame.windowWidth = kSide;
        state.frame.screenHeight = state.frame.windowHeight = kSide;
        // The state a freshly started program has.
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
        WritePicture(handoff::kDesktopPictureFile, 32, 60);
        WritePicture(handoff::kGlowPictureFile, 16, 0);
    }
    void TearDown() override {
        DeleteFileA(handoff::kDesktopPictureFile);
        DeleteFileA(handoff::kGlowPictureFile);
    }

    // The clock's zero, then the first set-up, as the program's start does.
    static bool Start() {
        frameClock = FrameClock{};
        frameClock.Start(kTicksPerSecond, 0);
        now = 0;
        return InitScene();
    }
    // One frame, `seconds` after the previous one.
    static void Frame(double seconds) {
        now += static_cast<std::int64_t>(seconds * kTicksPerSecond + 0.5);
        frameClock.Tick(now);
        RenderFrame();
        glFinish();
    }
    // Frames until the next restart; returns the restart frame's time (-1: none in 20 s).
    static double RunToRestart(double fps) {
        const double start = CurrentScene().sceneStartTime;
        for (int n = 0; n < 20 * fps; ++n) {
            Frame(1.0 / fps);
            if (CurrentScene().sceneStartTime != start) return frameClock.frameTime;
        }
        return -1.0;
    }
    static void RunToShatter(double fps) {
        for (int n = 0; n < 10 * fps && CurrentScene().shattering == 0; ++n) Frame(1.0 / fps);
    }
    static Rgb Centre() {
        unsigned char p[4] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(kSide / 2, kSide / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2]};
    }
    static bool Enabled(GLenum what) { return glIsEnabled(what) == GL_TRUE; }
    static bool DepthWrites() {
        GLboolean mask = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
        return mask == GL_TRUE;
    }

    static inline HWND window = nullptr;
    static inline HDC suiteDc = nullptr;
    static inline HGLRC suiteContext = nullptr;
    static inline std::int64_t now = 0;
};

TEST_F(SceneFrame, APaintBeforeTheSetUpDrawsNothingAndAFlatWindowKeepsAViewport) {
    // The program turns rendering on only after its first set-up; a paint before that must
    // neither tick the clock nor draw.
    frameClock = FrameClock{};
    frameClock.Start(kTicksPerSecond, 12345);
    RendererWindowProc(window, WM_PAINT, 0, 0);
    EXPECT_EQ(frameClock.perfNow, 12345);
    EXPECT_EQ(frameClock.frameTime, 0.0f);

    // A window shrunk to no height keeps a viewport one pixel high.
    RendererWindowProc(window, WM_SIZE, 0, MAKELPARAM(200, 0));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 200);
    EXPECT_EQ(viewport[3], 1);
    RendererWindowProc(window, WM_SIZE, 0, MAKELPARAM(kSide, kSide));
    EXPECT_EQ(state.frame.windowWidth, kSide);
    EXPECT_EQ(state.frame.windowHeight, kSide);
}

// The console display's state as the system reports it to the window: off stops the frames
// and the clock, dimmed and on draw, and the clock goes on from where it stopped.
TEST_F(SceneFrame, NoFramesWhileTheDisplayIsOffAndTheClockLeavesThatTimeOut) {
    ASSERT_TRUE(Start());
    LARGE_INTEGER frequency, start;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    frameClock.Start(frequency.QuadPart, start.QuadPart);  // the paint reads the real counter
    state.frame.renderingEnabled = true;
    const auto paint = [] {
        const std::int64_t before = frameClock.perfNow;
        InvalidateRect(window, nullptr, FALSE);
        RendererWindowProc(window, WM_PAINT, 0, 0);
        EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)) << "a paint leaves the window painted";
        return frameClock.perfNow != before;
    };
    const auto display = [](DWORD state, const GUID& source = kConsole) {
        alignas(
            POWERBROADCAST_SETTING) unsigned char data[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)] = {};
        auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(data);
        setting->PowerSetting = source;
        setting->DataLength = sizeof state;
        std::memcpy(setting->Data, &state, sizeof state);
        EXPECT_EQ(RendererWindowProc(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                     reinterpret_cast<LPARAM>(data)),
                  TRUE);
    };
    EXPECT_TRUE(paint());
    display(2);  // dimmed: still seen
    EXPECT_TRUE(paint());
    for (const DWORD back : {1u, 2u}) {
        SCOPED_TRACE(back);
        Sleep(50);
        EXPECT_TRUE(paint());
        const float before = frameClock.frameTime;
        display(0);
        Sleep(1000);
        EXPECT_FALSE(paint()) << "a frame while the display is off";
        display(0);
        EXPECT_FALSE(paint());
        display(back);
        ASSERT_TRUE(paint());
        EXPECT_LT(frameClock.frameTime - before, 0.5f) << "the clock ran on while the display was off";
        EXPECT_LT(frameClock.frameDelta, 0.5f);
        EXPECT_GE(frameClock.frameDelta, 0.0f);
    }

    // Monitors that leave the platform's list with the display, and while they settle after it
    // is on again, do not end the show. The session's state is followed from its first
    // notification on, the console's no longer.
    state.frame.monitorChanges = MonitorChangeRule(frequency.QuadPart);
    state.monitors.foundAtStart.count = 0;  // as if none were listed at the start: every look finds a change
    display(0, kSession);
    EXPECT_FALSE(paint());
    display(1);
    EXPECT_FALSE(paint()) << "the console's state followed after the session's";
    RendererWindowProc(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(kSide, kSide));
    display(1, kSession);
    EXPECT_TRUE(paint());
    RendererWindowProc(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(kSide, kSide));
    EXPECT_TRUE(IsWindow(window)) << "the show ended on monitors that sleep with the display";
    state.frame.renderingEnabled = false;
}

TEST_F(SceneFrame, TheWindowsEndShowsTheCursorAgain) {
    const int hidden = ShowCursor(FALSE);  // as the program does at its start
    HWND second = CreateWindowExA(0, "QvSceneFrameTest", "", WS_POPUP, 0, 0, 16, 16, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(second, nullptr);
    DestroyWindow(second);
    const int after = ShowCursor(FALSE);
    ShowCursor(TRUE);  // back to the count this test found
    EXPECT_EQ(after, hidden) << "the window's end did not show the cursor once";
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the loop is told to end";
    wglMakeCurrent(suiteDc, suiteContext);  // the second window's end let go of the context
}

TEST_F(SceneFrame, ACycleLastsAboutSixPointNineSecondsAtTenAndAtTwoHundredFrames) {
    double cycle[2] = {};
    const double rates[2] = {10.0, 200.0};
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(rates[k]);
        ASSERT_TRUE(Start());
        EXPECT_EQ(CurrentScene().sceneStartTime, 0.0);
        // The shatter begins on the first frame more than 3.5 s into the scene.
        RunToShatter(rates[k]);
        EXPECT_GT(frameClock.frameTime, 3.5f);
        EXPECT_LE(frameClock.frameTime, 3.5f + 1.0f / rates[k] + 1e-4f);
        cycle[k] = RunToRestart(rates[k]);
        // The restart takes that frame's time as the new scene's zero, and starts a wave.
        EXPECT_EQ(CurrentScene().sceneStartTime, static_cast<double>(frameClock.frameTime));
        EXPECT_EQ(CurrentScene().shattering, 0);
        EXPECT_EQ(CurrentScene().shatterStartTime, 0.0);
    }
    EXPECT_GT(cycle[0], 6.7);
    EXPECT_LT(cycle[0], 7.1);
    EXPECT_NEAR(cycle[0], cycle[1], 0.11);
}

TEST_F(SceneFrame, RestartsWhosePicturesFailStillStartANewCycle) {
    ASSERT_TRUE(Start());
    RunToShatter(20);
    Frame(0.05);
    EXPECT_EQ(Centre().r, 60) << "the glow picture is black: textured, the ring adds nothing";

    // The desktop picture is gone at the restart: the clocks and the phase are reset all the
    // same, and the next cycle waves with the old grid, drawn untextured (white).
    DeleteFileA(handoff::kDesktopPictureFile);
    const double restart = RunToRestart(20);
    ASSERT_GT(restart, 0.0);
    EXPECT_EQ(CurrentScene().shattering, 0);
    EXPECT_EQ(CurrentScene().sceneStartTime, restart);
    Frame(0.05);
    EXPECT_EQ(CurrentScene().shattering, 0);
    for (int i = 0; i < kGridSize; i += 7)
        for (int j = 0; j < kGridSize; j += 7) {
            ASSERT_GE(CurrentScene().tilePosition[i][j][2], -6.0);
            ASSERT_LT(CurrentScene().tilePosition[i][j][2], -5.6) << "the wave put every tile back";
        }
    const Rgb white = Centre();
    EXPECT_EQ(white.r + white.g + white.b, 3 * 255);

    // Next restart: the desktop loads again but the glow picture is gone: a grey grid again,
    // and the ring shows untextured orange squares, which add up near the centre.
    WritePicture(handoff::kDesktopPictureFile, 32, 60);
    DeleteFileA(handoff::kGlowPictureFile);
    ASSERT_GT(RunToRestart(20), 0.0);
    Frame(0.05);
    EXPECT_EQ(Centre().r, 60);
    EXPECT_EQ(CurrentScene().shattering, 0);
    RunToShatter(20);
    const Rgb ring = Centre();
    EXPECT_EQ(ring.r, 255);
    EXPECT_GT(ring.g, 200);
}

TEST_F(SceneFrame, TheRingAddsItsGlowAndLeavesDepthTestingOnAfterTheFirstShatterFrame) {
    WritePicture(handoff::kGlowPictureFile, 16, 20);  // one sprite adds about (19, 14, 4)
    ASSERT_TRUE(Start());
    for (int n = 0; n < 30; ++n) {
        Frame(0.1);
        ASSERT_EQ(CurrentScene().shattering, 0);
        ASSERT_FALSE(Enabled(GL_DEPTH_TEST)) << "before the first shatter frame";
        ASSERT_FALSE(Enabled(GL_BLEND));
        ASSERT_TRUE(DepthWrites());
    }
    RunToShatter(10);
    // The first shatter frame: its ring is drawn before depth testing starts; every sprite
    // overlaps the centre and adds to the grey picture.
    EXPECT_TRUE(Enabled(GL_DEPTH_TEST));
    EXPECT_FALSE(Enabled(GL_BLEND));
    EXPECT_TRUE(DepthWrites());
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_SRC_ALPHA);
    EXPECT_EQ(dst, GL_ONE);
    Rgb c = Centre();
    EXPECT_EQ(c.r, 255) << c.g << " " << c.b;
    EXPECT_EQ(c.g, 255);
    EXPECT_GT(c.b, 100) << "one sprite blended over would leave about 4";

    // The second frame draws with depth testing on: sprites at one depth all add only while
    // the ring leaves the depth buffer alone.
    Frame(0.1);
    c = Centre();
    EXPECT_EQ(c.r, 255) << c.g << " " << c.b;
    EXPECT_EQ(c.g, 255);
    EXPECT_GT(c.b, 100) << "only one sprite was added";

    // Depth testing stays on into the next cycle's wave.
    ASSERT_GT(RunToRestart(10), 0.0);
    Frame(0.1);
    EXPECT_EQ(CurrentScene().shattering, 0);
    EXPECT_TRUE(Enabled(GL_DEPTH_TEST));
    EXPECT_FALSE(Enabled(GL_BLEND));
    EXPECT_TRUE(DepthWrites());
}

}  // namespace
}  // namespace qv::renderer

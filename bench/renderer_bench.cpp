// The renderer's measuring build (QuorvaleBench.dll, for tools/bench; never shipped): the
// shipped run with its window procedure and the scene's hooks wrapped from outside. Frame times per phase, the first set-up and the restart times, the
// longest and the median frames, written to the file named by QV_BENCH_OUT when
// QV_BENCH_SECONDS have passed. QV_BENCH_UNPACED=1 draws frames as fast as they come.
// QV_BENCH_PROBE replaces the scene by a floor to compare with: "bare" clears and swaps,
// "mesh" draws the flat 50 x 50 mesh at rest depth with the desktop picture's mipmapped
// texture and depth testing, which is what every wave frame must at least cost. With
// QV_BENCH_MARKS set, the start, the first finished scene set-up, the window's showing and
// the first presented frame are appended there as "<name> <counter>" lines, on the same system-wide counter as
// the saver's marks.
#include <windows.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/bench_marks.h"
#include "renderer/frame/app_frame.h"
#include "renderer/pacing/display_pacing.h"
#include "renderer/scene/scene_draw.h"
#include "renderer/scene/scene_model.h"

namespace qv::renderer {
namespace {

struct Bucket {
    long frames = 0;
    double seconds = 0.0;
};

enum class Probe { None, Bare, Mesh };
Probe probe = Probe::None;
bool unpaced = false;
double runSeconds = 10.0;
char outPath[MAX_PATH] = {};
double frequency = 1.0;
LONGLONG startCount = 0, lastFrameCount = 0, restartBegan = 0;
bool phaseShatter = false, sawFrame = false;
Bucket wave, shatter, plain;
double restartTotal = 0.0, restartMax = 0.0, firstSetUp = -1.0;
long restarts = 0;
// Every frame's time, for the medians; fixed storage, as the scene's.
constexpr long kMaxFrames = 1 << 20;
float frameSeconds[kMaxFrames];
bool frameWave[kMaxFrames];
long framesKept = 0;
SceneState flatMesh;
bool flatMeshReady = false;
// Frames presented in each whole second of the run: the busiest shows what pacing allows.
constexpr int kMaxSeconds = 4096;
int framesInSecond[kMaxSeconds];
LONGLONG lastAnyFrameCount = 0;  // not reset by a restart: the longest frame includes it
// The longest frame, when it ended (seconds into the run) and what it drew; and the longest
// after the first cycle, when the rasteriser has met every drawing state once.
double longestFrame = 0.0, longestAt = 0.0, longestLater = 0.0;
const char* longestKind = "wave";
bool restartInFrame = false;
long setUps = 0;
bool markedScene = false, markedFrame = false;

LONGLONG Now() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart;
}

void Mark(const char* name, LONGLONG count) { bench::Mark(name, count); }

// Median of the kept frames (of the wave's only when waveOnly).
double MedianFrame(bool waveOnly) {
    static float sorted[kMaxFrames];
    long n = 0;
    for (long k = 0; k < framesKept; ++k)
        if (!waveOnly || frameWave[k]) sorted[n++] = frameSeconds[k];
    if (n == 0) return 0.0;
    std::nth_element(sorted, sorted + n / 2, sorted + n);
    return sorted[n / 2];
}

void WriteResults() {
    FILE* f = std::fopen(outPath, "w");
    if (!f) return;
    const char* probeName = probe == Probe::Mesh ? "mesh" : "bare";
    std::fprintf(f, "wave %ld %.6f\nshatter %ld %.6f\n%s %ld %.6f\n", wave.frames, wave.seconds,
                 shatter.frames, shatter.seconds, probeName, plain.frames, plain.seconds);
    std::fprintf(f, "setup %.6f\n", firstSetUp);
    std::fprintf(f, "restart %ld %.6f %.6f\n", restarts, restarts ? restartTotal / restarts : 0.0,
                 restartMax);
    std::fprintf(f, "longest %.6f %.3f %s\n", longestFrame, longestAt, longestKind);
    std::fprintf(f, "longest_later %.6f\n", longestLater);
    std::fprintf(f, "median_frame %.6f\nmedian_wave %.6f\n", MedianFrame(false), MedianFrame(true));
    const DisplayPacing& pacing = state.pacing;
    std::fprintf(f, "pacing %d %d\n", pacing.refreshRate, pacing.paced && pacing.pacing.SwapPaces() ? 1 : 0);
    int busiest = 0;
    for (int n : framesInSecond) busiest = n > busiest ? n : busiest;
    std::fprintf(f, "busiest_second %d\n", busiest);
    std::fclose(f);
}

void BenchStart() {
    const char* v = std::getenv("QV_BENCH_PROBE");
    if (v && std::strcmp(v, "bare") == 0) probe = Probe::Bare;
    if (v && std::strcmp(v, "mesh") == 0) probe = Probe::Mesh;
    v = std::getenv("QV_BENCH_UNPACED");
    unpaced = v && *v == '1';
    if ((v = std::getenv("QV_BENCH_SECONDS"))) runSeconds = std::atof(v);
    if ((v = std::getenv("QV_BENCH_OUT"))) std::snprintf(outPath, sizeof outPath, "%s", v);
    LARGE_INTEGER fr;
    QueryPerformanceFrequency(&fr);
    frequency = static_cast<double>(fr.QuadPart);
    startCount = Now();
    Mark("renderer_start", startCount);
}

bool BenchProbeFrame() {
    if (probe == Probe::None) return false;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (probe == Probe::Mesh) {
        if (!flatMeshReady) {
            CrtRandom random;
            SetUpGrid(flatMesh, random);  // every tile at rest depth: the mesh lies flat
            flatMeshReady = true;
        }
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        state.scene.desktopTexture.Bind();
        glColor3f(1.0f, 1.0f, 1.0f);
        DrawWaveStrips(flatMesh);
    }
    phaseShatter = false;
    return true;
}

void BenchFrameDone(HWND window) {
    const LONGLONG now = Now();
    if (!markedFrame) Mark("first_frame", now), markedFrame = true;
    const LONGLONG second = static_cast<LONGLONG>((now - startCount) / frequency);
    if (second >= 0 && second < kMaxSeconds) framesInSecond[second] += 1;
    if (lastAnyFrameCount != 0) {
        const double frame = (now - lastAnyFrameCount) / frequency;
        if (frame > longestFrame) {
            longestFrame = frame;
            longestAt = (now - startCount) / frequency;
            longestKind = restartInFrame ? "restart" : (phaseShatter ? "shatter" : "wave");
        }
        if (setUps > 1 && frame > longestLater) longestLater = frame;
    }
    lastAnyFrameCount = now;
    restartInFrame = false;
    if (sawFrame) {
        Bucket& b = probe != Probe::None ? plain : (phaseShatter ? shatter : wave);
        b.frames += 1;
        b.seconds += (now - lastFrameCount) / frequency;
        if (framesKept < kMaxFrames) {
            frameSeconds[framesKept] = static_cast<float>((now - lastFrameCount) / frequency);
            frameWave[framesKept++] = probe == Probe::None && !phaseShatter;
        }
    }
    sawFrame = true;
    lastFrameCount = now;
    if ((now - startCount) / frequency > runSeconds) {
        WriteResults();
        startCount = now + (1LL << 62);  // write once
        DestroyWindow(window);
    }
}

void BenchRestartBegins() { restartBegan = Now(); }

void BenchRestartEnds() {
    const LONGLONG now = Now();
    if (!markedScene) Mark("scene_ready", now), markedScene = true;
    const double s = (now - restartBegan) / frequency;
    setUps += 1;
    restartInFrame = true;
    if (firstSetUp < 0.0) {
        firstSetUp = s;  // the first builds every mipmap chain; the restarts are what recurs
    } else {
        restartTotal += s;
        if (s > restartMax) restartMax = s;
        restarts += 1;
    }
    sawFrame = false;  // the restart's own time is not a frame
}

SceneHooks sceneHooks;  // the scene's own, which the wrappers call

bool TimedSetUp(bool (*setUp)()) {
    BenchRestartBegins();
    if (!setUp()) return false;
    BenchRestartEnds();
    return true;
}
bool BenchLoad() { return TimedSetUp(sceneHooks.load); }
bool BenchRestart() { return TimedSetUp(sceneHooks.restart); }

// A probe's floor instead of the scene, or the scene, remembering which phase it drew.
void BenchDraw() {
    if (BenchProbeFrame()) return;
    sceneHooks.draw();
    phaseShatter = state.scene.monitorScenes.views[0].scene.shattering != 0;
}

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) Mark("renderer_escape", Now());
    // Showing maps the window on the display at once (under a compositor it then stays cloaked
    // until its first frame is presented).
    if (message == WM_SHOWWINDOW && wParam) Mark("window_shown", Now());
    const bool frame = message == WM_PAINT && state.frame.renderingEnabled;
    const LRESULT result = RendererWindowProc(window, message, wParam, lParam);
    if (frame) BenchFrameDone(window);
    return result;
}

}  // namespace
}  // namespace qv::renderer

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace qv::renderer;
    BenchStart();
    RendererOptions options;
    sceneHooks = options.scene;
    options.scene.load = BenchLoad;
    options.scene.restart = BenchRestart;
    options.scene.draw = BenchDraw;
    options.windowProcedure = BenchWindowProc;
    options.paced = !unpaced;
    const int code = RunRenderer(instance, options);
    Mark("renderer_end", Now());
    return code;
}

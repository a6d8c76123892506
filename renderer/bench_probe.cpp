// Benchmark build only: frame times per phase, restart times and the longest frame, written
// to the file named by QV_BENCH_OUT when QV_BENCH_SECONDS have passed. QV_BENCH_BARE=1 makes
// every frame a bare clear and swap. With QV_BENCH_MARKS set, the start, the first finished
// scene set-up and the first presented frame are appended there as "<name> <counter>" lines,
// on the same system-wide counter as the saver's marks.
#include "bench_probe.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

namespace qv::renderer {
namespace {

struct Bucket {
    long frames = 0;
    double seconds = 0.0;
};

bool bare = false;
double runSeconds = 10.0;
char outPath[MAX_PATH] = {};
double frequency = 1.0;
LONGLONG startCount = 0, lastFrameCount = 0, restartBegan = 0;
bool phaseShatter = false, sawFrame = false;
Bucket wave, shatter, plain;
double restartTotal = 0.0, restartMax = 0.0;
long restarts = 0;
LONGLONG lastAnyFrameCount = 0;  // not reset by a restart: the longest frame includes it
double longestFrame = 0.0;
bool markedScene = false, markedFrame = false;

LONGLONG Now() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart;
}

void Mark(const char* name, LONGLONG count) {
    const char* path = std::getenv("QV_BENCH_MARKS");
    if (!path || !*path) return;
    HANDLE f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    char line[128];
    const int n = std::snprintf(line, sizeof line, "%s %lld\n", name, static_cast<long long>(count));
    DWORD written = 0;
    WriteFile(f, line, static_cast<DWORD>(n), &written, nullptr);
    CloseHandle(f);
}

void WriteResults() {
    FILE* f = std::fopen(outPath, "w");
    if (!f) return;
    std::fprintf(f, "wave %ld %.6f\nshatter %ld %.6f\nbare %ld %.6f\n", wave.frames, wave.seconds,
                 shatter.frames, shatter.seconds, plain.frames, plain.seconds);
    std::fprintf(f, "restart %ld %.6f %.6f\n", restarts, restarts ? restartTotal / restarts : 0.0,
                 restartMax);
    std::fprintf(f, "longest %.6f\n", longestFrame);
    std::fclose(f);
}

}  // namespace

void BenchStart() {
    const char* v = std::getenv("QV_BENCH_BARE");
    bare = v && *v == '1';
    if ((v = std::getenv("QV_BENCH_SECONDS"))) runSeconds = std::atof(v);
    if ((v = std::getenv("QV_BENCH_OUT"))) std::snprintf(outPath, sizeof outPath, "%s", v);
    LARGE_INTEGER fr;
    QueryPerformanceFrequency(&fr);
    frequency = static_cast<double>(fr.QuadPart);
    startCount = Now();
    Mark("renderer_start", startCount);
}

bool BenchBareFrame() {
    if (!bare) return false;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    phaseShatter = false;
    return true;
}

void BenchFramePhase(bool shattering) { phaseShatter = shattering; }

void BenchFrameDone(HWND window) {
    const LONGLONG now = Now();
    if (!markedFrame) Mark("first_frame", now), markedFrame = true;
    if (lastAnyFrameCount != 0 && (now - lastAnyFrameCount) / frequency > longestFrame)
        longestFrame = (now - lastAnyFrameCount) / frequency;
    lastAnyFrameCount = now;
    if (sawFrame) {
        Bucket& b = bare ? plain : (phaseShatter ? shatter : wave);
        b.frames += 1;
        b.seconds += (now - lastFrameCount) / frequency;
    }
    sawFrame = true;
    lastFrameCount = now;
    if ((now - startCount) / frequency > runSeconds) {
        WriteResults();
        startCount = now + (1LL << 62);  // write once
        DestroyWindow(window);
    }
}

void BenchMark(const char* name) { Mark(name, Now()); }

void BenchRestartBegins() { restartBegan = Now(); }

void BenchRestartEnds() {
    const LONGLONG now = Now();
    if (!markedScene) Mark("scene_ready", now), markedScene = true;
    const double s = (now - restartBegan) / frequency;
    restartTotal += s;
    if (s > restartMax) restartMax = s;
    restarts += 1;
    sawFrame = false;  // the restart's own time is not a frame
}

}  // namespace qv::renderer

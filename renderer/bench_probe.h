// Measuring hooks for the benchmark build only (QV_BENCH). In the shipped renderer they are
// empty, so it takes no options and writes nothing.
#pragma once

#ifdef QV_BENCH
#include <windows.h>
namespace qv::renderer {
void BenchStart();
bool BenchUnpaced();     // frames as fast as they come, for throughput figures
bool BenchProbeFrame();  // true: the frame was a probe's (a floor to compare with), not the scene
void BenchFramePhase(bool shattering);
void BenchFrameDone(HWND window);
void BenchRestartBegins();
void BenchRestartEnds();
void BenchMark(const char* name);  // appends "<name> <counter>" to QV_BENCH_MARKS
}  // namespace qv::renderer
#else
namespace qv::renderer {
inline void BenchStart() {}
inline bool BenchUnpaced() { return false; }
inline bool BenchProbeFrame() { return false; }
inline void BenchFramePhase(bool) {}
template <typename Window> inline void BenchFrameDone(Window) {}
inline void BenchRestartBegins() {}
inline void BenchRestartEnds() {}
inline void BenchMark(const char*) {}
}  // namespace qv::renderer
#endif

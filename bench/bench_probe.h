// Measuring marks for the benchmark build of the saver only (QV_BENCH): each mark appends
// "<name> <performance counter>" to the file named by QV_BENCH_MARKS. In the shipped saver
// they are empty, so it takes no options and writes nothing extra.
#pragma once

namespace qv {
#ifdef QV_BENCH
void BenchMark(const char* name);
#else
inline void BenchMark(const char*) {}
#endif
}  // namespace qv

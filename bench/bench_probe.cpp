// The saver's bench build only. The marks go beside the renderer's and the bench host's.
#include "bench/bench_probe.h"

#include "bench/bench_marks.h"

namespace qv {

void BenchMark(const char* name) { bench::Mark(name, bench::Counter()); }

}  // namespace qv

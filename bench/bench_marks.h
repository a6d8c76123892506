// Marks of the measuring builds, never shipped: "<name> <counter>" lines appended to one file,
// on the system-wide performance counter, so the marks of the saver, the renderer and the
// bench host line up on one time axis (tools/bench reads them).
#pragma once

namespace qv::bench {

// The performance counter now.
long long Counter();

// Appends "<name> <counter>" to the file at `path`; nothing when it cannot be opened.
void AppendMark(const char* path, const char* name, long long counter);

// The same to the file named by QV_BENCH_MARKS; nothing when it is not set.
void Mark(const char* name, long long counter);

}  // namespace qv::bench

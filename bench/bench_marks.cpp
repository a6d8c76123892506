#include "bench/bench_marks.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace qv::bench {

long long Counter() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void AppendMark(const char* path, const char* name, long long counter) {
    // Opened for each mark and shared: three processes append to the one file.
    HANDLE f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    char line[128];
    const int n = std::snprintf(line, sizeof line, "%s %lld\n", name, counter);
    const int length =
        n < static_cast<int>(sizeof line) ? n : static_cast<int>(sizeof line) - 1;  // cut, never past
    DWORD written = 0;
    if (length > 0) WriteFile(f, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(f);
}

void Mark(const char* name, long long counter) {
    const char* path = std::getenv("QV_BENCH_MARKS");
    if (path && *path) AppendMark(path, name, counter);
}

}  // namespace qv::bench

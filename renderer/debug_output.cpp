#include "renderer/debug_output.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace qv::renderer {

void DebugPrintf(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    OutputDebugStringA(text);
}

void LogStepFailure(const char* step, const char* what) {
    const DWORD error = GetLastError();
    if (error != 0)
        DebugPrintf("renderer: %s failed: %s (error %lu)\n", step, what, static_cast<unsigned long>(error));
    else
        DebugPrintf("renderer: %s failed: %s\n", step, what);
}

}  // namespace qv::renderer

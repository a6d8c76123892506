// The renderer shows nothing to the user; what it has to say goes to the debugger output.
#pragma once

namespace qv::renderer {

// Formats into 1024 bytes (longer text is cut) and writes it to the debugger output.
void DebugPrintf(const char* format, ...);

// "renderer: <step> failed: <what>", with the platform's last error where it has one.
void LogStepFailure(const char* step, const char* what);

}  // namespace qv::renderer

// The soak build's probe. Keeps the set of texture names the renderer holds, the names the
// driver still counts as textures, and the highest name it ever gave, and writes them, with the frame and texture-creation counts, to the
// file named by QV_SOAK_PROBE. QV_SOAK_FRAME_MS > 0 sleeps that long after every frame: the
// "throttled" soak.
#include <windows.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

std::set<GLuint> live;
GLuint highest = 0;
unsigned long long created = 0, frames = 0;

const char* ProbeFile() {
    static char path[MAX_PATH];
    static bool read = false;
    if (!read) {
        read = true;
        if (!GetEnvironmentVariableA("QV_SOAK_PROBE", path, MAX_PATH)) path[0] = '\0';
    }
    return path[0] ? path : nullptr;
}

DWORD FrameSleep() {
    static long ms = -1;
    if (ms < 0) {
        char text[32];
        ms = GetEnvironmentVariableA("QV_SOAK_FRAME_MS", text, sizeof text) ? std::atol(text) : 0;
        if (ms < 0) ms = 0;
    }
    return static_cast<DWORD>(ms);
}

// Names the driver still knows as textures. Some drivers never reuse a name, so the highest
// name alone can grow without a leak; this count cannot.
unsigned InDriver() {
    if (!wglGetCurrentContext()) return 0;
    unsigned n = 0;
    for (GLuint name = 1; name <= highest; ++name) n += glIsTexture(name) == GL_TRUE;
    return n;
}

// Written to a side file then moved over, so a reader never sees half a line.
void Report() {
    const char* path = ProbeFile();
    if (!path) return;
    char temp[MAX_PATH + 8];
    std::snprintf(temp, sizeof temp, "%s.new", path);
    if (FILE* f = std::fopen(temp, "wb")) {
        std::fprintf(f,
                     "textures_live=%zu\ntextures_in_driver=%u\ntexture_highest=%u\ntextures_created=%"
                     "llu\nframes=%llu\n",
                     live.size(), InDriver(), highest, created, frames);
        std::fclose(f);
        MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING);
    }
}

}  // namespace

extern "C" {

void QvSoakGenTextures(GLsizei n, GLuint* names) {
    glGenTextures(n, names);
    for (GLsizei i = 0; i < n; ++i) {
        live.insert(names[i]);
        if (names[i] > highest) highest = names[i];
    }
    created += n;
    Report();
}

void QvSoakDeleteTextures(GLsizei n, const GLuint* names) {
    glDeleteTextures(n, names);
    for (GLsizei i = 0; i < n; ++i) live.erase(names[i]);
}

BOOL QvSoakSwapBuffers(HDC dc) {
    BOOL ok = SwapBuffers(dc);
    if (++frames % 50 == 0) Report();
    if (DWORD ms = FrameSleep()) Sleep(ms);
    return ok;
}

}  // extern "C"

// The screen-saver host's side of a measured show, for tools/bench only; never shipped.
//   bench_host <saver.scr> <marks file> <show seconds> [front]
// Starts the shipped saver with /s as the host does and watches it from outside until the
// renderer's window appears: its hidden window appearing (the capture begins), the old desktop
// picture going (the capture is done) and each picture's last change (written). Then it
// measures the saver's processor time over the given seconds of the show, presses Escape on
// the renderer (with "front": a window of its own takes the foreground instead, as another
// program would, which ends a show that locks the session) and waits for the saver to end. Marks go to the marks file as
// "<name> <counter>" lines, beside those of the renderer's bench build.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "handoff/handoff.h"

namespace {

FILE* marks = nullptr;

LONGLONG Now() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart;
}

void Mark(const char* name, LONGLONG count) {
    std::fprintf(marks, "%s %lld\n", name, static_cast<long long>(count));
    std::fflush(marks);
}

// A picture file as last seen: its size and write time, or none.
struct Seen {
    bool exists = false;
    ULONGLONG size = 0, written = 0;
    bool operator!=(const Seen& o) const {
        return exists != o.exists || size != o.size || written != o.written;
    }
};

Seen Look(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &d)) return {};
    return {
        true, (static_cast<ULONGLONG>(d.nFileSizeHigh) << 32) | d.nFileSizeLow,
        (static_cast<ULONGLONG>(d.ftLastWriteTime.dwHighDateTime) << 32) | d.ftLastWriteTime.dwLowDateTime};
}

// When a picture file last changed as seen by the watch; 0 while it has not.
struct PictureWatch {
    const char* path;
    Seen seen;
    LONGLONG changed = 0;
    void Poll(LONGLONG now) {
        const Seen s = Look(path);
        if (s != seen) seen = s, changed = now;
    }
};

double ProcessSeconds(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1.0;
    auto ticks = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 1e7;
}

// Waits for the process to end while this thread's windows answer their messages (the
// activation moving between programs sends them some).
bool WaitPumping(HANDLE process, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs) return false;
        if (MsgWaitForMultipleObjects(1, &process, FALSE, timeoutMs - waited, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}

// A window of another program than the show's, taking the foreground.
void TakeTheForeground() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvBenchInFront";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "in front", WS_POPUP, 0, 0, 200, 150, nullptr,
                             nullptr, wc.hInstance, nullptr);
    Mark("foreground_taken", Now());
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
}

}  // namespace

int main(int argc, char** argv) {
    const bool front = argc == 5 && std::string(argv[4]) == "front";
    if (argc != 4 && !front) {
        std::fprintf(stderr, "usage: bench_host <saver.scr> <marks file> <show seconds> [front]\n");
        return 2;
    }
    const std::string saver = argv[1];
    const double showSeconds = std::atof(argv[3]);
    marks = std::fopen(argv[2], "a");
    if (!marks) return 2;
    LARGE_INTEGER fr;
    QueryPerformanceFrequency(&fr);
    const double frequency = static_cast<double>(fr.QuadPart);
    Mark("frequency", fr.QuadPart);

    std::string command = "\"" + saver + "\" /s";
    const std::string folder = saver.substr(0, saver.find_last_of("\\/"));
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    Mark("host_start", Now());
    if (!CreateProcessA(saver.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                        &pi)) {
        std::fprintf(stderr, "bench_host: cannot start %s\n", saver.c_str());
        return 1;
    }

    // Until the renderer's window is there, about every millisecond: the saver's window and
    // the two pictures, which the saver deletes after the capture and then writes anew.
    HWND renderer = nullptr;
    const LONGLONG waitFrom = Now();
    LONGLONG saverWindow = 0, desktopGone = 0;
    PictureWatch desktop{qv::handoff::kDesktopPictureFile, Look(qv::handoff::kDesktopPictureFile)};
    PictureWatch glow{qv::handoff::kGlowPictureFile, Look(qv::handoff::kGlowPictureFile)};
    while (!(renderer = FindWindowA(nullptr, qv::handoff::kRendererWindowTitle))) {
        const LONGLONG now = Now();
        if ((now - waitFrom) / frequency > 60.0) {
            std::fprintf(stderr, "bench_host: no renderer window\n");
            TerminateProcess(pi.hProcess, 1);
            return 1;
        }
        if (!saverWindow && FindWindowA(nullptr, qv::handoff::kShowWindowTitle)) saverWindow = now;
        desktop.Poll(now);
        glow.Poll(now);
        if (!desktopGone && desktop.changed) desktopGone = now;
        Sleep(1);
    }
    Mark("saver_window", saverWindow);
    Mark("desktop_gone", desktopGone);
    Mark("desktop_written", desktop.changed);
    Mark("glow_written", glow.changed);
    Sleep(1000);  // past the start-up work: only the show's own timers from here

    // The processor time of the saver is read around this stretch by tools/bench from the
    // system's own accounts as well: Wine reports no times for other processes.
    const double cpuBefore = ProcessSeconds(pi.hProcess);
    Mark("cpu_begin", Now());
    const LONGLONG wallBefore = Now();
    Sleep(static_cast<DWORD>(showSeconds * 1000));
    const double cpu = ProcessSeconds(pi.hProcess) - cpuBefore;
    const double wall = (Now() - wallBefore) / frequency;
    std::fprintf(marks, "saver_cpu %.6f %.6f\n", cpu, wall);
    std::fflush(marks);

    if (front) {
        TakeTheForeground();
    } else {
        // Escape as the keyboard would send it to the renderer's window.
        Mark("escape", Now());
        PostMessageA(renderer, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        while (IsWindow(renderer)) Sleep(1);
        Mark("renderer_gone", Now());
    }
    const bool ended = WaitPumping(pi.hProcess, 30000);
    if (ended) Mark("saver_exit", Now());
    std::fclose(marks);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!ended) TerminateProcess(pi.hProcess, 1);  // a show that ran on: ended with its renderer
    return ended ? 0 : 1;
}

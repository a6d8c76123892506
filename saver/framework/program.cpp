#include "saver/framework/program.h"

#include <windows.h>

#include <vector>

#include "saver/framework/ansi_text.h"
#include "saver/framework/application.h"
#include "saver/framework/command_line.h"
#include "saver/framework/control.h"
#include "saver/framework/framework_internal.h"
#include "saver/framework/key_sequence.h"
#include "saver/framework/twips.h"

namespace qv {

std::string ArgumentText() { return ArgumentsAfterProgramName(Narrow(GetCommandLineW())); }

namespace {

std::wstring ModulePath() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 2);  // long paths: the name was cut, try a larger buffer
    }
}

int DeviceCaps(int index) {
    HDC dc = GetDC(nullptr);
    int v = dc ? GetDeviceCaps(dc, index) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return v;
}

MousePointer g_pointer = MousePointer::Default;
int g_pointerIcon = 0;

}  // namespace

std::string ProgramFolder() {
    std::wstring p = ModulePath();
    std::size_t slash = p.find_last_of(L"\\/");
    return Narrow(slash == std::wstring::npos ? std::wstring() : p.substr(0, slash));
}

void EndNow(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

void MessageBoxOk(const std::string& text, const std::string& title) {
    std::wstring t = Widen(title);
    if (t.empty()) {
        std::wstring p = ModulePath();
        std::size_t slash = p.find_last_of(L"\\/");
        t = slash == std::wstring::npos ? p : p.substr(slash + 1);
        std::size_t dot = t.find_last_of(L'.');
        if (dot != std::wstring::npos && dot > 0) t.resize(dot);
    }
    MessageBoxW(nullptr, Widen(text).c_str(), t.c_str(), MB_OK | MB_SETFOREGROUND | MB_TASKMODAL);
}

ProgramProcess::ProgramProcess(ProgramProcess&& other) noexcept
    : handle_(other.handle_), id_(other.id_), job_(other.job_) {
    other.handle_ = other.job_ = nullptr;
    other.id_ = 0;
}

ProgramProcess& ProgramProcess::operator=(ProgramProcess&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        id_ = other.id_;
        job_ = other.job_;
        other.handle_ = other.job_ = nullptr;
        other.id_ = 0;
    }
    return *this;
}

ProgramProcess::~ProgramProcess() { Close(); }

void ProgramProcess::Close() {
    if (handle_) CloseHandle(handle_);
    if (job_) CloseHandle(job_);  // a tied program still running ends here
    handle_ = job_ = nullptr;
}

bool ProgramProcess::Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

namespace {

// A job that ends its processes when its last handle closes; null where there is none.
HANDLE JobThatEndsItsProcesses() {
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job && !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        CloseHandle(job);
        job = nullptr;
    }
    return job;
}

ProgramProcess Start(const std::string& commandLine, int showCommand, bool tied) {
    std::wstring cmd = Widen(commandLine);
    if (cmd.empty()) throw FrameworkError("no program to start");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION pi{};
    // The whole text is the program's path: start exactly that file, quoted, or nothing. Read
    // unquoted, a path with blanks would let "C:\Program.exe" or "C:\My.exe" run in its place.
    std::wstring quoted = L"\"" + cmd + L"\"";
    // A tied program waits in the job before it runs its first instruction, so nothing it
    // starts escapes the job either.
    if (!CreateProcessW(cmd.c_str(), quoted.data(), nullptr, nullptr, FALSE, tied ? CREATE_SUSPENDED : 0,
                        nullptr, nullptr, &si, &pi))
        throw FrameworkError("the program could not be started: " + commandLine);
    HANDLE job = nullptr;
    if (tied) {
        job = JobThatEndsItsProcesses();
        if (job && !AssignProcessToJobObject(job, pi.hProcess)) {
            CloseHandle(job);
            job = nullptr;
        }
        AllowSetForegroundWindow(pi.dwProcessId);
        ResumeThread(pi.hThread);
    }
    CloseHandle(pi.hThread);
    return ProgramProcess(pi.hProcess, pi.dwProcessId, job);
}

}  // namespace

ProgramProcess StartProgramProcess(const std::string& commandLine, int showCommand) {
    return Start(commandLine, showCommand, false);
}

ProgramProcess StartTiedProgram(const std::string& commandLine, int showCommand) {
    return Start(commandLine, showCommand, true);
}

std::uint32_t StartProgram(const std::string& commandLine, int showCommand) {
    return StartProgramProcess(commandLine, showCommand).Id();
}

bool MakeFolder(const std::string& path) { return CreateDirectoryW(Widen(path).c_str(), nullptr) != 0; }

bool DeleteFileAt(const std::string& path) { return DeleteFileW(Widen(path).c_str()) != 0; }

bool CanOpenForReading(const std::string& path) {
    if (path.empty()) return false;
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

// The DPI is fixed for the session; ask the device once.
int TwipsPerPixelX() {
    static const int t = TwipsPerPixelFromDpi(DeviceCaps(LOGPIXELSX));
    return t;
}
int TwipsPerPixelY() {
    static const int t = TwipsPerPixelFromDpi(DeviceCaps(LOGPIXELSY));
    return t;
}
int ScreenWidthTwips() { return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX(); }
int ScreenHeightTwips() { return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY(); }

HCURSOR CursorForPointer(MousePointer p, int iconResource) {
    switch (p) {
        case MousePointer::Default:
            return nullptr;
        case MousePointer::Arrow:
            return LoadCursor(nullptr, IDC_ARROW);
        case MousePointer::Cross:
            return LoadCursor(nullptr, IDC_CROSS);
        case MousePointer::IBeam:
            return LoadCursor(nullptr, IDC_IBEAM);
        case MousePointer::Hourglass:
            return LoadCursor(nullptr, IDC_WAIT);
        case MousePointer::Custom:
            return iconResource ? LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource))
                                : nullptr;
    }
    return nullptr;
}

HCURSOR AppCursor() { return CursorForPointer(g_pointer, g_pointerIcon); }

void SetAppMousePointer(MousePointer p, int cursorResource) {
    g_pointer = p;
    g_pointerIcon = cursorResource;
    // Show the change at once where the mouse is, as a move would.
    POINT pt;
    if (!GetCursorPos(&pt)) return;
    HWND under = WindowFromPoint(pt);
    DWORD pid = 0;
    if (under) GetWindowThreadProcessId(under, &pid);
    if (under && pid == GetCurrentProcessId()) {
        SendMessageW(
            under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
            MAKELPARAM(static_cast<WORD>(SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y))),
                       WM_MOUSEMOVE));
    } else if (HCURSOR c = AppCursor()) {
        SetCursor(c);
    }
}

MousePointer AppMousePointer() { return g_pointer; }

void SendKeys(const std::string& keys) {
    auto strokes = ParseKeySequence(keys);
    if (!strokes) throw FrameworkError("malformed key sequence: " + keys);
    for (const KeyStroke& k : *strokes) QueueKeyStroke(k);
}

}  // namespace qv

#include "saver_driver.h"

#include <tlhelp32.h>

#include "handoff/handoff.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace qv::test {

std::string WinePath(const std::string& unixPath) {
    std::string p = "Z:" + unixPath;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

bool FileThere(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Process::Process(const std::string& exe, const std::string& args, const std::string& extraEnv) {
    std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    std::string env;
    if (!extraEnv.empty()) {
        // This process's environment plus the extra NAME=value.
        char* block = GetEnvironmentStringsA();
        for (char* p = block; *p; p += strlen(p) + 1) env.append(p).push_back('\0');
        FreeEnvironmentStringsA(block);
        std::string item;
        for (char c : extraEnv + "\n") {  // NAME=value entries, one a line
            if (c != '\n') {
                item += c;
                continue;
            }
            if (!item.empty()) env.append(item).push_back('\0');
            item.clear();
        }
        env.push_back('\0');
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string folder = exe.substr(0, exe.rfind('\\'));
    // A start can fail for a moment on a loaded machine (seen once in CI, cause unknown), so
    // it is tried again, and each failure says why.
    for (int attempt = 1; attempt <= 3; ++attempt) {
        if (CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, env.empty() ? nullptr : &env[0],
                           folder.c_str(), &si, &pi_))
            return;
        std::fprintf(stderr, "starting %s failed (attempt %d): error %lu\n", cmd.c_str(), attempt,
                     GetLastError());
        pi_ = {};
        Sleep(500);
    }
}

Process::~Process() {
    if (!pi_.hProcess) return;
    if (Running()) {
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

bool Process::WaitEnd(int timeoutMs) {
    return WaitUntil([this] { return !Running(); }, timeoutMs);
}

bool Process::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

RECT WaitForClientSize(HWND window, int width, int height, int timeoutMs) {
    RECT r{};
    WaitUntil(
        [&] {
            GetClientRect(window, &r);
            return r.right == width && r.bottom == height;
        },
        timeoutMs);
    return r;
}

std::vector<HWND> WindowsOf(DWORD pid, const std::string& className) {
    struct Search {
        DWORD pid;
        std::string cls;
        std::vector<HWND> found;
    } s{pid, className, {}};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            char cls[64] = "";
            GetClassNameA(w, cls, sizeof cls);
            if (owner == s->pid && (s->cls.empty() || s->cls == cls)) s->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::optional<std::wstring> MessageBoxText(DWORD pid) {
    for (HWND box : WindowsOf(pid, "#32770")) {
        if (!IsWindowVisible(box)) continue;
        wchar_t text[512] = L"";
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        return std::wstring(text);
    }
    return std::nullopt;
}

void CloseMessageBoxes(DWORD pid) {
    for (HWND box : WindowsOf(pid, "#32770")) PostMessageA(box, WM_COMMAND, IDOK, 0);
}

namespace {
const char* const kWorkFiles[] = {handoff::kSettingsFile, handoff::kDesktopPictureFile,
                                  handoff::kGlowPictureFile};
}

WorkFolderGuard::WorkFolderGuard() : folderExisted_(FileThere(handoff::kWorkFolder)) {
    for (const char* f : kWorkFiles) {
        std::optional<std::string> bytes;
        if (FileThere(f)) bytes = ReadFileBytes(f);
        saved_.emplace_back(f, bytes);
    }
}

WorkFolderGuard::~WorkFolderGuard() {
    for (auto& [path, bytes] : saved_) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        if (bytes) WriteFileBytes(path, *bytes);
    }
    if (!folderExisted_) RemoveDirectoryA(handoff::kWorkFolder);
}

void SetThreadsSuspended(DWORD pid, bool suspend) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 t{};
    t.dwSize = sizeof t;
    for (BOOL more = Thread32First(snap, &t); more; more = Thread32Next(snap, &t)) {
        if (t.th32OwnerProcessID != pid) continue;
        if (HANDLE h = OpenThread(THREAD_SUSPEND_RESUME, FALSE, t.th32ThreadID)) {
            suspend ? SuspendThread(h) : ResumeThread(h);
            CloseHandle(h);
        }
    }
    CloseHandle(snap);
}

SaverCopies MakeSaverCopies() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + "qv_saver_e2e";
    CreateDirectoryA(base.c_str(), nullptr);
    SaverCopies c;
    std::string with = base + "\\with", without = base + "\\without";
    CreateDirectoryA(with.c_str(), nullptr);
    CreateDirectoryA(without.c_str(), nullptr);
    std::string saver = WinePath(QV_SAVER_EXE), stub = WinePath(QV_STUB_EXE);
    CopyFileA(saver.c_str(), (with + "\\Quorvale.scr").c_str(), FALSE);
    CopyFileA(stub.c_str(), (with + "\\" + handoff::kRendererProgramFileName).c_str(), FALSE);
    CopyFileA(saver.c_str(), (without + "\\Quorvale.scr").c_str(), FALSE);
    DeleteFileA((without + "\\" + handoff::kRendererProgramFileName).c_str());
#ifdef QV_RENDERER_EXE
    std::string real = base + "\\real";
    CreateDirectoryA(real.c_str(), nullptr);
    CopyFileA(saver.c_str(), (real + "\\Quorvale.scr").c_str(), FALSE);
    CopyFileA(WinePath(QV_RENDERER_EXE).c_str(), (real + "\\" + handoff::kRendererProgramFileName).c_str(),
              FALSE);
    c.withRealRenderer = real + "\\Quorvale.scr";
#endif
    c.withRenderer = with + "\\Quorvale.scr";
    c.withoutRenderer = without + "\\Quorvale.scr";
    return c;
}

}  // namespace qv::test

#pragma once
// Helpers for driving the shipped saver program from a test under Wine: copies of the program
// beside a stand-in renderer, processes, windows, the working folder kept as it was found.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "message_pump.h"

namespace qv::test {

// A Unix path of the build as Wine sees it (Z:\...).
std::string WinePath(const std::string& unixPath);
bool FileThere(const std::string& path);

// A program started by the test; ended (by its own handle) if still running at the end.
// `extraEnv` adds NAME=value lines to this process's environment.
class Process {
  public:
    Process(const std::string& exe, const std::string& args, const std::string& extraEnv = "");
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    bool Started() const { return pi_.hProcess != nullptr; }
    DWORD Id() const { return pi_.dwProcessId; }
    // True when the process has ended within the time.
    bool WaitEnd(int timeoutMs);
    bool Running() const;

  private:
    PROCESS_INFORMATION pi_{};
};

// Every thread of a process stopped or let go again: a program that no longer answers.
void SetThreadsSuspended(DWORD pid, bool suspend);

// Top-level windows of a process (visible or not) with a window class, "" for any.
std::vector<HWND> WindowsOf(DWORD pid, const std::string& className = "");
// The window's client area once it has the given size, or as it is when the time is up (a
// preview form becomes the pane's child before it is sized).
RECT WaitForClientSize(HWND window, int width, int height, int timeoutMs);
// The text of a message box of the process, empty when it shows none.
std::optional<std::wstring> MessageBoxText(DWORD pid);
void CloseMessageBoxes(DWORD pid);

// Keeps the working folder's files (settings and both pictures) and puts them back.
class WorkFolderGuard {
  public:
    WorkFolderGuard();
    ~WorkFolderGuard();

  private:
    bool folderExisted_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Folders with a copy of the saver, with and without the stand-in renderer beside it.
struct SaverCopies {
    std::string withRenderer;      // ...\Quorvale.scr
    std::string withoutRenderer;   // ...\Quorvale.scr
    std::string withRealRenderer;  // ...\Quorvale.scr beside the built renderer; empty without one
};
SaverCopies MakeSaverCopies();

}  // namespace qv::test

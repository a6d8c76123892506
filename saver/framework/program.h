#pragma once
// Program services: command line, folder, ending, messages, starting programs, files,
// screen metrics, the application-wide mouse pointer and queued keystrokes. Texts are UTF-8.
#include <cstdint>
#include <string>

#include "saver/framework/form_design.h"

namespace qv {

// The command-line text after the program's name, leading blanks removed.
std::string ArgumentText();
// Folder of the running program, without a trailing backslash.
std::string ProgramFolder();
// Ends the process at once; no unload handling runs.
[[noreturn]] void EndNow(int exitCode = 0);
// Shows the text with an OK button and waits until it is closed. The title defaults to the
// program's file name without extension.
void MessageBoxOk(const std::string& text, const std::string& title = "");
// A started program's process, held open from its start: whatever ends or starts meanwhile,
// it stands for that one process, and its end can be seen even after the fact. Closed when
// destroyed; moves, never copies.
class ProgramProcess {
  public:
    ProgramProcess() = default;
    ProgramProcess(void* handle, std::uint32_t id, void* job = nullptr)
        : handle_(handle), id_(id), job_(job) {}
    ProgramProcess(ProgramProcess&& other) noexcept;
    ProgramProcess& operator=(ProgramProcess&& other) noexcept;
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;
    ~ProgramProcess();

    bool Running() const;  // false once it has ended, and when none is held
    void* Handle() const { return handle_; }
    std::uint32_t Id() const { return id_; }

  private:
    void Close();

    void* handle_ = nullptr;
    std::uint32_t id_ = 0;
    void* job_ = nullptr;  // the job that ends it with this program (StartTiedProgram)
};

// Starts a program by path (the whole command line) with a show command (SW_*) and holds its
// process. Throws FrameworkError when it cannot be started.
ProgramProcess StartProgramProcess(const std::string& commandLine, int showCommand);
// The same for a program that must not outlive this one, however this one ends (a crash, or
// ended from outside): it runs in a job that ends its processes when the last handle to the
// job, this program's, closes. It may take the foreground, as this program could. Where the
// system puts it in no job (a job of this program's own that allows none), it runs untied.
ProgramProcess StartTiedProgram(const std::string& commandLine, int showCommand);
// The same, returning only the process id.
std::uint32_t StartProgram(const std::string& commandLine, int showCommand);

// Files. Each returns false on failure (the skip rule counts that as a failed statement).
bool MakeFolder(const std::string& path);    // one level; false also when it exists
bool DeleteFileAt(const std::string& path);  // false when it did not exist or is locked
bool CanOpenForReading(const std::string& path);

// Primary screen.
int ScreenWidthTwips();
int ScreenHeightTwips();
int TwipsPerPixelX();  // 1440 / LOGPIXELSX
int TwipsPerPixelY();  // 1440 / LOGPIXELSY

// The application-wide pointer, shown over every form while it is not Default.
void SetAppMousePointer(MousePointer p, int cursorResource = 0);
MousePointer AppMousePointer();

// Queues key presses for the focused window, processed in order after the current event:
// "{TAB}" and "+{TAB}" move the focus as the keys would. Throws FrameworkError for a
// malformed sequence.
void SendKeys(const std::string& keys);

}  // namespace qv

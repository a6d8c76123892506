#pragma once
// Drives the real settings dialog in another process: starts it, finds its controls by
// their place on the form, clicks and types through the platform's input queue, and reads
// the settings file as bytes.
#include <windows.h>

#include <string>

namespace qv::test {

// UTF-8 <-> UTF-16 and the Japanese ANSI code page (932).
std::wstring W(const std::string& utf8);
std::string FromCp932(const std::string& bytes);
std::string ToCp932(const std::string& utf8);

// A file named in UTF-8 (the shared helpers take the system's code page).
std::string ReadUtf8File(const std::string& utf8Path);  // empty when missing
void WriteUtf8File(const std::string& utf8Path, const std::string& bytes);
bool Utf8FileThere(const std::string& utf8Path);

// The settings file, handoff::kSettingsFile.
std::string IniPath();
// Writes a fresh settings file with the three music keys (UTF-8 given, cp932 stored).
void WriteMusicIni(const std::string& kind, const std::string& repeat, const std::string& file);
// The raw value text of a key as stored (blanks kept), UTF-8; "<missing>" when absent.
std::string RawIniValue(const std::string& key);
// What the platform's profile writer stores for a value (some writers drop leading blanks).
std::string StoredForm(const std::string& value);

class DialogProcess {
  public:
    // Starts `commandLine` and waits for the settings dialog's window (false on timeout).
    bool Start(const std::wstring& commandLine);
    ~DialogProcess();

    HWND Window() const { return window_; }
    // Screen point of a place given in form twips; inPanel: relative to the panel GFXFrameX1.
    POINT ScreenPoint(int leftTw, int topTw, bool inPanel) const;
    // The child window at a place (the panel's children looked up inside it).
    HWND ChildAt(int leftTw, int topTw, bool inPanel) const;
    HWND Combo() const;

    void Click(POINT screen) const;
    // The pointer shown with the mouse resting on a place of the form.
    HCURSOR CursorOver(int leftTw, int topTw, bool inPanel) const;
    void ClickAt(int leftTw, int topTw, bool inPanel) const;
    void TypeText(const std::wstring& text) const;
    void PressKey(WORD vk) const;
    // The close box: the same request the caption's button sends.
    void CloseBox() const;
    // True when the process has ended within the time; its exit code in *code.
    bool WaitExit(DWORD ms, DWORD* code = nullptr) const;
    bool Running() const;
    COLORREF PixelAt(int leftTw, int topTw, bool inPanel) const;
    // Darkest pixel's brightness (r+g+b) in a rectangle of the form (twips).
    int DarkestIn(int leftTw, int topTw, int widthTw, int heightTw, bool inPanel) const;
    // A checksum of what the screen shows in a rectangle of the form (twips).
    unsigned RegionHash(int leftTw, int topTw, int widthTw, int heightTw, bool inPanel) const;

  private:
    PROCESS_INFORMATION pi_{};
    HWND window_ = nullptr;
};

// The file chooser shown by the dialog ("ﾌｧｲﾙを開く"); null on timeout.
HWND WaitForChooser(DWORD ms);
// Puts the text into the chooser's file name field and presses its open button.
void ChooserOpen(HWND chooser, const std::wstring& name);
// Presses the chooser's cancel button.
void ChooserCancel(HWND chooser);
bool WaitGone(HWND window, DWORD ms);

}  // namespace qv::test

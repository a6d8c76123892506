#include "dialog_driver.h"

#include <algorithm>
#include <sstream>

#include "file_bytes.h"
#include "handoff/handoff.h"
#include "message_pump.h"

namespace qv::test {

namespace handoff = qv::handoff;
namespace test = qv::test;

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kPanelLeftTw = 180, kPanelTopTw = 180;

std::string Convert(const std::string& in, UINT from, UINT to) {
    if (in.empty()) return {};
    int n = MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), w.data(), n);
    int m = WideCharToMultiByte(to, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(m), '\0');
    WideCharToMultiByte(to, 0, w.data(), n, out.data(), m, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring W(const std::string& utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}
std::string FromCp932(const std::string& bytes) { return Convert(bytes, 932, CP_UTF8); }
std::string ToCp932(const std::string& utf8) { return Convert(utf8, CP_UTF8, 932); }

std::string ReadUtf8File(const std::string& utf8Path) { return ReadFileBytes(W(utf8Path)); }

void WriteUtf8File(const std::string& utf8Path, const std::string& bytes) {
    WriteFileBytes(W(utf8Path), bytes);
}

bool Utf8FileThere(const std::string& utf8Path) {
    return GetFileAttributesW(W(utf8Path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string IniPath() { return handoff::kSettingsFile; }

void WriteMusicIni(const std::string& kind, const std::string& repeat, const std::string& file) {
    CreateDirectoryW(W(handoff::kWorkFolder).c_str(), nullptr);
    std::string text = "[" + std::string(handoff::kSettingsSection) + "]\r\n" + handoff::kKeyBgmKind + "=" +
                       kind + "\r\n" + handoff::kKeyBgmRepeat + "=" + repeat + "\r\n" + handoff::kKeyBgmFile +
                       "=" + file + "\r\n";
    WriteUtf8File(IniPath(), ToCp932(text));
}

std::string RawIniValue(const std::string& key) {
    std::istringstream in(FromCp932(ReadUtf8File(IniPath())));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
    }
    return "<missing>";
}

std::string StoredForm(const std::string& value) {
    const std::string probe = std::string(handoff::kWorkFolder) + "\\qv_e2e_probe.ini";
    WritePrivateProfileStringA(handoff::kSettingsSection, "k", ToCp932(value).c_str(), probe.c_str());
    std::istringstream in(FromCp932(ReadUtf8File(probe)));
    DeleteFileA(probe.c_str());
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, 2, "k=") == 0) return line.substr(2);
    }
    return "<missing>";
}

bool DialogProcess::Start(const std::wstring& commandLine) {
    // A dialog left over from elsewhere would be found instead of ours.
    if (FindWindowW(nullptr, W(handoff::kSettingsWindowTitle).c_str())) return false;
    std::wstring cmd = commandLine;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_))
        return false;
    for (int i = 0; i < 400; ++i) {
        HWND w = FindWindowW(nullptr, W(handoff::kSettingsWindowTitle).c_str());
        if (w && IsWindowVisible(w)) {
            window_ = w;
            test::Pump(700);  // zoom effect and first paint
            SetForegroundWindow(w);
            return true;
        }
        if (WaitForSingleObject(pi_.hProcess, 50) == WAIT_OBJECT_0) return false;
    }
    return false;
}

DialogProcess::~DialogProcess() {
    if (pi_.hProcess) {
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
}

POINT DialogProcess::ScreenPoint(int leftTw, int topTw, bool inPanel) const {
    if (inPanel) {
        leftTw += kPanelLeftTw;
        topTw += kPanelTopTw;
    }
    POINT p{leftTw / kTwipsPerPixel, topTw / kTwipsPerPixel};
    ClientToScreen(window_, &p);
    return p;
}

HWND DialogProcess::ChildAt(int leftTw, int topTw, bool inPanel) const {
    POINT p = ScreenPoint(leftTw, topTw, inPanel);
    HWND parent = window_;
    for (;;) {
        POINT c = p;
        ScreenToClient(parent, &c);
        HWND child = ChildWindowFromPointEx(parent, c, CWP_SKIPINVISIBLE);
        if (!child || child == parent) return parent;
        parent = child;
    }
}

HWND DialogProcess::Combo() const {
    HWND h = ChildAt(1440 + 100, 720 + 100, true);
    wchar_t cls[64] = {};
    // The point may land on the combo's own edit field.
    GetClassNameW(h, cls, 64);
    if (lstrcmpiW(cls, L"Edit") == 0) h = GetParent(h);
    return h;
}

void DialogProcess::Click(POINT screen) const {
    SetForegroundWindow(window_);
    SetCursorPos(screen.x, screen.y);
    test::Pump(100);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in[0], sizeof(INPUT));
    test::Pump(80);
    SendInput(1, &in[1], sizeof(INPUT));
    test::Pump(400);
}

HCURSOR DialogProcess::CursorOver(int leftTw, int topTw, bool inPanel) const {
    POINT p = ScreenPoint(leftTw, topTw, inPanel);
    // Two moves, so the window under the pointer gets a mouse move and sets its pointer.
    SetCursorPos(p.x + 1, p.y);
    test::Pump(150);
    SetCursorPos(p.x, p.y);
    test::Pump(300);
    CURSORINFO ci{};
    ci.cbSize = sizeof ci;
    GetCursorInfo(&ci);
    return ci.hCursor;
}

void DialogProcess::ClickAt(int leftTw, int topTw, bool inPanel) const {
    Click(ScreenPoint(leftTw, topTw, inPanel));
}

void DialogProcess::TypeText(const std::wstring& text) const {
    for (wchar_t ch : text) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wScan = in[1].ki.wScan = ch;
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        test::Pump(30);
    }
    test::Pump(200);
}

void DialogProcess::PressKey(WORD vk) const {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    test::Pump(300);
}

void DialogProcess::CloseBox() const { PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool DialogProcess::WaitExit(DWORD ms, DWORD* code) const {
    if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return false;
    if (code) GetExitCodeProcess(pi_.hProcess, code);
    return true;
}

bool DialogProcess::Running() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

COLORREF DialogProcess::PixelAt(int leftTw, int topTw, bool inPanel) const {
    POINT p = ScreenPoint(leftTw, topTw, inPanel);
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return c;
}

namespace {

// Visits every pixel of a screen rectangle.
template <class F>
void ForEachPixel(POINT origin, int w, int h, F f) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) f(GetPixel(mem, x, y));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

}  // namespace

int DialogProcess::DarkestIn(int leftTw, int topTw, int widthTw, int heightTw, bool inPanel) const {
    int darkest = 3 * 255;
    ForEachPixel(
        ScreenPoint(leftTw, topTw, inPanel), widthTw / kTwipsPerPixel, heightTw / kTwipsPerPixel,
        [&](COLORREF c) { darkest = std::min(darkest, GetRValue(c) + GetGValue(c) + GetBValue(c)); });
    return darkest;
}

unsigned DialogProcess::RegionHash(int leftTw, int topTw, int widthTw, int heightTw, bool inPanel) const {
    unsigned hash = 2166136261u;
    ForEachPixel(ScreenPoint(leftTw, topTw, inPanel), widthTw / kTwipsPerPixel, heightTw / kTwipsPerPixel,
                 [&](COLORREF c) { hash = (hash ^ c) * 16777619u; });
    return hash;
}

HWND WaitForChooser(DWORD ms) {
    for (DWORD t = 0; t < ms; t += 50) {
        HWND w = FindWindowW(nullptr, L"ﾌｧｲﾙを開く");
        if (w && IsWindowVisible(w)) {
            Sleep(500);
            return w;
        }
        Sleep(50);
    }
    return nullptr;
}

namespace {

HWND FileNameField(HWND chooser) {
    // The name field is a combo box (cmb13) in the newer layout, an edit (edt1) in the older.
    HWND field = GetDlgItem(chooser, 0x47c);
    if (field) {
        HWND edit = FindWindowExW(field, nullptr, L"Edit", nullptr);
        return edit ? edit : field;
    }
    return GetDlgItem(chooser, 0x480);
}

}  // namespace

void ChooserOpen(HWND chooser, const std::wstring& name) {
    HWND field = FileNameField(chooser);
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    Sleep(200);
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
    Sleep(500);
}

void ChooserCancel(HWND chooser) {
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDCANCEL)));
    Sleep(500);
}

bool WaitGone(HWND window, DWORD ms) {
    for (DWORD t = 0; t < ms; t += 50) {
        if (!IsWindow(window) || !IsWindowVisible(window)) return true;
        Sleep(50);
    }
    return false;
}

}  // namespace qv::test

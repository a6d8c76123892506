// The real Quorvale.dll under Wine: pictures and settings in the working folder, the window it
// opens, what it draws (read back from the screen) and how it ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "alo_test_files.h"
#include "file_bytes.h"
#include "handoff/handoff.h"
#include "screen_colour.h"
#include "screen_grab.h"

#ifndef QV_DIST_DIR
#error QV_DIST_DIR must name the folder of the shipped programs
#endif

namespace {

using qv::test::GrabScreenArea;
using qv::test::Near;
using qv::test::ReadFileBytes;
using qv::test::Rgb;
using qv::test::Text;
namespace handoff = qv::handoff;

const char* const kFolder = handoff::kWorkFolder;
const char* const kIni = handoff::kSettingsFile;
const char* const kDesktop = handoff::kDesktopPictureFile;
const char* const kGlow = handoff::kGlowPictureFile;

// How far a colour seen may be from the colour painted.
constexpr int kNear = 48;

// The renderer may hold the file open while it reloads; retry for a while.
void WriteWhole(const char* path, const std::string& bytes) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (qv::test::WriteFileBytes(path, bytes)) return;
        Sleep(50);
    }
    ADD_FAILURE() << "cannot write " << path;
}

// Rewrites a file in place and puts its last-write time back: only the content tells.
void RewriteKeepingTime(const char* path, const std::string& bytes) {
    FILETIME written = {};
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    GetFileTime(h, nullptr, nullptr, &written);
    CloseHandle(h);
    WriteWhole(path, bytes);
    h = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                    0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &written));
    CloseHandle(h);
}

// A 24-bit bottom-up picture in four coloured quadrants (top-left, top-right, bottom-left,
// bottom-right).
std::string QuadrantPicture(int width, int height, const Rgb (&q)[4]) {
    qv::renderer::test::AloSpec layout;
    layout.width = width;
    layout.height = height;
    const std::vector<std::uint8_t> file = qv::renderer::test::MakeAlo(layout);
    std::string b(file.begin(), file.end());
    const int rowBytes = (3 * width + 3) / 4 * 4;
    for (int row = 0; row < height; ++row) {
        const bool top = row >= height / 2;  // file rows run bottom to top
        for (int x = 0; x < width; ++x) {
            const Rgb c = q[(top ? 0 : 2) + (x >= width / 2 ? 1 : 0)];
            char* p = &b[54 + row * rowBytes + 3 * x];
            p[0] = static_cast<char>(c.b);
            p[1] = static_cast<char>(c.g);
            p[2] = static_cast<char>(c.r);
        }
    }
    return b;
}

const Rgb kFirst[4] = {{230, 30, 30}, {30, 220, 30}, {30, 30, 230}, {230, 220, 30}};
const Rgb kSecond[4] = {{30, 220, 220}, {220, 30, 220}, {240, 240, 240}, {120, 60, 10}};

struct Screen {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    Rgb At(int x, int y) const {
        const std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
        return {static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255),
                static_cast<int>(p & 255)};
    }
};

Screen Grab() {
    Screen s;
    s.width = GetSystemMetrics(SM_CXSCREEN);
    s.height = GetSystemMetrics(SM_CYSCREEN);
    s.pixels = GrabScreenArea({0, 0, s.width, s.height});
    return s;
}

// Points well inside each quadrant, and points a few pixels in from the window's edges.
struct Probe {
    int x, y, quadrant;
};
std::vector<Probe> Probes(int w, int h) {
    std::vector<Probe> p = {
        {w / 4, h / 4, 0}, {3 * w / 4, h / 4, 1}, {w / 4, 3 * h / 4, 2}, {3 * w / 4, 3 * h / 4, 3},
        {4, 4, 0},         {w - 5, 4, 1},         {4, h - 5, 2},         {w - 5, h - 5, 3},
        {w / 4, 3, 0},     {3 * w / 4, h - 4, 3}};
    return p;
}

bool ShowsPicture(const Screen& s, const Rgb (&q)[4], std::string* why) {
    for (const Probe& p : Probes(1024, 768)) {
        const Rgb seen = s.At(p.x, p.y);
        if (!Near(seen, q[p.quadrant], kNear)) {
            if (why)
                *why = "at (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ") saw " + Text(seen) +
                       " instead of " + Text(q[p.quadrant]);
            return false;
        }
    }
    return true;
}

class Renderer : public ::testing::Test {
  protected:
    void SetUp() override {
        folderExisted_ = GetFileAttributesA(kFolder) != INVALID_FILE_ATTRIBUTES;
        CreateDirectoryA(kFolder, nullptr);
        for (int k = 0; k < 3; ++k) saved_[k].present = ReadFileBytes(Files()[k], &saved_[k].bytes);
        WriteWhole(kDesktop, QuadrantPicture(1024, 768, kFirst));
        WriteWhole(kGlow, QuadrantPicture(16, 16, {{90, 90, 90}, {90, 90, 90}, {90, 90, 90}, {90, 90, 90}}));
        WriteSize(" 1024", " 768");
    }
    void TearDown() override {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 1);
                WaitForSingleObject(process_.hProcess, 10000);
            }
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        for (int k = 0; k < 3; ++k) {
            if (saved_[k].present)
                WriteWhole(Files()[k], saved_[k].bytes);
            else
                DeleteFileA(Files()[k]);
        }
        if (!folderExisted_) RemoveDirectoryA(kFolder);
    }
    static const char* const* Files() {
        static const char* const files[3] = {kIni, kDesktop, kGlow};
        return files;
    }
    void WriteSize(const char* width, const char* height) {
        WriteWhole(kIni, std::string("[") + handoff::kSettingsSection + "]\r\n" + handoff::kKeyWidth + "=" +
                             width + "\r\n" + handoff::kKeyHeight + "=" + height + "\r\n");
    }
    void Start(DWORD flags = 0) {
        const std::string program = std::string(QV_DIST_DIR) + "\\" + handoff::kRendererProgramFileName;
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        ASSERT_TRUE(CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                                   &si, &process_))
            << program;
    }
    HWND WaitForWindow(DWORD timeoutMs = 30000) {
        for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
            HWND w = FindWindowA(handoff::kRendererWindowTitle, handoff::kRendererWindowTitle);
            DWORD pid = 0;
            if (w) GetWindowThreadProcessId(w, &pid);
            if (w && pid == process_.dwProcessId) return w;
            if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
        }
        return nullptr;
    }
    // Exit code, or -1 if the process is still running after the timeout.
    long WaitForExit(DWORD timeoutMs = 20000) {
        if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
    }
    bool Running() { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    // Waits until the first frame is on the screen and returns it.
    Screen WaitForFirstFrame() {
        Screen s;
        for (int n = 0; n < 300; ++n) {
            s = Grab();
            const Rgb c = s.At(256, 192);
            if (c.r + c.g + c.b > 60) break;
            Sleep(20);
        }
        return s;
    }
    static void Key(WORD vk) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = vk;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
    }

    // Runs the started program under this debugger and gathers what it writes to the
    // debugger output, until `until` has been written or the program ends.
    std::string DebugOutput(const char* until) {
        std::string said;
        bool attached = true;
        for (int events = 0; events < 10000 && said.find(until) == std::string::npos; ++events) {
            DEBUG_EVENT ev = {};
            if (!WaitForDebugEvent(&ev, 30000)) break;
            DWORD status = DBG_CONTINUE;
            switch (ev.dwDebugEventCode) {
                case CREATE_PROCESS_DEBUG_EVENT:
                    if (ev.u.CreateProcessInfo.hFile) CloseHandle(ev.u.CreateProcessInfo.hFile);
                    break;
                case LOAD_DLL_DEBUG_EVENT:
                    if (ev.u.LoadDll.hFile) CloseHandle(ev.u.LoadDll.hFile);
                    break;
                case OUTPUT_DEBUG_STRING_EVENT:
                    if (!ev.u.DebugString.fUnicode) {
                        std::string text(ev.u.DebugString.nDebugStringLength, '\0');
                        SIZE_T got = 0;
                        ReadProcessMemory(process_.hProcess, ev.u.DebugString.lpDebugStringData, text.data(),
                                          text.size(), &got);
                        text.resize(got);
                        said += text.c_str();
                    }
                    break;
                case EXCEPTION_DEBUG_EVENT:
                    if (ev.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                        status = DBG_EXCEPTION_NOT_HANDLED;
                    break;
                case EXIT_PROCESS_DEBUG_EVENT:
                    attached = false;
                    break;
            }
            ContinueDebugEvent(ev.dwProcessId, ev.dwThreadId, status);
            if (!attached) break;
        }
        if (attached) DebugActiveProcessStop(process_.dwProcessId);
        return said;
    }

    PROCESS_INFORMATION process_ = {};
    struct Saved {
        bool present = false;
        std::string bytes;
    } saved_[3];
    bool folderExisted_ = false;
};

RECT WindowRect(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
}

TEST_F(Renderer, FirstFrameShowsThePictureAtRestUprightCoveringTheWindow) {
    Start();
    HWND w = WaitForWindow();
    ASSERT_NE(w, nullptr);
    const Screen s = WaitForFirstFrame();
    std::string why;
    EXPECT_TRUE(ShowsPicture(s, kFirst, &why)) << why;
    SendMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(), 0);
}

TEST_F(Renderer, NoSettingsFileGives1024By768AtTheOrigin) {
    DeleteFileA(kIni);
    Start();
    HWND w = WaitForWindow();
    ASSERT_NE(w, nullptr);
    const RECT r = WindowRect(w);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 1024);
    EXPECT_EQ(r.bottom, 768);
    EXPECT_EQ(GetWindowLongA(w, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME), WS_POPUP);
    // A close request ends it the same way as Escape.
    PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(), 0);
    EXPECT_EQ(FindWindowA(handoff::kRendererWindowTitle, handoff::kRendererWindowTitle), nullptr);
}

TEST_F(Renderer, ZeroSizesFallBackToTheDefaults) {
    WriteSize(" 0", " 600");
    Start();
    HWND w = WaitForWindow();
    ASSERT_NE(w, nullptr);
    RECT r = WindowRect(w);
    EXPECT_EQ(r.right - r.left, 1024);
    EXPECT_EQ(r.bottom - r.top, 600);
    PostMessageA(w, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForExit(), 0);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};

    WriteSize(" 800", " 0");
    Start();
    w = WaitForWindow();
    ASSERT_NE(w, nullptr);
    r = WindowRect(w);
    EXPECT_EQ(r.right - r.left, 800);
    EXPECT_EQ(r.bottom - r.top, 768);
    PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(), 0);
}

TEST_F(Renderer, OtherKeysAndTheMouseDoNothingEscapeEndsWithCodeZero) {
    Start();
    HWND w = WaitForWindow();
    ASSERT_NE(w, nullptr);
    WaitForFirstFrame();
    SetForegroundWindow(w);
    for (WORD vk : {static_cast<WORD>('A'), static_cast<WORD>(VK_SPACE), static_cast<WORD>(VK_RETURN),
                    static_cast<WORD>(VK_F1)})
        Key(vk);
    INPUT mouse[3] = {};
    for (INPUT& m : mouse) m.type = INPUT_MOUSE;
    mouse[0].mi.dx = 40;
    mouse[0].mi.dy = 30;
    mouse[0].mi.dwFlags = MOUSEEVENTF_MOVE;
    mouse[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    mouse[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, mouse, sizeof(INPUT));
    // Sent straight to the window as well, in case the input went elsewhere.
    PostMessageA(w, WM_KEYDOWN, 'B', 0);
    PostMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
    Sleep(1500);
    EXPECT_TRUE(Running());
    EXPECT_TRUE(IsWindow(w));
    // The cursor is hidden over the show (the platform reports it for the foreground window,
    // so the show must be in front for this to check anything).
    ASSERT_EQ(GetForegroundWindow(), w) << "the show is not in front";
    CURSORINFO cursor = {};
    cursor.cbSize = sizeof cursor;
    ASSERT_TRUE(GetCursorInfo(&cursor));
    EXPECT_EQ(cursor.flags & CURSOR_SHOWING, 0u) << "the cursor shows over the show";

    Key(VK_ESCAPE);
    long code = WaitForExit(10000);
    if (code == -1) {
        ADD_FAILURE() << "Escape typed on the keyboard did not reach the renderer";
        PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
        code = WaitForExit();
    }
    EXPECT_EQ(code, 0);
    // That the window's end shows the cursor again is checked in the renderer's own process
    // (renderer_frame_tests): once this one has gone, the cursor shows whatever it did.
}

TEST_F(Renderer, EitherPictureMissingAtStartEndsAtOnceWithCodeZero) {
    for (const char* missing : {kDesktop, kGlow}) {
        WriteWhole(kDesktop, QuadrantPicture(64, 48, kFirst));
        WriteWhole(kGlow, QuadrantPicture(16, 16, kFirst));
        DeleteFileA(missing);
        Start();
        EXPECT_EQ(WaitForExit(), 0) << missing;
        EXPECT_EQ(FindWindowA(handoff::kRendererWindowTitle, handoff::kRendererWindowTitle), nullptr);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        process_ = {};
    }
}

// Nobody sees the window before the picture is in it: a start whose pictures cannot be used
// (here the second, after a large first that takes a while to load) ends unseen.
TEST_F(Renderer, AStartThatCannotLoadItsPicturesIsNeverSeen) {
    WriteWhole(kDesktop, QuadrantPicture(3000, 2000, kFirst));
    DeleteFileA(kGlow);
    Start();
    bool created = false, seen = false;
    while (WaitForSingleObject(process_.hProcess, 1) == WAIT_TIMEOUT) {
        HWND w = FindWindowA(handoff::kRendererWindowTitle, handoff::kRendererWindowTitle);
        created = created || w;
        seen = seen || (w && IsWindowVisible(w));
    }
    EXPECT_TRUE(created) << "the window is made before the pictures load, so the saver can find it";
    EXPECT_FALSE(seen);
    EXPECT_EQ(WaitForExit(), 0);
}

TEST_F(Renderer, ChangedPictureShowsInTheNextCycle) {
    Start();
    HWND w = WaitForWindow();
    ASSERT_NE(w, nullptr);
    std::string why;
    ASSERT_TRUE(ShowsPicture(WaitForFirstFrame(), kFirst, &why)) << why;
    // Same size, same time stamp: a restart that went by those alone would miss it.
    RewriteKeepingTime(kDesktop, QuadrantPicture(1024, 768, kSecond));
    bool seen = false;
    for (int n = 0; n < 300 && !seen && Running(); ++n) {  // up to about 30 s: several cycles
        seen = ShowsPicture(Grab(), kSecond, nullptr);
        if (!seen) Sleep(100);
    }
    EXPECT_TRUE(seen) << "the new picture never appeared";
    PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(), 0);
}

TEST_F(Renderer, BrokenPictureAtARestartShowsAPlainGridAndTheShowGoesOn) {
    Start();
    HWND w = WaitForWindow();
    ASSERT_NE(w, nullptr);
    std::string why;
    ASSERT_TRUE(ShowsPicture(WaitForFirstFrame(), kFirst, &why)) << why;
    // Cut short inside the pixel array: the next cycle runs with an untextured (white) grid.
    WriteWhole(kDesktop, QuadrantPicture(1024, 768, kFirst).substr(0, 100000));
    const Rgb white[4] = {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}};
    bool plain = false;
    for (int n = 0; n < 300 && !plain && Running(); ++n) {
        plain = ShowsPicture(Grab(), white, nullptr);
        if (!plain) Sleep(100);
    }
    EXPECT_TRUE(plain) << "never saw the plain grid";
    // The good file again, byte for byte the one shown before the break: a later cycle
    // shows it (the plain texture must not pass for it).
    WriteWhole(kDesktop, QuadrantPicture(1024, 768, kFirst));
    bool seen = false;
    for (int n = 0; n < 300 && !seen && Running(); ++n) {
        seen = ShowsPicture(Grab(), kFirst, nullptr);
        if (!seen) Sleep(100);
    }
    EXPECT_TRUE(seen) << "the repaired picture never appeared";
    PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(), 0);
}

TEST_F(Renderer, ReportsThePixelFormatOnTheDebuggerOutput) {
    Start(DEBUG_ONLY_THIS_PROCESS);
    const std::string said = DebugOutput("BPP: ");
    const size_t at = said.find("PixelFormat Selected: ");
    ASSERT_NE(at, std::string::npos) << "debugger output: " << said;
    int index = 0, bpp = 0;
    ASSERT_EQ(std::sscanf(said.c_str() + at, "PixelFormat Selected: %d\nBPP: %d\n", &index, &bpp), 2);
    EXPECT_GT(index, 0);
    EXPECT_TRUE(bpp == 24 || bpp == 32) << bpp;
    EXPECT_NE(said.find("\nBPP: " + std::to_string(bpp) + "\n"), std::string::npos);

    HWND w = WaitForWindow();
    ASSERT_NE(w, nullptr);
    PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(), 0);
}

TEST_F(Renderer, APictureRefusedAtStartSaysWhyOnTheDebuggerOutput) {
    const struct {
        const char* file;
        std::string bytes;  // "" removes the file
        std::string reason;
    } cases[] = {
        {kDesktop, "", std::string(handoff::kDesktopPictureFileName) + " refused: the file cannot be opened"},
        {kGlow, std::string(64, 'x'), std::string(handoff::kGlowPictureFileName) + " refused: not a bitmap"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        WriteWhole(kDesktop, QuadrantPicture(64, 48, kFirst));
        WriteWhole(kGlow, QuadrantPicture(16, 16, kFirst));
        if (c.bytes.empty())
            DeleteFileA(c.file);
        else
            WriteWhole(c.file, c.bytes);
        Start(DEBUG_ONLY_THIS_PROCESS);
        const std::string said = DebugOutput("\x01");  // to the program's end
        EXPECT_NE(said.find(c.reason), std::string::npos) << "debugger output: " << said;
        EXPECT_EQ(WaitForExit(), 0);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        process_ = {};
    }
}

}  // namespace

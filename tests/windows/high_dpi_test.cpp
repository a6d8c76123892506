// The shipped programs on a display set to 144 dots per inch (150 %): the show still records,
// photographs and covers the screen in real pixels, while the dialog and the preview lay out
// at the sizes their twips give (10 twips per pixel instead of 15). The show's windows are
// per-monitor aware and the dialog system-aware (Windows scales it).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "handoff/handoff.h"
#include "saver_driver.h"

namespace qv::test {
namespace {

const char* const kIni = handoff::kSettingsFile;
const char* const kAlo1 = handoff::kDesktopPictureFile;
const char* const kDesktopKey = "Control Panel\\Desktop";

// Sets the display's dots per inch that programs started from now on see (Wine reads the
// value at each process start), and puts back what was there.
class DisplayDpi {
  public:
    explicit DisplayDpi(DWORD dpi) {
        DWORD size = sizeof old_;
        had_ = RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", RRF_RT_REG_DWORD, nullptr, &old_,
                            &size) == ERROR_SUCCESS;
        Set(dpi);
    }
    ~DisplayDpi() {
        if (had_) {
            Set(old_);
        } else {
            HKEY key;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, "LogPixels");
                RegCloseKey(key);
            }
        }
    }
    void Set(DWORD dpi) {
        EXPECT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi),
                  ERROR_SUCCESS);
    }

  private:
    DWORD old_ = 96;
    bool had_ = false;
};

std::string Program(const char* name) { return WinePath(QV_DIST_DIR) + "\\" + name; }

// The awareness functions, which this build's headers leave out (Windows 10 and later).
template <typename F>
F User32(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}
const auto SetThreadAwareness =
    User32<DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT)>("SetThreadDpiAwarenessContext");
bool AwarenessIs(HWND window, DPI_AWARENESS_CONTEXT context) {
    static const auto of = User32<DPI_AWARENESS_CONTEXT(WINAPI*)(HWND)>("GetWindowDpiAwarenessContext");
    static const auto equal =
        User32<BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT, DPI_AWARENESS_CONTEXT)>("AreDpiAwarenessContextsEqual");
    return window && of && equal && equal(of(window), context);
}

HWND FindSettingsDialog() { return FindWindowW(nullptr, L"\x25A0Quorvale\x25A0"); }

// Client size of the settings dialog that the saver opens with /c at the current setting.
SIZE DialogClientSize() {
    Process saver(Program("Quorvale.scr"), "/c");
    EXPECT_TRUE(saver.Started());
    HWND dialog = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (dialog = FindSettingsDialog()) && IsWindowVisible(dialog); }, 30000));
    RECT r{};
    if (dialog) {
        EXPECT_TRUE(AwarenessIs(dialog, DPI_AWARENESS_CONTEXT_SYSTEM_AWARE));
        WaitUntil([] { return false; }, 1500);  // past the opening zoom
        // In device pixels: what GetClientRect gives another process depends on that process's
        // own system DPI, which Wine fixes when the process first needs it (here, at 96).
        HDC dc = GetDC(dialog);
        GetClipBox(dc, &r);
        ReleaseDC(dialog, dc);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(saver.WaitEnd(20000)) << "the settings dialog did not close";
    return SIZE{r.right, r.bottom};
}

class HighDpi : public ::testing::Test {
  protected:
    void SetUp() override { SetProcessDPIAware(); }
    WorkFolderGuard work_;
};

TEST_F(HighDpi, ShowRecordsPhotographsAndCoversTheScreenInRealPixels) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    DisplayDpi dpi(144);
    DeleteFileA(kAlo1);
    WritePrivateProfileStringA(handoff::kSettingsSection, handoff::kKeyWidth, " 1", kIni);
    WritePrivateProfileStringA(handoff::kSettingsSection, handoff::kKeyHeight, " 1", kIni);
    Process saver(Program("Quorvale.scr"), "/s");
    ASSERT_TRUE(saver.Started());
    HWND renderer = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (renderer = FindWindowA(nullptr, handoff::kRendererWindowTitle)) != nullptr; }, 30000));

    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(handoff::kSettingsSection, handoff::kKeyWidth, 0, kIni)),
              width);
    EXPECT_EQ(
        static_cast<int>(GetPrivateProfileIntA(handoff::kSettingsSection, handoff::kKeyHeight, 0, kIni)),
        height);

    const std::string alo = ReadFileBytes(kAlo1);
    ASSERT_GE(alo.size(), 54u);
    std::int32_t w = 0, h = 0;
    std::memcpy(&w, alo.data() + 18, 4);
    std::memcpy(&h, alo.data() + 22, 4);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h < 0 ? -h : h, height);

    RECT r{};
    WaitUntil(
        [&] {
            GetWindowRect(renderer, &r);
            return r.right == width && r.bottom == height;
        },
        10000);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, width);
    EXPECT_EQ(r.bottom, height);

    EXPECT_TRUE(AwarenessIs(renderer, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE));
    EXPECT_TRUE(AwarenessIs(FindWindowA(nullptr, handoff::kShowWindowTitle),
                            DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE));

    PostMessageA(renderer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(saver.WaitEnd(20000)) << "the saver outlived the renderer";
}

TEST_F(HighDpi, SettingsDialogIsSystemAwareAndGrowsWithTheTwipsPerPixel) {
    SIZE at96{}, at144{};
    {
        DisplayDpi dpi(96);
        at96 = DialogClientSize();
        dpi.Set(144);
        at144 = DialogClientSize();
    }
    ASSERT_GT(at96.cx, 0);
    ASSERT_GT(at96.cy, 0);
    // Twips to pixels rounds to the nearest pixel at either setting.
    EXPECT_NEAR(at144.cx, at96.cx * 3 / 2, 2);
    EXPECT_NEAR(at144.cy, at96.cy * 3 / 2, 2);
}

// Made, measured and placed in the pane's awareness, the form fills the pane exactly in the
// pane's own units, be the pane unaware (an old host, which Windows scales) or per-monitor aware.
// Why it is made so cannot be seen here: Wine never refuses a child of another awareness (it
// gives the child its new parent's). A system-aware pane is left out: Wine fixes a process's
// system DPI when it first needs it and records it in the windows a system-aware thread makes,
// so this process's and the saver's could differ, as no two programs' do on Windows.
TEST_F(HighDpi, PreviewFillsThePaneExactlyInThePanesAwareness) {
    DisplayDpi dpi(144);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvDpiPreviewHost";
    RegisterClassA(&wc);
    for (DPI_AWARENESS_CONTEXT paneContext :
         {DPI_AWARENESS_CONTEXT_UNAWARE, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE}) {
        SCOPED_TRACE(reinterpret_cast<INT_PTR>(paneContext));
        const DPI_AWARENESS_CONTEXT before = SetThreadAwareness(paneContext);
        HWND host = CreateWindowExA(0, wc.lpszClassName, "host", WS_POPUP | WS_VISIBLE, 100, 100, 300, 250,
                                    nullptr, nullptr, wc.hInstance, nullptr);
        HWND pane = CreateWindowExA(0, wc.lpszClassName, "pane", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20,
                                    30, 152, 112, host, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(AwarenessIs(pane, paneContext));
        Process saver(Program("Quorvale.scr"), "/p " + std::to_string(reinterpret_cast<INT_PTR>(pane)));
        ASSERT_TRUE(saver.Started());
        HWND form = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (form = GetWindow(pane, GW_CHILD)) != nullptr; }, 30000));
        const RECT r = WaitForClientSize(form, 152, 112, 10000);
        EXPECT_EQ(r.right, 152);
        EXPECT_EQ(r.bottom, 112);
        DestroyWindow(pane);
        EXPECT_TRUE(saver.WaitEnd(20000));
        DestroyWindow(host);
        SetThreadAwareness(before);
    }
}

}  // namespace
}  // namespace qv::test

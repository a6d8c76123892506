// The preview form inside a pane of this test process. (Under Wine a child window of
// another process is never drawn, so the picture itself is checked here, in one process;
// saver_preview_test.cpp checks the real cross-process set-up.)
#include <windows.h>

#include <gtest/gtest.h>

#include "saver/framework/application.h"
#include "saver/framework/bitmap24.h"
#include "saver/preview/quorvale_r.h"
#include "saver_driver.h"
#include "screen_grab.h"

namespace qv::test {
namespace {

Bitmap24 Screenshot(HWND w);

TEST(PreviewForm, FillsThePaneWithThePictureAndEndsTheProgramWithIt) {
    std::string file = ReadFileBytes(WinePath(QV_PREVIEW_BMP));
    auto expected = DecodeBitmap24(reinterpret_cast<const uint8_t*>(file.data()), file.size());
    ASSERT_TRUE(expected);

    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "QvPane";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(WS_EX_TOPMOST, "QvPane", "host", WS_POPUP | WS_VISIBLE, 200, 150, 300, 250,
                                nullptr, nullptr, wc.hInstance, nullptr);
    HWND pane = CreateWindowExA(0, "QvPane", "pane", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 30, 152,
                                112, host, nullptr, wc.hInstance, nullptr);
    ShowPreview(pane);

    HWND form = GetWindow(pane, GW_CHILD);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(GetParent(form), pane);
    EXPECT_EQ(GetWindowLongA(form, GWL_STYLE) & (WS_CHILD | WS_POPUP), WS_CHILD);
    RECT r;
    GetClientRect(form, &r);
    EXPECT_EQ(r.right, 152);
    EXPECT_EQ(r.bottom, 112);

    // The whole picture, from the pane's top-left corner, nothing else.
    int diff = -1;
    WaitUntil(
        [&] {
            Bitmap24 shot = Screenshot(pane);
            diff = 0;
            for (size_t i = 0; i < shot.bgr.size(); i += 3)
                if (shot.bgr[i] != expected->bgr[i] || shot.bgr[i + 1] != expected->bgr[i + 1] ||
                    shot.bgr[i + 2] != expected->bgr[i + 2])
                    ++diff;
            return diff == 0;
        },
        10000);
    EXPECT_EQ(diff, 0) << "pixels of the pane that differ from the preview picture";

    EXPECT_FALSE(ApplicationEnding());
    DestroyWindow(host);  // the pane goes, and the form with it
    EXPECT_TRUE(WaitUntil([] { return ApplicationEnding(); }, 5000)) << "the program would live on";
}

// The pane goes away after the saver found it and before the form is put into it (here: when
// the form's style changes, the step just before). No parentless form may stay behind.
HWND g_vanishingPane = nullptr;
LRESULT CALLBACK DestroyPaneOnStyleChange(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->message == WM_STYLECHANGED && g_vanishingPane) {
        HWND pane = g_vanishingPane;
        g_vanishingPane = nullptr;
        DestroyWindow(pane);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST(PreviewForm, APaneThatGoesAwayDuringTheSetUpEndsThePreview) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvVanishingPane";
    RegisterClassA(&wc);
    HWND pane = CreateWindowExA(0, "QvVanishingPane", "pane", WS_POPUP | WS_VISIBLE, 100, 100, 152, 112,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(pane, nullptr);
    g_vanishingPane = pane;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, DestroyPaneOnStyleChange, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    ShowPreview(pane);
    UnhookWindowsHookEx(hook);
    ASSERT_FALSE(IsWindow(pane)) << "the pane was meant to be gone before the form went into it";

    for (Form* f : LoadedForms())
        EXPECT_FALSE(f->IsLoaded() && IsWindowVisible(f->hWnd())) << "a preview form shows without its pane";
    EXPECT_TRUE(WaitUntil([] { return ApplicationEnding(); }, 5000)) << "the program would live on";
}

Bitmap24 Screenshot(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    Bitmap24 shot;
    shot.width = r.right - r.left;
    shot.height = r.bottom - r.top;
    const std::vector<std::uint32_t> pixels = GrabScreenArea(r);
    for (std::uint32_t p : pixels) {
        const std::uint8_t bgr[3] = {static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 8),
                                     static_cast<std::uint8_t>(p >> 16)};
        shot.bgr.insert(shot.bgr.end(), bgr, bgr + 3);
    }
    return shot;
}

}  // namespace
}  // namespace qv::test

// The preview as the host asks for it: a small host window of the test with a 152 x 112 pane,
// the saver started with /p and the pane's handle. (The picture in the pane is checked by
// preview_form_test.cpp: Wine draws no child window that belongs to another process.)
#include <windows.h>

#include <gtest/gtest.h>

#include "saver_driver.h"

namespace qv::test {
namespace {

class PreviewHost {
  public:
    PreviewHost() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "QvPreviewHost";
        RegisterClassA(&wc);
        host_ = CreateWindowExA(WS_EX_TOPMOST, "QvPreviewHost", "host", WS_POPUP | WS_VISIBLE, 200, 150, 300,
                                250, nullptr, nullptr, wc.hInstance, nullptr);
        pane_ = CreateWindowExA(0, "QvPreviewHost", "pane", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 30,
                                152, 112, host_, nullptr, wc.hInstance, nullptr);
        WaitUntil([] { return false; }, 300);
    }
    ~PreviewHost() { DestroyWindow(host_); }
    HWND Pane() const { return pane_; }
    void DestroyPane() {
        DestroyWindow(pane_);
        pane_ = nullptr;
    }
    std::string Handle() const { return std::to_string(reinterpret_cast<INT_PTR>(pane_)); }

  private:
    HWND host_ = nullptr, pane_ = nullptr;
};

class SaverPreview : public ::testing::Test {
  protected:
    SaverCopies copies_ = MakeSaverCopies();
};

TEST_F(SaverPreview, FormFillsThePaneAndClosingItEndsTheSaver) {
    // Also without the renderer beside it: a preview needs nothing but the pane.
    for (const std::string& exe : {copies_.withRenderer, copies_.withoutRenderer}) {
        PreviewHost host;
        Process saver(exe, "/p " + host.Handle());
        ASSERT_TRUE(saver.Started());
        HWND form = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (form = GetWindow(host.Pane(), GW_CHILD)) != nullptr; }, 20000))
            << exe;
        char caption[64] = "";
        GetWindowTextA(form, caption, sizeof caption);
        EXPECT_STREQ(caption, "Preview Window");
        const RECT r = WaitForClientSize(form, 152, 112, 10000);
        EXPECT_EQ(r.right, 152);
        EXPECT_EQ(r.bottom, 112);
        EXPECT_EQ(GetParent(form), host.Pane());

        host.DestroyPane();
        EXPECT_TRUE(saver.WaitEnd(10000)) << "the saver outlived its pane";
    }
}

TEST_F(SaverPreview, HandlesThatNameNoWindowEndTheSaver) {
    // A handle that surely names no window: one that did, until a moment ago.
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    ASSERT_FALSE(IsWindow(gone));
    const std::string goneArgs =
        "/p " + std::to_string(static_cast<long long>(reinterpret_cast<INT_PTR>(gone)));
    for (const std::string& args :
         {goneArgs, std::string("/p abc"), std::string("/p"), std::string("/p 99999999999999")}) {
        Process saver(copies_.withRenderer, args);
        EXPECT_TRUE(saver.WaitEnd(10000)) << args;
    }
}

}  // namespace
}  // namespace qv::test

// Several owners hooking one form window through the platform's subclassing: each keeps
// getting its messages, after the window's own procedure, whatever order the others leave in.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "saver/controls/window_hooks.h"

namespace qv::controls {
namespace {

std::vector<UINT> g_formSaw;  // messages the form's own procedure handled, in order

LRESULT CALLBACK FormProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_ACTIVATE || m == WM_NCACTIVATE) {
        g_formSaw.push_back(m);
        return 42;
    }
    return DefWindowProcW(h, m, w, l);
}

const wchar_t* FormClass() {
    static const wchar_t* name = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = FormProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QvHookTestForm";
        RegisterClassW(&wc);
        return L"QvHookTestForm";
    }();
    return name;
}

// Stands for one button: hooks its own window for mouse-leave and the form for activation.
class Owner : public SubclassClient {
  public:
    Owner(HWND form, HWND own) : form_(form), own_(own), hooks_(*this) {
        if (hooks_.SubclassStart(own_)) hooks_.SubclassAddMsg(own_, WM_MOUSELEAVE);
        if (hooks_.SubclassStart(form_)) hooks_.SubclassAddMsg(form_, WM_ACTIVATE);
    }
    ~Owner() override {
        hooks_.SubclassStop(own_);
        hooks_.SubclassStop(form_);
    }
    void zSubclass_Proc(bool before, bool&, LRESULT& result, HWND& hwnd, UINT& msg, WPARAM&,
                        LPARAM&) override {
        EXPECT_FALSE(before);
        if (msg == WM_ACTIVATE && hwnd == form_) {
            ++activations;
            formResult = result;
            formHandledFirst = !g_formSaw.empty() && g_formSaw.back() == WM_ACTIVATE;
        }
        if (msg == WM_MOUSELEAVE && hwnd == own_) ++leaves;
        if (msg == WM_MOUSELEAVE && hwnd != own_) ++stray;
    }

    int activations = 0, leaves = 0, stray = 0;
    LRESULT formResult = 0;
    bool formHandledFirst = false;
    WindowHooks& hooks() { return hooks_; }

  private:
    HWND form_, own_;
    WindowHooks hooks_;
};

struct Form3 {
    HWND form = nullptr;
    std::array<HWND, 3> child{};
    Form3() {
        form = CreateWindowExW(0, FormClass(), L"hooks", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        for (int i = 0; i < 3; ++i)
            child[i] = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, i * 40, 0, 30, 20, form, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    }
    ~Form3() { DestroyWindow(form); }
};

TEST(WindowHooks, EveryRemovalOrderLeavesTheOthersWorking) {
    std::array<int, 3> order = {0, 1, 2};
    int orders = 0;
    do {
        SCOPED_TRACE(::testing::Message() << order[0] << order[1] << order[2]);
        Form3 f;
        ASSERT_NE(f.form, nullptr);
        std::array<std::unique_ptr<Owner>, 3> owners;
        for (int i = 0; i < 3; ++i) owners[i] = std::make_unique<Owner>(f.form, f.child[i]);
        for (int step = 0; step < 3; ++step) {
            owners[order[step]].reset();
            for (int i = 0; i < 3; ++i) {
                if (!owners[i]) continue;
                Owner& o = *owners[i];
                const int a = o.activations, l = o.leaves;
                g_formSaw.clear();
                EXPECT_EQ(SendMessageW(f.form, WM_ACTIVATE, WA_ACTIVE, 0), 42);
                SendMessageW(f.child[i], WM_MOUSELEAVE, 0, 0);
                EXPECT_EQ(o.activations, a + 1) << "owner " << i << " after step " << step;
                EXPECT_EQ(o.leaves, l + 1) << "owner " << i << " after step " << step;
                EXPECT_EQ(o.stray, 0);
                EXPECT_TRUE(o.formHandledFirst);
                EXPECT_EQ(o.formResult, 42);
                EXPECT_EQ(g_formSaw.size(), 1u);  // the form's own procedure ran exactly once
            }
        }
        ++orders;
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(orders, 6);
}

TEST(WindowHooks, UnlistedMessagesPassUntouchedAndStoppedHooksStaySilent) {
    Form3 f;
    Owner o(f.form, f.child[0]);
    SendMessageW(f.form, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(o.activations, 0);
    o.hooks().SubclassStop(f.form);
    o.hooks().SubclassStop(f.form);  // twice is harmless
    SendMessageW(f.form, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(o.activations, 0);
    EXPECT_EQ(o.hooks().Table().Windows().size(), 1u);
}

TEST(WindowHooks, AWindowDestroyedUnderTheHookIsForgotten) {
    Form3 f;
    auto o = std::make_unique<Owner>(f.form, f.child[1]);
    Owner other(f.form, f.child[0]);
    DestroyWindow(f.child[1]);
    const auto form = reinterpret_cast<std::uintptr_t>(f.form);
    EXPECT_EQ(o->hooks().Table().Windows(), std::vector<std::uintptr_t>{form});
    // Its entry is free again: the next hook takes it instead of growing the table.
    ASSERT_NE(o->hooks().SubclassStart(f.child[2]), nullptr);
    EXPECT_EQ(o->hooks().Table().Size(), 2u);

    EXPECT_EQ(SendMessageW(f.form, WM_ACTIVATE, WA_ACTIVE, 0), 42);
    EXPECT_EQ(o->activations, 1);
    EXPECT_EQ(other.activations, 1);
    o.reset();  // stopping a hook on a dead window is harmless
    g_formSaw.clear();
    EXPECT_EQ(SendMessageW(f.form, WM_ACTIVATE, WA_ACTIVE, 0), 42);
    EXPECT_EQ(other.activations, 2);
    EXPECT_EQ(g_formSaw.size(), 1u);
}

TEST(WindowHooks, TrackLeaveOnlyForALiveWindow) {
    Form3 f;
    ShowWindow(f.form, SW_SHOW);
    ShowWindow(f.child[0], SW_SHOW);
    EXPECT_TRUE(TrackLeave(f.child[0]));
    EXPECT_FALSE(TrackLeave(nullptr));
}

}  // namespace
}  // namespace qv::controls

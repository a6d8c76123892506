#include "saver/controls/window_hooks.h"

#include <commctrl.h>

namespace qv::controls {

namespace {

std::uintptr_t Key(HWND h) { return reinterpret_cast<std::uintptr_t>(h); }

}  // namespace

WindowHooks::~WindowHooks() {
    for (std::uintptr_t w : table_.Windows()) SubclassStop(reinterpret_cast<HWND>(w));
}

SubclassEntry* WindowHooks::SubclassStart(HWND window) {
    if (window == nullptr || !IsWindow(window)) return nullptr;
    if (SubclassEntry* e = table_.Find(Key(window))) return e;
    if (!SetWindowSubclass(window, &WindowHooks::Forward, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this))) {
        return nullptr;
    }
    return table_.Take(Key(window));
}

bool WindowHooks::SubclassAddMsg(HWND window, UINT message, int when) {
    return table_.AddMsg(Key(window), message, when);
}

void WindowHooks::SubclassStop(HWND window) {
    if (!table_.Free(Key(window))) return;
    // Fails harmlessly for a window already gone.
    RemoveWindowSubclass(window, &WindowHooks::Forward, reinterpret_cast<UINT_PTR>(this));
}

LRESULT CALLBACK WindowHooks::Forward(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<WindowHooks*>(ref);
    const SubclassEntry* e = self->table_.Find(Key(hwnd));
    const bool before = e != nullptr && e->before.count(msg) != 0;
    const bool after = e != nullptr && e->after.count(msg) != 0;

    bool handled = false;
    LRESULT result = 0;
    if (before) {
        HWND h = hwnd;
        UINT m = msg;
        WPARAM w = wp;
        LPARAM l = lp;
        self->client_.zSubclass_Proc(true, handled, result, h, m, w, l);
    }
    if (!handled) result = DefSubclassProc(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        // The window is going: its hook must not outlive it.
        self->SubclassStop(hwnd);
        return result;
    }
    if (after) {
        HWND h = hwnd;
        UINT m = msg;
        WPARAM w = wp;
        LPARAM l = lp;
        self->client_.zSubclass_Proc(false, handled, result, h, m, w, l);
    }
    return result;
}

bool TrackLeave(HWND window) {
    TRACKMOUSEEVENT t{};
    t.cbSize = sizeof t;
    t.dwFlags = TME_LEAVE;
    t.hwndTrack = window;
    t.dwHoverTime = 0;
    return TrackMouseEvent(&t) != FALSE;
}

}  // namespace qv::controls

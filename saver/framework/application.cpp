#include "saver/framework/application.h"

#include <algorithm>

#include "saver/framework/focus_order.h"
#include "saver/framework/form.h"
#include "saver/framework/framework_internal.h"

namespace qv {
namespace {

constexpr UINT kMsgKeyStroke = WM_APP + 0x51;

std::vector<Form*>& Registry() {
    // Never destroyed: forms with static lifetime unregister themselves during exit, possibly
    // after a function-local static would already be gone.
    static auto* forms = new std::vector<Form*>;
    return *forms;
}

bool g_ending = false;
int g_exitCode = 0;

struct Awaited {
    HANDLE object;
    std::function<void()> signalled;
};
std::vector<Awaited> g_awaited;

// Sleeps until a message comes or an awaited object is signalled, and answers the object.
void WaitForMessageOrObject() {
    HANDLE objects[MAXIMUM_WAIT_OBJECTS - 1] = {};
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(g_awaited.size(), MAXIMUM_WAIT_OBJECTS - 1));
    for (DWORD k = 0; k < count; ++k) objects[k] = g_awaited[k].object;
    const DWORD woke =
        MsgWaitForMultipleObjectsEx(count, objects, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_FAILED) {
        g_awaited.clear();  // an object closed too early: without it, a wait that fails at once would spin
        return;
    }
    if (woke >= WAIT_OBJECT_0 + count) return;  // a message
    std::function<void()> signalled = std::move(g_awaited[woke - WAIT_OBJECT_0].signalled);
    g_awaited.erase(g_awaited.begin() + (woke - WAIT_OBJECT_0));
    try {
        signalled();
    } catch (...) {
        OutputDebugStringA("a handler of a signalled object failed\n");
    }
}

void PlayKeyStroke(WPARAM vk, LPARAM flags) {
    const bool shift = flags & 1, control = flags & 2, alt = flags & 4;
    HWND focus = GetFocus();
    Form* form = FormOfWindow(focus ? focus : GetActiveWindow());
    if (vk == VK_TAB && !control && !alt) {
        if (form) form->TabFocus(!shift);
        return;
    }
    if (!focus) return;
    // Modifier state cannot travel with posted messages; only plain keys reach the window.
    PostMessageW(focus, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1);
    UINT ch = MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_CHAR);
    if (ch && !control) {
        if (vk >= 'A' && vk <= 'Z' && !shift) ch = ch - 'A' + 'a';
        PostMessageW(focus, alt ? WM_SYSCHAR : WM_CHAR, ch, 1);
    }
    PostMessageW(focus, alt ? WM_SYSKEYUP : WM_KEYUP, vk, 0xC0000001);
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CLOSE:
            // The program's end: the run loop stops, no form's unload handling runs.
            g_ending = true;
            PostQuitMessage(0);
            return 0;
        case kMsgKeyStroke:
            PlayKeyStroke(wp, lp);
            return 0;
        case WM_ENDSESSION:
            if (wp) {
                std::vector<Form*> forms = Registry();
                for (auto it = forms.rbegin(); it != forms.rend(); ++it)
                    if (std::find(Registry().begin(), Registry().end(), *it) != Registry().end())
                        (*it)->Unload(UnloadMode::AppWindows);
            }
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void Pump(MSG& msg) {
    if (!PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

HWND OwnerWindow() {
    static HWND owner = nullptr;
    if (owner && IsWindow(owner)) return owner;
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QvOwnerWindow";
        wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
        registered = RegisterClassW(&wc) != 0;
    }
    owner = CreateWindowExW(0, L"QvOwnerWindow", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    return owner;
}

int RunApplication(const std::function<void()>& startup) {
    g_ending = false;
    g_exitCode = 0;
    OwnerWindow();
    try {
        if (startup) startup();
    } catch (...) {
        // An escaped failure of the start-up ends the start-up, not the program's forms.
    }
    MSG msg;
    while (!g_ending && !Registry().empty()) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            RefreshTouchedImages();
            WaitForMessageOrObject();
            continue;
        }
        if (msg.message == WM_QUIT) {
            g_exitCode = static_cast<int>(msg.wParam);
            break;
        }
        Pump(msg);
    }
    // Drop a quit request that was meant for this run, so a later run starts clean.
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    g_ending = false;
    return g_exitCode;
}

void RunNestedLoop(const std::function<bool()>& done) {
    MSG msg;
    while (!g_ending && !done()) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            RefreshTouchedImages();
            WaitForMessageOrObject();
            continue;
        }
        if (msg.message == WM_QUIT) {
            g_ending = true;
            PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
            return;
        }
        Pump(msg);
    }
}

void DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            g_ending = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        Pump(msg);
    }
    RefreshTouchedImages();
}

void WhenSignalled(HANDLE object, std::function<void()> signalled) {
    if (object) g_awaited.push_back({object, std::move(signalled)});
}

bool ApplicationEnding() { return g_ending; }

std::vector<Form*> LoadedForms() { return Registry(); }

void RegisterLoadedForm(Form* f) {
    if (std::find(Registry().begin(), Registry().end(), f) == Registry().end()) Registry().push_back(f);
}

void UnregisterLoadedForm(Form* f) {
    Registry().erase(std::remove(Registry().begin(), Registry().end(), f), Registry().end());
}

void QueueKeyStroke(const KeyStroke& k) {
    LPARAM flags = (k.shift ? 1 : 0) | (k.control ? 2 : 0) | (k.alt ? 4 : 0);
    PostMessageW(OwnerWindow(), kMsgKeyStroke, static_cast<WPARAM>(k.virtualKey), flags);
}

Form* FormOfWindow(HWND hwnd) {
    for (HWND h = hwnd; h; h = GetParent(h)) {
        for (Form* f : Registry())
            if (f->hWnd() == h) return f;
        if (!(GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;  // GetParent of a popup is its owner
    }
    return nullptr;
}

int ShiftState() {
    return ((GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0) | ((GetKeyState(VK_CONTROL) & 0x8000) ? 2 : 0) |
           ((GetKeyState(VK_MENU) & 0x8000) ? 4 : 0);
}

int ButtonsOf(WPARAM wp) {
    return ((wp & MK_LBUTTON) ? 1 : 0) | ((wp & MK_RBUTTON) ? 2 : 0) | ((wp & MK_MBUTTON) ? 4 : 0);
}

bool PreTranslate(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSCHAR && msg.message != WM_CHAR) return false;
    Form* form = FormOfWindow(msg.hwnd);
    if (!form) return false;
    if (msg.message == WM_KEYDOWN) {
        if (form->KeyPreview() && form->Form_KeyDown) {
            int key = static_cast<int>(msg.wParam);
            try {
                form->Form_KeyDown(key, ShiftState() & 7);
            } catch (...) {
                OutputDebugStringA("a key preview handler failed\n");
            }
            if (key == 0) return true;
            msg.wParam = static_cast<WPARAM>(key);
        }
        if (msg.wParam == VK_TAB && !(GetKeyState(VK_CONTROL) & 0x8000) && !(GetKeyState(VK_MENU) & 0x8000)) {
            form->TabFocus(!(GetKeyState(VK_SHIFT) & 0x8000));
            return true;
        }
        return false;
    }
    const wchar_t ch = static_cast<wchar_t>(msg.wParam);
    if (ch >= 0x80 || ch <= ' ') return false;
    if (msg.message == WM_SYSCHAR) return form->RouteAccessKey(static_cast<char>(ch));
    // A plain key is an access key only where it types nothing: not in a text field.
    Control* focused = form->FocusedControl();
    if (focused && focused->Kind() == ControlKind::ComboBox) return false;
    return form->RouteAccessKey(static_cast<char>(ch));
}

void RefreshTouchedImages() {
    for (Form* f : Registry()) f->RefreshTouchedImages();
}

}  // namespace qv

#include "saver/framework/dpi_awareness.h"

namespace qv {
namespace {

using WindowContext = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
using SetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

template <typename Function>
Function FromUser32(const char* name) {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name))) : nullptr;
}

SetThreadContext SetThreadAwareness() {
    static const SetThreadContext set = FromUser32<SetThreadContext>("SetThreadDpiAwarenessContext");
    return set;
}

}  // namespace

DPI_AWARENESS_CONTEXT DpiAwarenessOf(HWND window) {
    static const WindowContext get = FromUser32<WindowContext>("GetWindowDpiAwarenessContext");
    return get ? get(window) : nullptr;
}

ThreadDpiAwareness::ThreadDpiAwareness(DPI_AWARENESS_CONTEXT context) {
    // A context the system refuses leaves the thread as it was and gives null.
    if (context && SetThreadAwareness()) previous_ = SetThreadAwareness()(context);
}

ThreadDpiAwareness::~ThreadDpiAwareness() {
    if (previous_) SetThreadAwareness()(previous_);
}

}  // namespace qv

#pragma once
// Hooks a button puts on its own window and on its form, on the platform's standard window
// subclassing: each owner installs its own subclass (its own id), so several buttons on one
// form stay independent whatever order they are removed in.
#include <windows.h>

#include "saver/controls/subclass_table.h"

namespace qv::controls {

// Receives the hooked messages. The arguments mirror the window procedure's; a callee that
// leaves bHandled and lReturn alone lets the window's own result stand.
class SubclassClient {
  public:
    virtual ~SubclassClient() = default;
    virtual void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                                WPARAM& wParam, LPARAM& lParam) = 0;
};

class WindowHooks {
  public:
    explicit WindowHooks(SubclassClient& client) : client_(client) {}
    ~WindowHooks();  // removes every hook still in place
    WindowHooks(const WindowHooks&) = delete;
    WindowHooks& operator=(const WindowHooks&) = delete;

    // Null when the window cannot be hooked.
    SubclassEntry* SubclassStart(HWND window);
    bool SubclassAddMsg(HWND window, UINT message, int when = kMsgAfter);
    void SubclassStop(HWND window);

    const SubclassTable& Table() const { return table_; }

  private:
    static LRESULT CALLBACK Forward(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    SubclassClient& client_;
    SubclassTable table_;
};

// Asks for one WM_MOUSELEAVE when the pointer leaves the window.
bool TrackLeave(HWND window);

}  // namespace qv::controls

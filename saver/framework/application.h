#pragma once
// The program's run: one hidden top-level owner window owns every form; the start-up routine
// runs, then messages are dispatched while any form is loaded. A WM_CLOSE posted to the owner
// window ends the run (no unload handling of the forms that are still loaded).
#include <windows.h>

#include <functional>
#include <vector>

namespace qv {

class Form;

// Runs `startup`, then the message loop while a form is loaded. Returns the exit code.
int RunApplication(const std::function<void()>& startup);

// The hidden owner window (made on first use).
HWND OwnerWindow();

// Dispatches the messages waiting now, then returns.
void DoEvents();

// Runs `signalled` once, from the message loop, as soon as `object` (a process, say) is
// signalled: no timer's interval lies between the event and the program's answer. The object
// must stay open until then.
void WhenSignalled(HANDLE object, std::function<void()> signalled);

// Forms loaded now, in load order.
std::vector<Form*> LoadedForms();

// Framework internals.
void RegisterLoadedForm(Form* f);
void UnregisterLoadedForm(Form* f);
// Runs a nested loop until `done` holds, the run ends, or WM_QUIT arrives (re-posted).
void RunNestedLoop(const std::function<bool()>& done);
bool ApplicationEnding();

}  // namespace qv

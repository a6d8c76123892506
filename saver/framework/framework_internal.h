#pragma once
// Shared by the framework's own files only; form code does not include it.
#include <windows.h>

#include "saver/framework/form_design.h"
#include "saver/framework/key_sequence.h"

namespace qv {

class Form;

// Cursor of a pointer setting (null for Default).
HCURSOR CursorForPointer(MousePointer p, int iconResource);
// The application-wide cursor, null while the pointer is Default.
HCURSOR AppCursor();
// Posts one key stroke to the owner window, which plays it on the focused window.
void QueueKeyStroke(const KeyStroke& k);
// The loaded form a window belongs to (the form's window or one of its descendants).
Form* FormOfWindow(HWND hwnd);
// Keyboard handling shared by every loop: Tab, access keys. True when the message was used.
bool PreTranslate(MSG& msg);
// Repaints persistent images drawn into since the last look.
void RefreshTouchedImages();
// Window classes of the framework, registered on first use.
const wchar_t* FormClassName();
const wchar_t* PictureBoxClassName();
const wchar_t* UserControlClassName();
// Window style and extended style of a form with this border.
void FormStyleFor(BorderStyle b, bool controlBox, DWORD& style, DWORD& ex);
// A failing handler of the form's code, reported to the debugger output; the program goes on.
void ReportHandlerFailure(const char* what);
// Keyboard shift state as 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState();
// Mouse button mask of a mouse message's wParam: 1 left, 2 right, 4 middle.
int ButtonsOf(WPARAM wp);

}  // namespace qv

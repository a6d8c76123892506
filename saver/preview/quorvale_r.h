#pragma once
// Quorvale_R: the still preview, made a child of the host's preview pane and sized to it.
// The program ends when the form goes (the host closes or destroys the pane).
#include <windows.h>

#include "saver/framework/form.h"

namespace qv {

class Quorvale_R : public Form {
  public:
    Quorvale_R();
};

// Shows the preview inside the pane. A handle that names no window ends the program at
// once: there would be nothing to show and nothing that could ever end it.
void ShowPreview(HWND pane);

}  // namespace qv

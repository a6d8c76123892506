#pragma once
// The user controls the dialog is built from: the frame panel and the push button.
#include "saver/framework/form_design.h"

namespace qv {

UserControlFactory FrameControlFactory();   // GFXFrameX
UserControlFactory ButtonControlFactory();  // ccXPButton

}  // namespace qv

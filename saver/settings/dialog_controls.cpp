#include "saver/settings/dialog_controls.h"

#include <memory>

#include "saver/controls/cc_xp_button.h"
#include "saver/controls/gfx_frame_x.h"

namespace qv {

UserControlFactory FrameControlFactory() {
    return [] { return std::unique_ptr<UserControl>(new controls::GFXFrameX()); };
}

UserControlFactory ButtonControlFactory() {
    return [] { return std::unique_ptr<UserControl>(new controls::ccXPButton()); };
}

}  // namespace qv

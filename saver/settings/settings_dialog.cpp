#include "saver/settings/settings_dialog.h"

#include "saver/framework/dpi_awareness.h"
#include "saver/settings/quorvale_p.h"

namespace qv {

void ShowSettingsDialog() {
    // The dialog lays itself out once, at the system's scale, and never again: system-aware, it
    // is scaled by Windows on a monitor of another scale or after the scale changes. (The
    // process stays per-monitor aware for the show, which photographs in real pixels.)
    ThreadDpiAwareness systemAware(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE);
    Quorvale_P dialog;
    dialog.Show(/*modal=*/true);
    if (dialog.IsLoaded()) dialog.Unload();
}

}  // namespace qv

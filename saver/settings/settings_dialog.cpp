#include "saver/settings/settings_dialog.h"

#include "saver/settings/quorvale_p.h"

namespace qv {

void ShowSettingsDialog() {
    Quorvale_P dialog;
    dialog.Show(/*modal=*/true);
    if (dialog.IsLoaded()) dialog.Unload();
}

}  // namespace qv

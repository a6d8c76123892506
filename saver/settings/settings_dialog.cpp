#include "settings_dialog.h"

namespace qv {
// Placeholder until the dialog lands: closes at once.
void ShowSettingsDialog() {}
}  // namespace qv

#pragma once
// The settings dialog `Quorvale_P`: shown modally by the start-up routine in settings mode.
namespace qv {
// Shows the dialog with no owner and returns when it has closed.
void ShowSettingsDialog();
}  // namespace qv

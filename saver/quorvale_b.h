#pragma once
// Quorvale_B: the saver program's start-up routine. It reads the host's argument text and
// hands over to the preview, the settings dialog or the hidden saver window.
namespace qv {

void StartUp();

}  // namespace qv

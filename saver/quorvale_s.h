#pragma once
// Quorvale_S: the hidden saver window that runs one show. Its load photographs the desktop,
// starts the renderer and the music; its timers keep the music going and watch for the
// renderer's window; when that window is gone it stops the music and ends the program.
#include <string>

#include "framework/form.h"

namespace qv {

class Quorvale_S : public Form {
 public:
  Quorvale_S();

  std::string RendererPath;

 private:
  void LoadHandling();
  void Capture();
  void StartMusic();
  void WatchRenderer();
  void PollCd();
  void UnloadHandling();
};

}  // namespace qv

#pragma once
// Quorvale_S: the hidden saver window that runs one show. Its load photographs the desktop,
// starts the renderer and the music; its timers keep the music going and watch for the
// renderer's window; when that window is gone (or the renderer never comes up) it stops the
// music and ends the program.
#include <windows.h>

#include <cstdint>
#include <string>

#include "saver/framework/form.h"
#include "saver/framework/program.h"
#include "saver/show/renderer_watch.h"

namespace qv {

class Quorvale_S : public Form {
  public:
    Quorvale_S();

    std::string RendererPath;

  private:
    void LoadHandling();
    void Capture();
    void StartMusic();
    bool RendererRunning() const;
    void WatchRenderer();
    void PollCd();
    void UnloadHandling();

    ProgramProcess renderer_;  // held from its start, so no other process can take its place
    RendererWatch rendererWatch_;
};

}  // namespace qv

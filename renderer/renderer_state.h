// Everything the renderer holds while it runs, in one place of static lifetime: the frame's
// window, context and clock, the scene's pictures and fixed arrays, the monitors the show
// covers and the pacing. Nothing here is allocated per frame.
#pragma once
#include <windows.h>

#include "handoff/handoff.h"
#include "handoff/monitor_layout.h"
#include "renderer/frame/show_rules.h"
#include "renderer/pacing/display_pacing.h"
#include "renderer/pacing/frame_clock.h"
#include "renderer/picture/image_texture.h"
#include "renderer/scene/monitor_scenes.h"
#include "renderer/scene/scene_model.h"

namespace qv::renderer {

// The scene's entry points as the frame calls them. A build that measures the renderer wraps
// them from outside; the shipped renderer uses the scene's own (DefaultSceneHooks).
struct SceneHooks {
    bool (*load)();                          // the first set-up, before rendering starts
    bool (*restart)();                       // a cycle has ended: set up again
    void (*draw)();                          // one frame into the back buffer
    void (*reshape)(int width, int height);  // the window's client area changed
    void (*free)();                          // give back OpenGL objects while the context is current
};

struct FrameState {
    // The primary monitor's size as the saver measured it (the settings).
    int screenWidth = handoff::kDefaultWidth;
    int screenHeight = handoff::kDefaultHeight;
    // The window's client area: the screen's size with one monitor, the virtual screen's with
    // several.
    int windowWidth = handoff::kDefaultWidth;
    int windowHeight = handoff::kDefaultHeight;
    bool renderingEnabled = false;  // frames are drawn only while true
    HWND window = nullptr;
    HDC windowDC = nullptr;  // taken once at creation, never released (own-DC class)
    HGLRC glContext = nullptr;
    PIXELFORMATDESCRIPTOR pixelFormat = {sizeof(PIXELFORMATDESCRIPTOR),
                                         1,
                                         PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER,
                                         PFD_TYPE_RGBA,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         16,
                                         0,
                                         0,
                                         PFD_MAIN_PLANE,
                                         0,
                                         0,
                                         0,
                                         0};
    bool pixelFormatFilled = false;  // the colour depth is read on first use only
    // The display's state (the session's, else the console's): while it is off nobody sees
    // the show, so no frames are drawn and the cycle's clock stands still.
    HPOWERNOTIFY displayNotifications[2] = {};
    DisplayStateFeed displayFeed;
    bool displayOff = false;
    LONGLONG displayOffSince = 0;
    FrameClock clock;  // frameTime and frameDelta: the scene's only time base
    // The session locks when the saver ends: the show then ends as soon as anything else
    // gets in front of it.
    bool locking = false;
    bool ending = false;   // the window is being destroyed
    bool cloaked = false;  // hidden by the compositor until its first frame is presented
    MonitorChangeRule monitorChanges{1};
};

struct SceneStore {
    ImageTexture desktopTexture;  // the primary monitor's picture
    ImageTexture glowTexture;
    ImageTexture otherDesktopTextures[kMaxMonitors - 1];
    // One scene per monitor; until the frame arranges them, the primary's alone.
    MonitorScenes monitorScenes;
    TileDraw tileDraws[kTileCount];
    SpriteCentre spriteCentres[kRingSprites];
};

struct ShownMonitors {
    MonitorLayout shownLayout;   // what the show was laid out for
    MonitorLayout foundAtStart;  // what the platform listed then
};

struct RendererState {
    FrameState frame;
    SceneStore scene;
    ShownMonitors monitors;
    DisplayPacing pacing;
    SceneHooks hooks;
};

extern RendererState state;

SceneHooks DefaultSceneHooks();

}  // namespace qv::renderer

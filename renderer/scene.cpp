#include "scene.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include "bench_probe.h"
#include "frame_state.h"
#include "handoff/handoff.h"
#include "image_texture.h"
#include "scene_draw.h"
#include "scene_model.h"

namespace qv::renderer {

ImageTexture desktopTexture;
ImageTexture glowTexture;
MonitorScenes monitorScenes;

namespace {

// Everything lives in fixed storage; a frame allocates nothing. Each monitor's scene is in
// monitorScenes; the primary's picture is desktopTexture, the others' are here.
ImageTexture otherDesktopTextures[kMaxMonitors - 1];
TileDraw tileDraws[kTileCount];
SpriteCentre spriteCentres[kRingSprites];

void DrawRing(float front) {
    glowTexture.Bind();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // additive: the glow's black adds nothing
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glLoadIdentity();
    glTranslated(0.0, 0.0, kRingDepth);
    glColor3f(kRingRed, kRingGreen, kRingBlue);
    const int count = RingSpriteCentres(front, spriteCentres);
    const float h = static_cast<float>(kSpriteHalfSize);
    glBegin(GL_QUADS);
    for (int k = 0; k < count; ++k) {
        const float cx = spriteCentres[k].x, cy = spriteCentres[k].y;
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(cx - h, cy - h, 0.0f);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(cx + h, cy - h, 0.0f);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(cx + h, cy + h, 0.0f);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(cx - h, cy + h, 0.0f);
    }
    glEnd();
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

}  // namespace

bool InitScene() {
    BenchRestartBegins();
    ResetSceneClocks(monitorScenes, frameClock.frameTime);
    glViewport(0, 0, screenWidth, screenHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, 1.0, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    if (!desktopTexture.Load(handoff::kDesktopPictureFile)) return false;
    if (!glowTexture.Load(handoff::kGlowPictureFile)) return false;
    for (int k = 1; k < monitorScenes.count; ++k)
        if (!otherDesktopTextures[k - 1].Load(monitorScenes.views[k].picturePath)) return false;
    SetUpGrids(monitorScenes);
    BenchRestartEnds();
    return true;
}

void RenderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    UpdatePhases(monitorScenes, frameClock.frameTime);
    BenchFramePhase(monitorScenes.views[0].scene.shattering != 0);
    if (DrawScene()) InitScene();
    glPopMatrix();
}

bool DrawScene() {
    if (monitorScenes.count <= 1) return DrawMonitorScene(monitorScenes.views[0].scene, desktopTexture);
    // Every monitor starts from the state the frame started with and advances every frame.
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    bool over = true;
    for (int k = 0; k < monitorScenes.count; ++k) {
        const Viewport& v = monitorScenes.views[k].viewport;
        glViewport(v.x, v.y, v.width, v.height);
        if (depthTest) glEnable(GL_DEPTH_TEST); else glDisable(GL_DEPTH_TEST);
        ImageTexture& picture = k == 0 ? desktopTexture : otherDesktopTextures[k - 1];
        over = DrawMonitorScene(monitorScenes.views[k].scene, picture) && over;
    }
    return over;
}

bool DrawMonitorScene(SceneState& scene, ImageTexture& picture) {
    StartShatterIfDue(scene, frameClock.frameTime);
    glEnable(GL_TEXTURE_2D);
    picture.Bind();
    glColor3f(1.0f, 1.0f, 1.0f);
    if (scene.shattering == 1) {
        const float front = FrontRadius(frameClock.frameTime, scene.shatterStartTime);
        const int count = AdvanceShatter(scene, frameClock.frameTime, frameClock.frameDelta,
                                         front, tileDraws);
        DrawTiles(scene, tileDraws, count);
        DrawRing(front);
        return count == 0;
    }
    ComputeWaveHeights(scene, frameClock.frameTime);
    DrawWaveStrips(scene);
    return false;
}

}  // namespace qv::renderer

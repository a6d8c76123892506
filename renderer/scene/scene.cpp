#include "renderer/scene/scene.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include "handoff/handoff.h"
#include "renderer/debug_output.h"
#include "renderer/renderer_state.h"
#include "renderer/picture/image_texture.h"
#include "renderer/scene/scene_draw.h"

namespace qv::renderer {

namespace {

bool LoadPicture(ImageTexture& texture, const char* path) {
    if (texture.Load(path)) return true;
    DebugPrintf("renderer: picture %s refused: %s\n", path, texture.FailureText());
    return false;
}

void DrawRing(float front) {
    state.scene.glowTexture.Bind();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // additive: the glow's black adds nothing
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glLoadIdentity();
    glTranslated(0.0, 0.0, kRingDepth);
    glColor3f(kRingRed, kRingGreen, kRingBlue);
    SpriteCentre* spriteCentres = state.scene.spriteCentres;
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
    SceneStore& scene = state.scene;
    MonitorScenes& monitorScenes = scene.monitorScenes;
    ResetSceneClocks(monitorScenes, state.frame.clock.frameTime);
    glViewport(0, 0, state.frame.windowWidth, state.frame.windowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, 1.0, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    if (!LoadPicture(scene.desktopTexture, handoff::kDesktopPictureFile)) return false;
    if (!LoadPicture(scene.glowTexture, handoff::kGlowPictureFile)) return false;
    for (int k = 1; k < monitorScenes.count; ++k)
        if (!LoadPicture(scene.otherDesktopTextures[k - 1], monitorScenes.views[k].picturePath)) return false;
    SetUpGrids(monitorScenes);
    return true;
}

void RenderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    UpdatePhases(state.scene.monitorScenes, state.frame.clock.frameTime);
    if (DrawScene()) state.hooks.restart();
    glPopMatrix();
}

bool DrawScene() {
    SceneStore& store = state.scene;
    MonitorScenes& monitorScenes = store.monitorScenes;
    ImageTexture& desktopTexture = store.desktopTexture;
    if (monitorScenes.count <= 1) return DrawMonitorScene(monitorScenes.views[0].scene, desktopTexture);
    // Every monitor starts from the state the frame started with and advances every frame.
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    bool over = true;
    for (int k = 0; k < monitorScenes.count; ++k) {
        const Viewport& v = monitorScenes.views[k].viewport;
        glViewport(v.x, v.y, v.width, v.height);
        if (depthTest)
            glEnable(GL_DEPTH_TEST);
        else
            glDisable(GL_DEPTH_TEST);
        ImageTexture& picture = k == 0 ? desktopTexture : store.otherDesktopTextures[k - 1];
        over = DrawMonitorScene(monitorScenes.views[k].scene, picture) && over;
    }
    return over;
}

bool DrawMonitorScene(SceneState& scene, ImageTexture& picture) {
    const FrameClock& frameClock = state.frame.clock;
    StartShatterIfDue(scene, frameClock.frameTime);
    glEnable(GL_TEXTURE_2D);
    picture.Bind();
    glColor3f(1.0f, 1.0f, 1.0f);
    if (scene.shattering == 1) {
        const float front = FrontRadius(frameClock.frameTime, scene.shatterStartTime);
        const int count =
            AdvanceShatter(scene, frameClock.frameTime, frameClock.frameDelta, front, state.scene.tileDraws);
        DrawTiles(scene, state.scene.tileDraws, count);
        DrawRing(front);
        return count == 0;
    }
    ComputeWaveHeights(scene, frameClock.frameTime);
    DrawWaveStrips(scene);
    return false;
}

void FreeScene() {
    SceneStore& scene = state.scene;
    scene.desktopTexture.Release();
    scene.glowTexture.Release();
    for (ImageTexture& texture : scene.otherDesktopTextures) texture.Release();
}

}  // namespace qv::renderer

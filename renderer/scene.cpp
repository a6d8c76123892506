#include "scene.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include "bench_probe.h"
#include "frame_state.h"
#include "image_texture.h"
#include "scene_draw.h"
#include "scene_model.h"

namespace qv::renderer {

const char* const kDesktopPicturePath = "C:\\zantho_temp\\Quorvale1.alo";
const char* const kGlowPicturePath = "C:\\zantho_temp\\Quorvale2.alo";

ImageTexture desktopTexture;
ImageTexture glowTexture;

namespace {

// Everything lives in fixed storage; a frame allocates nothing.
SceneState scene;
CrtRandom random;
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

const SceneState& CurrentScene() { return scene; }

bool InitScene() {
    BenchRestartBegins();
    ResetSceneClocks(scene, frameClock.frameTime);
    glViewport(0, 0, screenWidth, screenHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, 1.0, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    if (!desktopTexture.Load(kDesktopPicturePath)) return false;
    if (!glowTexture.Load(kGlowPicturePath)) return false;
    SetUpGrid(scene, random);
    BenchRestartEnds();
    return true;
}

void RenderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    UpdatePhase(scene, frameClock.frameTime);
    BenchFramePhase(scene.shattering != 0);
    if (DrawScene()) InitScene();
    glPopMatrix();
}

bool DrawScene() {
    StartShatterIfDue(scene, frameClock.frameTime);
    glEnable(GL_TEXTURE_2D);
    desktopTexture.Bind();
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

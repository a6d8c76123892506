// The array draws of the wave and the tiles must put exactly the pixels on the screen that
// the same geometry sent one vertex call at a time gives (the reference drawers below), and
// must leave no vertex array switched on for the ring's single calls that follow.
#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include <vector>

#include "gl_test_window.h"
#include "renderer/scene/scene_draw.h"
#include "renderer/scene/scene_model.h"

namespace qv::renderer {
namespace {

constexpr int kWidth = 320, kHeight = 240;

void ReferenceWave(const SceneState& scene) {
    const double hw = scene.tileHalfWidth, hh = scene.tileHalfHeight;
    const float dv = kTextureStep, du = kTextureStep;
    for (int j = 0; j < kGridSize; ++j) {
        const int above = j + 1 < kGridSize ? j + 1 : j;
        glLoadIdentity();
        glBegin(GL_TRIANGLE_STRIP);
        glNormal3f(0.0f, 0.0f, 1.0f);
        for (int i = 0; i < kGridSize; ++i) {
            const double* p = scene.tilePosition[i][j];
            const double* tc = scene.tileTexCoord[i][j];
            glTexCoord2d(tc[0], tc[1]);
            glVertex3d(p[0] - hw, p[1] - hh, p[2]);
            glTexCoord2d(tc[0], tc[1] + dv);
            glVertex3d(p[0] - hw, p[1] + hh, scene.tilePosition[i][above][2]);
        }
        const double* p = scene.tilePosition[kGridSize - 1][j];
        const double* tc = scene.tileTexCoord[kGridSize - 1][j];
        glTexCoord2d(tc[0] + du, tc[1]);
        glVertex3d(p[0] + hw, p[1] - hh, p[2]);
        glTexCoord2d(tc[0] + du, tc[1] + dv);
        glVertex3d(p[0] + hw, p[1] + hh, scene.tilePosition[kGridSize - 1][above][2]);
        glEnd();
    }
}

void ReferenceTiles(const SceneState& scene, const TileDraw* draws, int count) {
    const float du = kTextureStep, dv = kTextureStep;
    glLoadIdentity();
    glBegin(GL_QUADS);
    for (int n = 0; n < count; ++n) {
        TileQuad q;
        PlaceTileQuad(scene, draws[n], &q);
        const float s = static_cast<float>(scene.tileTexCoord[draws[n].i][draws[n].j][0]);
        const float t = static_cast<float>(scene.tileTexCoord[draws[n].i][draws[n].j][1]);
        glNormal3dv(q.normal);
        glTexCoord2f(s, t);
        glVertex3dv(q.corner[0]);
        glTexCoord2f(s, t + dv);
        glVertex3dv(q.corner[1]);
        glTexCoord2f(s + du, t + dv);
        glVertex3dv(q.corner[2]);
        glTexCoord2f(s + du, t);
        glVertex3dv(q.corner[3]);
    }
    glEnd();
}

class SceneDraw : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        gl = new test::GlTestWindow("QvSceneDrawTest", kWidth, kHeight, true);
        ASSERT_TRUE(gl->Ready());

        // The scene's projection and a mipmapped picture with detail at every scale.
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(kFieldOfView, 1.0, kNearPlane, kFarPlane);
        glMatrixMode(GL_MODELVIEW);
        std::vector<unsigned char> pixels(256 * 256 * 3);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                unsigned char* p = &pixels[(y * 256 + x) * 3];
                p[0] = static_cast<unsigned char>(x ^ y);
                p[1] = static_cast<unsigned char>(x * 3);
                p[2] = static_cast<unsigned char>(((x / 8 + y / 8) & 1) * 255);
            }
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, 256, 256, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glColor3f(1.0f, 1.0f, 1.0f);
    }
    static void TearDownTestSuite() {
        delete gl;
        gl = nullptr;
    }

    template <typename Draw>
    static std::vector<unsigned char> Picture(Draw draw) {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw();
        glFinish();
        std::vector<unsigned char> out(kWidth * kHeight * 4);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
        return out;
    }

    static int LitPixels(const std::vector<unsigned char>& p) {
        int lit = 0;
        for (size_t k = 0; k < p.size(); k += 4) lit += (p[k] | p[k + 1] | p[k + 2]) != 0;
        return lit;
    }

    static void ExpectArraysOff() {
        EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
        EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    }

    static inline test::GlTestWindow* gl = nullptr;
};

TEST_F(SceneDraw, RipplingGridMatchesSingleVertexCalls) {
    static SceneState scene;
    CrtRandom random;
    SetUpGrid(scene, random);
    for (float t : {0.0f, 1.3f, 2.2f}) {  // flat, first ripple, all three
        SCOPED_TRACE(t);
        ComputeWaveHeights(scene, t);
        const auto reference = Picture([&] { ReferenceWave(scene); });
        const auto arrays = Picture([&] { DrawWaveStrips(scene); });
        ASSERT_GT(LitPixels(reference), kWidth * kHeight * 3 / 4);  // the grid fills the view
        EXPECT_TRUE(reference == arrays);
        ExpectArraysOff();
    }
}

TEST_F(SceneDraw, FlyingTilesMatchSingleVertexCalls) {
    static SceneState scene;
    static TileDraw draws[kTileCount];
    CrtRandom random;
    SetUpGrid(scene, random);
    ResetSceneClocks(scene, 0.0f);
    UpdatePhase(scene, 3.6f);
    StartShatterIfDue(scene, 3.6f);
    float time = 3.6f;
    for (int step = 0; step < 3; ++step) {  // a few frames in: some tiles turned and lifted
        time += 0.4f;
        const float front = FrontRadius(time, scene.shatterStartTime);
        const int count = AdvanceShatter(scene, time, 0.4f, front, draws);
        SCOPED_TRACE(count);
        ASSERT_GT(count, 0);
        const auto reference = Picture([&] { ReferenceTiles(scene, draws, count); });
        const auto arrays = Picture([&] { DrawTiles(scene, draws, count); });
        ASSERT_GT(LitPixels(reference), kWidth * kHeight / 4);
        EXPECT_TRUE(reference == arrays);
        ExpectArraysOff();
    }
}

// Where OpenGL itself puts a tile's corners: translate to the tile, glRotated about its axis,
// then the local corner, read back from the model-view matrix.
TEST_F(SceneDraw, TilesTurnAsGlRotatedTurnsThem) {
    static SceneState scene;
    CrtRandom random;
    SetUpGrid(scene, random);
    const double hw = scene.tileHalfWidth, hh = scene.tileHalfHeight;
    const double local[4][2] = {{-hw, -hh}, {-hw, hh}, {hw, hh}, {hw, -hh}};
    int checked = 0;
    for (int i = 0; i < kGridSize; i += 7)
        for (int j = 3; j < kGridSize; j += 9)
            for (double angle : {0.0, 17.0, 90.0, 200.5, 3333.3}) {
                const double* axis = scene.tileSpinAxis[i][j];
                const TileDraw d{i,    j,    scene.tilePosition[i][j][0], scene.tilePosition[i][j][1], -4.5,
                                 true, angle};
                TileQuad q;
                PlaceTileQuad(scene, d, &q);
                glMatrixMode(GL_MODELVIEW);
                glLoadIdentity();
                glTranslated(d.x, d.y, d.z);
                glRotated(angle, axis[0], axis[1], 0.0);
                double m[16];  // column-major
                glGetDoublev(GL_MODELVIEW_MATRIX, m);
                for (int n = 0; n < 4; ++n)
                    for (int r = 0; r < 3; ++r) {
                        const double expected = m[r] * local[n][0] + m[4 + r] * local[n][1] + m[12 + r];
                        ASSERT_NEAR(q.corner[n][r], expected, 1e-6)
                            << "tile " << i << "," << j << " angle " << angle << " corner " << n << " axis "
                            << axis[0] << "," << axis[1];
                    }
                // The normal (0, 0, -1) turned the same way.
                for (int r = 0; r < 3; ++r) ASSERT_NEAR(q.normal[r], -m[8 + r], 1e-6);
                ++checked;
            }
    glLoadIdentity();
    EXPECT_GT(checked, 100);
    // Axes with a clear y part take part, so a mirrored axis (x, -y) cannot pass.
    int oblique = 0;
    for (int i = 0; i < kGridSize; i += 7)
        for (int j = 3; j < kGridSize; j += 9)
            oblique += scene.tileSpinAxis[i][j][0] > 0.3 && scene.tileSpinAxis[i][j][1] > 0.3;
    EXPECT_GT(oblique, 10);
}

}  // namespace
}  // namespace qv::renderer

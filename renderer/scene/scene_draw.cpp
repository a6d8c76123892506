#include "renderer/scene/scene_draw.h"

#include <windows.h>
#include <GL/gl.h>

namespace qv::renderer {
namespace {

// Fixed storage: a frame allocates nothing. Vertices go to the driver as floats, which is
// what it makes of double-precision vertex calls too.
float waveVertices[kGridSize + 1][2][3];
float waveTexCoords[kGridSize + 1][2][2];
float tileVertices[kTileCount * 4][3];
float tileNormals[kTileCount * 4][3];
float tileTexCoords[kTileCount * 4][2];

void SetStripPair(int n, double x, double yLow, double yHigh, double zLow, double zHigh, double s,
                  double tLow, double tHigh) {
    float* v = waveVertices[n][0];
    v[0] = static_cast<float>(x), v[1] = static_cast<float>(yLow), v[2] = static_cast<float>(zLow);
    v = waveVertices[n][1];
    v[0] = static_cast<float>(x), v[1] = static_cast<float>(yHigh), v[2] = static_cast<float>(zHigh);
    float* t = waveTexCoords[n][0];
    t[0] = static_cast<float>(s), t[1] = static_cast<float>(tLow);
    t = waveTexCoords[n][1];
    t[0] = static_cast<float>(s), t[1] = static_cast<float>(tHigh);
}

void SetTileCorner(int n, const double* corner, const double* normal, float s, float t) {
    for (int k = 0; k < 3; ++k) {
        tileVertices[n][k] = static_cast<float>(corner[k]);
        tileNormals[n][k] = static_cast<float>(normal[k]);
    }
    tileTexCoords[n][0] = s;
    tileTexCoords[n][1] = t;
}

}  // namespace

// One array draw per row instead of a glBegin/glEnd with 102 vertex calls each and a matrix
// load between rows: on software OpenGL those single calls and per-row flushes made the wave
// several times slower than the shatter, which draws more vertices.
void DrawWaveStrips(const SceneState& scene) {
    const double hw = scene.tileHalfWidth, hh = scene.tileHalfHeight;
    const float dv = kTextureStep, du = kTextureStep;
    glLoadIdentity();
    glNormal3f(0.0f, 0.0f, 1.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, waveVertices);
    glTexCoordPointer(2, GL_FLOAT, 0, waveTexCoords);
    for (int j = 0; j < kGridSize; ++j) {
        const int above = j + 1 < kGridSize ? j + 1 : j;
        for (int i = 0; i < kGridSize; ++i) {
            const double* p = scene.tilePosition[i][j];
            const double* tc = scene.tileTexCoord[i][j];
            SetStripPair(i, p[0] - hw, p[1] - hh, p[1] + hh, p[2], scene.tilePosition[i][above][2], tc[0],
                         tc[1], tc[1] + dv);
        }
        const double* p = scene.tilePosition[kGridSize - 1][j];
        const double* tc = scene.tileTexCoord[kGridSize - 1][j];
        SetStripPair(kGridSize, p[0] + hw, p[1] - hh, p[1] + hh, p[2],
                     scene.tilePosition[kGridSize - 1][above][2], tc[0] + du, tc[1], tc[1] + dv);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 2 * (kGridSize + 1));
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

// Each tile is placed on the CPU and all of them go in one draw: a matrix change per tile
// would make the driver flush and set up a draw for every one of 2500 quads.
void DrawTiles(const SceneState& scene, const TileDraw* draws, int count) {
    const float du = kTextureStep, dv = kTextureStep;
    for (int n = 0; n < count; ++n) {
        const TileDraw& d = draws[n];
        TileQuad q;
        PlaceTileQuad(scene, d, &q);
        const float s = static_cast<float>(scene.tileTexCoord[d.i][d.j][0]);
        const float t = static_cast<float>(scene.tileTexCoord[d.i][d.j][1]);
        SetTileCorner(4 * n, q.corner[0], q.normal, s, t);
        SetTileCorner(4 * n + 1, q.corner[1], q.normal, s, t + dv);
        SetTileCorner(4 * n + 2, q.corner[2], q.normal, s + du, t + dv);
        SetTileCorner(4 * n + 3, q.corner[3], q.normal, s + du, t);
    }
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, tileVertices);
    glNormalPointer(GL_FLOAT, 0, tileNormals);
    glTexCoordPointer(2, GL_FLOAT, 0, tileTexCoords);
    glDrawArrays(GL_QUADS, 0, 4 * count);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace qv::renderer

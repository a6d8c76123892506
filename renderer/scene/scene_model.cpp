#include "renderer/scene/scene_model.h"

#include <cmath>

namespace qv::renderer {

double DampedSine(float x) {
    if (x < 0.0f) return 0.0;
    return std::exp(-static_cast<double>(x)) * std::sin(static_cast<double>(x));
}

void ResetSceneClocks(SceneState& scene, float frameTime) {
    scene.sceneStartTime = frameTime;
    scene.shatterStartTime = 0.0;
    scene.shattering = 0;
}

void SetUpGrid(SceneState& scene, CrtRandom& random) {
    scene.tileHalfWidth = kTileSize;
    scene.tileHalfHeight = kTileSize;
    for (int i = 0; i < kGridSize; ++i) {
        for (int j = 0; j < kGridSize; ++j) {
            double* p = scene.tilePosition[i][j];
            p[0] = (i + 0.5) * scene.tileHalfWidth - kGridHalfExtent;
            p[1] = (j + 0.5) * scene.tileHalfHeight - kGridHalfExtent;
            p[2] = kRestDepth;
            scene.tileTexCoord[i][j][0] = i / static_cast<double>(kGridSize);
            scene.tileTexCoord[i][j][1] = j / static_cast<double>(kGridSize);
            double ax = RandomScaled(random, 1.0);
            double ay = RandomScaled(random, 1.0);
            const float length = static_cast<float>(std::sqrt(ax * ax + ay * ay));
            if (length > 0.0f) {
                ax /= length;
                ay /= length;
            } else {
                // Both draws were 0: spin about the diagonal rather than divide by zero.
                // No extra draw, so the rest of the sequence stays where it was.
                ax = ay = std::sqrt(0.5);
            }
            scene.tileSpinAxis[i][j][0] = ax;
            scene.tileSpinAxis[i][j][1] = ay;
            scene.tileSpinRate[i][j] = RandomScaled(random, 20.0) + 50.0;
            scene.tileSpeed[i][j] = kFlightSpeed;
        }
    }
    scene.tileHalfWidth /= 2.0;
    scene.tileHalfHeight /= 2.0;
    scene.shatterStartTime = 0.0;
    scene.shattering = 0;
}

void UpdatePhase(SceneState& scene, float frameTime) {
    if (frameTime - scene.sceneStartTime > kWavePhaseLength) scene.shattering = 1;
}

void StartShatterIfDue(SceneState& scene, float frameTime) {
    if (scene.shattering != 1 || scene.shatterStartTime != 0.0) return;
    for (int i = 0; i < kGridSize; ++i)
        for (int j = 0; j < kGridSize; ++j) scene.tilePosition[i][j][2] = kRestDepth;
    scene.shatterStartTime = frameTime - kFrontOffset;
}

void ComputeWaveHeights(SceneState& scene, float frameTime) {
    const float q = static_cast<float>(scene.tileHalfHeight * scene.tileHalfHeight +
                                       scene.tileHalfWidth * scene.tileHalfWidth);
    const double tau = frameTime - scene.sceneStartTime;
    for (int i = 0; i < kGridSize; ++i) {
        for (int j = 0; j < kGridSize; ++j) {
            double* p = scene.tilePosition[i][j];
            const float d = std::sqrt(static_cast<float>(p[0] * p[0] + p[1] * p[1] + q));
            const double r1 = DampedSine(static_cast<float>(tau * 10.0 - 10.0 + -5.0 * d));
            const double r2 = DampedSine(static_cast<float>(tau * 20.0 - 22.0 + -5.0 * d));
            const double r3 = DampedSine(static_cast<float>(tau * 20.0 - 26.0 + -5.0 * d));
            p[2] = ((r1 + kRestDepth) + r2) + r3;
        }
    }
}

float FrontRadius(float frameTime, double shatterStartTime) {
    const double grown = (frameTime - shatterStartTime) * kFrontGrowth;
    return static_cast<float>(grown * grown);
}

bool FrontHasPassed(float front, double x, double y) { return front > std::sqrt(x * x + y * y); }

int AdvanceShatter(SceneState& scene, float frameTime, float frameDelta, float front, TileDraw* draws) {
    int count = 0;
    for (int i = 0; i < kGridSize; ++i) {
        for (int j = 0; j < kGridSize; ++j) {
            double* p = scene.tilePosition[i][j];
            if (!(p[2] < 0.0)) continue;  // gone past the viewer
            TileDraw& d = draws[count++];
            d.i = i;
            d.j = j;
            d.x = p[0];
            d.y = p[1];
            d.z = p[2];
            d.spinning = FrontHasPassed(front, p[0], p[1]);
            d.angleDegrees = 0.0;
            if (d.spinning) {
                p[2] += frameDelta * scene.tileSpeed[i][j];
                d.angleDegrees = frameTime * scene.tileSpinRate[i][j] * kSpinFactor;
            }
        }
    }
    return count;
}

void PlaceTileQuad(const SceneState& scene, const TileDraw& draw, TileQuad* quad) {
    const double hw = scene.tileHalfWidth, hh = scene.tileHalfHeight;
    const double local[4][2] = {{-hw, -hh}, {-hw, hh}, {hw, hh}, {hw, -hh}};
    // Rotation about the unit axis (x, y, 0); a flat quad needs only the first two columns
    // for its corners and the third for its normal.
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    if (draw.spinning) {
        double x = scene.tileSpinAxis[draw.i][draw.j][0];
        double y = scene.tileSpinAxis[draw.i][draw.j][1];
        const double length = std::sqrt(x * x + y * y);
        if (length > 0.0) {
            x /= length;
            y /= length;
            const double a = draw.angleDegrees * (3.14159265358979323846 / 180.0);
            const double c = std::cos(a), s = std::sin(a), k = 1.0 - c;
            m[0][0] = x * x * k + c;
            m[0][1] = x * y * k;
            m[0][2] = y * s;
            m[1][0] = x * y * k;
            m[1][1] = y * y * k + c;
            m[1][2] = -x * s;
            m[2][0] = -y * s;
            m[2][1] = x * s;
            m[2][2] = c;
        }
    }
    for (int n = 0; n < 4; ++n) {
        const double u = local[n][0], v = local[n][1];
        quad->corner[n][0] = draw.x + m[0][0] * u + m[0][1] * v;
        quad->corner[n][1] = draw.y + m[1][0] * u + m[1][1] * v;
        quad->corner[n][2] = draw.z + m[2][0] * u + m[2][1] * v;
    }
    for (int r = 0; r < 3; ++r) quad->normal[r] = -m[r][2];
}

int RingSpriteCentres(float front, SpriteCentre* centres) {
    int count = 0;
    for (int k = 0; k < kRingSprites; ++k) {
        const double a = k * kRingAngleStep;
        const float cx = static_cast<float>(std::sin(a) * front);
        const float cy = static_cast<float>(std::cos(a) * front);
        if (cx > -kGridHalfExtent && cx < kGridHalfExtent && cy > -kGridHalfExtent && cy < kGridHalfExtent)
            centres[count++] = {cx, cy};
    }
    return count;
}

}  // namespace qv::renderer

// The shatter scene without any drawing: the tile grid, the ripples, the shock front, the
// flight of the tiles and the ring's sprite centres, all stepped by the measured clock.
// The OpenGL side (scene.cpp) draws what this computes.
#pragma once
#include "renderer/scene/crt_random.h"

namespace qv::renderer {

constexpr int kGridSize = 50;
constexpr int kTileCount = kGridSize * kGridSize;
constexpr double kTileSize = 0.1;
constexpr double kRestDepth = -6.0;
constexpr double kGridHalfExtent = 2.5;
constexpr float kTextureStep = 0.02f;
constexpr double kWavePhaseLength = 3.5;
constexpr double kFrontOffset = 0.1;
constexpr double kFrontGrowth = 1.25;
constexpr double kFlightSpeed = 3.0;
constexpr double kSpinFactor = 10.0;
constexpr int kRingSprites = 200;
constexpr double kSpriteHalfSize = 0.2;
constexpr double kRingDepth = -5.9;
constexpr double kRingAngleStep = 0.0314159265;
constexpr float kRingRed = 0.949f, kRingGreen = 0.6784f, kRingBlue = 0.1882f;
constexpr double kFieldOfView = 45.0, kNearPlane = 1.0, kFarPlane = 20.0;

// Indexed [i][j]: column i left to right, row j bottom to top.
struct SceneState {
    double tilePosition[kGridSize][kGridSize][3];
    double tileTexCoord[kGridSize][kGridSize][2];
    double tileSpinAxis[kGridSize][kGridSize][2];
    double tileSpinRate[kGridSize][kGridSize];
    double tileSpeed[kGridSize][kGridSize];
    double sceneStartTime = 0.0;
    double shatterStartTime = 0.0;
    int shattering = 0;
    double tileHalfWidth = 0.05;
    double tileHalfHeight = 0.05;
};

// e^-x * sin x for x >= 0, 0 before the ripple arrives.
double DampedSine(float x);

// Start of every set-up, before the pictures load: loading time counts as scene time.
void ResetSceneClocks(SceneState& scene, float frameTime);

// Lays out the 50 x 50 grid; three random draws per tile (axis x, axis y, rate), column-major.
void SetUpGrid(SceneState& scene, CrtRandom& random);

// The wave phase ends on the first frame more than 3.5 s into the scene.
void UpdatePhase(SceneState& scene, float frameTime);

// On the shatter's first frame: flattens the grid and sets the shatter clock 0.1 s back.
void StartShatterIfDue(SceneState& scene, float frameTime);

// Heights of the three ripples for every tile at this frame.
void ComputeWaveHeights(SceneState& scene, float frameTime);

// Radius of the shock front, (1.25 * shatter time)^2, in single precision.
float FrontRadius(float frameTime, double shatterStartTime);

// A tile starts only once the front strictly exceeds its centre's distance from the middle.
bool FrontHasPassed(float front, double x, double y);

// One tile to draw in a shatter frame. (x, y, z) is its position before this frame's move.
struct TileDraw {
    int i, j;
    double x, y, z;
    bool spinning;
    double angleDegrees;  // valid when spinning
};

// Moves every tile the front has passed and lists the tiles still in front of the viewer
// (z below 0) into draws (room for kTileCount). Returns how many; 0 means the cycle is over.
int AdvanceShatter(SceneState& scene, float frameTime, float frameDelta, float front, TileDraw* draws);

// Where a tile's four corners land this frame: translated to its drawn position and, when it
// spins, turned about its axis as a rotation by angleDegrees would turn them. Corners in the
// quad's order: (-hw, -hh), (-hw, +hh), (+hw, +hh), (+hw, -hh). The normal is (0, 0, -1)
// turned the same way.
struct TileQuad {
    double corner[4][3];
    double normal[3];
};
void PlaceTileQuad(const SceneState& scene, const TileDraw& draw, TileQuad* quad);

struct SpriteCentre {
    float x, y;
};

// Centres of the ring sprites that lie strictly inside the grid's square; room for 200.
int RingSpriteCentres(float front, SpriteCentre* centres);

}  // namespace qv::renderer

// Edges of the scene model and the picture checks that the broader tests pass over: a
// restart's own clock, each ripple's timing, a tile exactly at the viewer, file sizes at
// their limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "renderer/picture/alo_format.h"
#include "alo_test_files.h"
#include "renderer/pacing/frame_clock.h"
#include "renderer/scene/scene_model.h"

namespace qv::renderer {
namespace {

std::unique_ptr<SceneState> FreshGrid() {
    auto scene = std::make_unique<SceneState>();
    CrtRandom random;
    ResetSceneClocks(*scene, 0.0f);
    SetUpGrid(*scene, random);
    return scene;
}

TEST(SceneEdges, TwoZeroDrawsGiveATileTheDiagonalAxisWithoutAnExtraDraw) {
    // From this state the next two draws are both 0 (found by stepping the generator back
    // from a state whose bits 16..30 are clear).
    const std::uint32_t state = 0xC9C502CEu;
    CrtRandom probe(state);
    ASSERT_EQ(probe.Next(), 0);
    ASSERT_EQ(probe.Next(), 0);
    const int rateDraw = probe.Next();

    auto scene = std::make_unique<SceneState>();
    CrtRandom random(state);
    SetUpGrid(*scene, random);
    EXPECT_DOUBLE_EQ(scene->tileSpinAxis[0][0][0], std::sqrt(0.5));
    EXPECT_DOUBLE_EQ(scene->tileSpinAxis[0][0][1], std::sqrt(0.5));
    EXPECT_DOUBLE_EQ(scene->tileSpinRate[0][0], rateDraw / 32768.0 * 20.0 + 50.0);
}

TEST(SceneEdges, ATileWithoutASpinAxisFliesFlat) {
    auto scene = FreshGrid();
    scene->tileSpinAxis[3][4][0] = 0.0;
    scene->tileSpinAxis[3][4][1] = 0.0;
    TileDraw flying{3, 4, 0.5, -0.25, -3.0, true, 37.0};
    TileDraw resting = flying;
    resting.spinning = false;
    TileQuad turned, flat;
    PlaceTileQuad(*scene, flying, &turned);
    PlaceTileQuad(*scene, resting, &flat);
    for (int n = 0; n < 4; ++n)
        for (int r = 0; r < 3; ++r) EXPECT_EQ(turned.corner[n][r], flat.corner[n][r]) << n << " " << r;
    for (int r = 0; r < 3; ++r) EXPECT_EQ(turned.normal[r], flat.normal[r]) << r;
}

TEST(SceneEdges, ResettingTheClocksEndsAShatterInProgress) {
    auto scene = FreshGrid();
    scene->shattering = 1;
    scene->shatterStartTime = 4.2;
    ResetSceneClocks(*scene, 7.5f);
    EXPECT_EQ(scene->shattering, 0);
    EXPECT_EQ(scene->shatterStartTime, 0.0);
    EXPECT_EQ(scene->sceneStartTime, 7.5);
}

// The ripples from the written recipe: ripple n is e^-x sin x of
// x = tau * speed - delay - 5 d, with (speed, delay) = (10, 10), (20, 22), (20, 26), and d the
// distance of the tile's centre from the middle plus the tile's own half diagonal.
double ExpectedHeight(double tau, double x, double y) {
    const double d = std::sqrt(x * x + y * y + 2 * 0.05 * 0.05);
    auto ripple = [](double a) { return a < 0 ? 0.0 : std::exp(-a) * std::sin(a); };
    return -6.0 + ripple(tau * 10 - 10 - 5 * d) + ripple(tau * 20 - 22 - 5 * d) +
           ripple(tau * 20 - 26 - 5 * d);
}

TEST(SceneEdges, EachRippleRisesOnItsOwnScheduleAlsoInALaterCycle) {
    auto scene = FreshGrid();
    // A later cycle: the scene began at 20 s, so the ripples run on scene time.
    ResetSceneClocks(*scene, 20.0f);
    const int tiles[][2] = {{0, 0}, {24, 25}, {49, 10}, {37, 3}};
    for (double at : {1.0, 1.12, 1.2, 1.35, 1.6, 1.98, 2.17, 2.5, 2.75, 3.2}) {
        const float now = static_cast<float>(20.0 + at);
        const double tau = static_cast<double>(now) - 20.0;  // what the frame's clock holds
        ComputeWaveHeights(*scene, now);
        for (const auto& t : tiles) {
            const double* p = scene->tilePosition[t[0]][t[1]];
            EXPECT_NEAR(p[2], ExpectedHeight(tau, p[0], p[1]), 2e-5)
                << "tile " << t[0] << "," << t[1] << " at " << tau << " s";
        }
    }
}

TEST(SceneEdges, AWaveFrameChangesOnlyTheHeights) {
    auto scene = FreshGrid();
    const auto before = std::make_unique<SceneState>(*scene);
    ComputeWaveHeights(*scene, 1.5f);
    EXPECT_EQ(0, std::memcmp(scene->tileTexCoord, before->tileTexCoord, sizeof scene->tileTexCoord));
    EXPECT_EQ(0, std::memcmp(scene->tileSpinAxis, before->tileSpinAxis, sizeof scene->tileSpinAxis));
    for (int i = 0; i < kGridSize; ++i)
        for (int j = 0; j < kGridSize; ++j) {
            ASSERT_EQ(scene->tilePosition[i][j][0], before->tilePosition[i][j][0]);
            ASSERT_EQ(scene->tilePosition[i][j][1], before->tilePosition[i][j][1]);
        }
}

TEST(SceneEdges, ATileExactlyAtTheViewerIsGoneAndDrawsCarryTheTilesPlace) {
    auto scene = FreshGrid();
    scene->shattering = 1;
    scene->tilePosition[0][0][2] = 0.0;
    scene->tilePosition[0][1][2] = -1e-9;
    auto draws = std::make_unique<TileDraw[]>(kTileCount);
    const int drawn = AdvanceShatter(*scene, 1.0f, 0.0f, 0.0f, draws.get());
    EXPECT_EQ(drawn, kTileCount - 1);
    // The first listed tile is (0, 1): column by column, bottom row first.
    EXPECT_EQ(draws[0].i, 0);
    EXPECT_EQ(draws[0].j, 1);
    EXPECT_DOUBLE_EQ(draws[0].x, -2.45);
    EXPECT_DOUBLE_EQ(draws[0].y, -2.35);
    EXPECT_EQ(draws[0].z, -1e-9);
    const TileDraw& last = draws[drawn - 1];
    EXPECT_EQ(last.i, 49);
    EXPECT_EQ(last.j, 49);
    EXPECT_DOUBLE_EQ(last.x, 2.45);
    EXPECT_DOUBLE_EQ(last.y, 2.45);
}

TEST(SceneEdges, ASpinningTileTurnsByClockTimesRateTimesTenAndFliesBySpeedTimesDelta) {
    auto scene = FreshGrid();
    scene->shattering = 1;
    auto draws = std::make_unique<TileDraw[]>(kTileCount);
    // A front past every tile: all spin this frame.
    ASSERT_EQ(AdvanceShatter(*scene, 4.0f, 0.25f, 10.0f, draws.get()), kTileCount);
    for (int n : {0, 1234, kTileCount - 1}) {
        const TileDraw& d = draws[n];
        ASSERT_TRUE(d.spinning);
        EXPECT_DOUBLE_EQ(d.angleDegrees, 4.0 * scene->tileSpinRate[d.i][d.j] * 10.0);
        EXPECT_DOUBLE_EQ(scene->tilePosition[d.i][d.j][2], -6.0 + 0.25 * 3.0);
    }
}

TEST(SceneEdges, ARestingTileFacesTheViewer) {
    auto scene = FreshGrid();
    TileQuad q;
    PlaceTileQuad(*scene, TileDraw{1, 2, 0.0, 0.0, -6.0, false, 0.0}, &q);
    EXPECT_EQ(q.normal[0], 0.0);
    EXPECT_EQ(q.normal[1], 0.0);
    EXPECT_EQ(q.normal[2], -1.0);
}

TEST(ClockEdges, TheClockKeepsTheCounterOfItsLastFrame) {
    FrameClock clock;
    clock.Start(1000, 70);
    EXPECT_EQ(clock.perfNow, 70);
    clock.Tick(1070);
    EXPECT_EQ(clock.perfNow, 1070);
    EXPECT_EQ(clock.frameTime, 1.0f);
}

using test::AloSpec;
using test::MakeAlo;

TEST(AloEdges, SmallestPicturesAndAHeaderOfExactlyFourteenBytes) {
    AloSpec s;
    s.width = 1;
    s.height = -1;
    AloLayout l;
    const auto file = MakeAlo(s);
    ASSERT_EQ(CheckAlo(file.data(), file.size(), &l), AloReject::None);
    EXPECT_EQ(l.width, 1);
    EXPECT_EQ(l.height, -1);
    EXPECT_EQ(l.rowBytes, 4u);
    EXPECT_EQ(l.rows, 1u);

    AloLayout h;
    EXPECT_EQ(CheckAloFileHeader(file.data(), kAloFileHeaderSize, file.size(), &h), AloReject::None);
    EXPECT_EQ(h.pixelOffset, 54u);
}

}  // namespace
}  // namespace qv::renderer

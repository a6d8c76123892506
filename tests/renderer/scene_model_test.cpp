// The shatter scene's model, driven by an injected clock.
#include "renderer/scene/scene_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "handoff/handoff.h"
#include "renderer/pacing/frame_clock.h"

namespace qv::renderer {
namespace {

// Runs the scene the way the renderer's frame does, without drawing.
struct SceneRun {
    std::unique_ptr<SceneState> scene = std::make_unique<SceneState>();
    std::unique_ptr<TileDraw[]> draws = std::make_unique<TileDraw[]>(kTileCount);
    CrtRandom random;
    FrameClock clock;
    std::int64_t now = 0;
    int restarts = 0;
    float lastFront = 0.0f;
    int lastDrawn = 0;
    static constexpr std::int64_t kFrequency = 10'000'000;

    SceneRun() {
        clock.Start(kFrequency, 0);
        SetUp();
    }
    void SetUp() {
        ResetSceneClocks(*scene, clock.frameTime);
        SetUpGrid(*scene, random);
    }
    void FrameAt(double seconds) {
        now = static_cast<std::int64_t>(std::llround(seconds * kFrequency));
        clock.Tick(now);
        UpdatePhase(*scene, clock.frameTime);
        StartShatterIfDue(*scene, clock.frameTime);
        if (scene->shattering == 1) {
            lastFront = FrontRadius(clock.frameTime, scene->shatterStartTime);
            lastDrawn = AdvanceShatter(*scene, clock.frameTime, clock.frameDelta, lastFront, draws.get());
            if (lastDrawn == 0) {
                ++restarts;
                SetUp();
            }
        } else {
            ComputeWaveHeights(*scene, clock.frameTime);
        }
    }
    double Z(int i, int j) const { return scene->tilePosition[i][j][2]; }
    // Runs at a fixed frame rate until the first restart; returns that frame's time.
    double RunFirstCycle(double fps) {
        for (int n = 1; n < 100000; ++n) {
            FrameAt(n / fps);
            if (restarts > 0) return clock.frameTime;
        }
        return -1.0;
    }
};

TEST(CrtRandom, StartsFromStateOneAndYieldsFifteenBits) {
    CrtRandom r;
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int v : expected) EXPECT_EQ(r.Next(), v);
    CrtRandom s;
    EXPECT_DOUBLE_EQ(RandomScaled(s, 1.0), 41.0 / 32768.0);
    EXPECT_DOUBLE_EQ(RandomScaled(s, 20.0), 18467.0 / 32768.0 * 20.0);
}

TEST(SetUpGrid, LaysOutTilesTextureAndRandomValues) {
    SceneRun run;
    const SceneState& s = *run.scene;
    EXPECT_DOUBLE_EQ(s.tileHalfWidth, 0.05);
    EXPECT_DOUBLE_EQ(s.tileHalfHeight, 0.05);
    EXPECT_NEAR(s.tilePosition[0][0][0], -2.45, 1e-12);
    EXPECT_NEAR(s.tilePosition[0][0][1], -2.45, 1e-12);
    EXPECT_NEAR(s.tilePosition[49][0][0], 2.45, 1e-12);
    EXPECT_NEAR(s.tilePosition[0][49][1], 2.45, 1e-12);
    EXPECT_EQ(s.tilePosition[10][20][2], -6.0);
    EXPECT_DOUBLE_EQ(s.tileTexCoord[10][20][0], 0.2);
    EXPECT_DOUBLE_EQ(s.tileTexCoord[10][20][1], 0.4);

    // Tile (0, 0) takes the first three draws: axis 41, 18467 normalised; rate from 6334.
    const double ax = 41.0 / 32768.0, ay = 18467.0 / 32768.0;
    const float len = static_cast<float>(std::sqrt(ax * ax + ay * ay));
    EXPECT_DOUBLE_EQ(s.tileSpinAxis[0][0][0], ax / len);
    EXPECT_DOUBLE_EQ(s.tileSpinAxis[0][0][1], ay / len);
    EXPECT_DOUBLE_EQ(s.tileSpinRate[0][0], 6334.0 / 32768.0 * 20.0 + 50.0);
    // Column-major: tile (0, 1) comes next, with draws 4 to 6.
    EXPECT_DOUBLE_EQ(s.tileSpinRate[0][1], 15724.0 / 32768.0 * 20.0 + 50.0);

    for (int i = 0; i < kGridSize; ++i)
        for (int j = 0; j < kGridSize; ++j) {
            const double* a = s.tileSpinAxis[i][j];
            ASSERT_GE(a[0], 0.0);
            ASSERT_GE(a[1], 0.0);
            ASSERT_NEAR(a[0] * a[0] + a[1] * a[1], 1.0, 1e-6);
            ASSERT_GE(s.tileSpinRate[i][j], 50.0);
            ASSERT_LT(s.tileSpinRate[i][j], 70.0);
            ASSERT_EQ(s.tileSpeed[i][j], 3.0);
        }

    // Exactly three draws per tile, and a later set-up continues the sequence.
    CrtRandom reference;
    for (int n = 0; n < 3 * kTileCount; ++n) reference.Next();
    EXPECT_EQ(run.random.State(), reference.State());
}

TEST(SetUpGrid, TwoRunsDrawTheSameAxesAndRatesButLaterCyclesDiffer) {
    SceneRun a, b;
    EXPECT_EQ(0, std::memcmp(a.scene->tileSpinAxis, b.scene->tileSpinAxis, sizeof a.scene->tileSpinAxis));
    EXPECT_EQ(0, std::memcmp(a.scene->tileSpinRate, b.scene->tileSpinRate, sizeof a.scene->tileSpinRate));
    const double firstRate = a.scene->tileSpinRate[0][0];
    a.SetUp();
    EXPECT_NE(a.scene->tileSpinRate[0][0], firstRate);
}

TEST(DampedSine, IsZeroBeforeTheRippleAndPeaksNearQuarterPi) {
    EXPECT_EQ(DampedSine(-0.001f), 0.0);
    EXPECT_EQ(DampedSine(0.0f), 0.0);
    EXPECT_NEAR(DampedSine(0.7853982f), 0.3224, 1e-4);
    EXPECT_NEAR(DampedSine(2.0f), std::exp(-2.0) * std::sin(2.0), 1e-7);
}

TEST(Wave, FirstRippleReachesCentreAt1_05AndCornersAtAbout2_73) {
    SceneRun run;
    run.FrameAt(1.04);
    EXPECT_EQ(run.Z(24, 24), -6.0);
    EXPECT_EQ(run.Z(25, 25), -6.0);
    run.FrameAt(1.06);
    for (int i : {24, 25})
        for (int j : {24, 25}) EXPECT_GT(run.Z(i, j), -6.0) << i << "," << j;
    EXPECT_EQ(run.Z(0, 0), -6.0);

    // The faster second and third ripples passed the corners earlier; only their faint
    // tails remain when the first one arrives.
    run.FrameAt(2.72);
    EXPECT_NEAR(run.Z(0, 0), -6.0, 1e-4);
    EXPECT_NEAR(run.Z(49, 49), -6.0, 1e-4);
    run.FrameAt(2.74);
    for (int i : {0, 49})
        for (int j : {0, 49}) EXPECT_GT(run.Z(i, j), -6.0 + 0.03) << i << "," << j;
    EXPECT_EQ(run.scene->shattering, 0);
}

TEST(Wave, RipplesStayWithinTheirCrestAndDieAway) {
    SceneRun run;
    double highest = -100.0;
    for (double t = 0.01; t <= 3.5; t += 0.01) {
        run.FrameAt(t);
        for (int i = 0; i < kGridSize; ++i)
            for (int j = 0; j < kGridSize; ++j) highest = std::max(highest, run.Z(i, j));
    }
    EXPECT_GT(highest, -6.0 + 0.2);
    EXPECT_LT(highest, -6.0 + 3 * 0.3225);
    EXPECT_NEAR(run.Z(25, 25), -6.0, 1e-2);  // long passed at the centre
}

TEST(Shatter, FirstFrameFlattensAndStartsTheFrontAt0_015625) {
    SceneRun run;
    run.FrameAt(3.5);
    EXPECT_EQ(run.scene->shattering, 0) << "3.5 s itself is still the wave";
    run.FrameAt(3.52);
    ASSERT_EQ(run.scene->shattering, 1);
    EXPECT_FLOAT_EQ(run.lastFront, 0.015625f);
    EXPECT_NEAR(run.scene->shatterStartTime, 3.52 - 0.1, 1e-6);
    EXPECT_EQ(run.lastDrawn, kTileCount);
    for (int n = 0; n < kTileCount; ++n) {
        ASSERT_FALSE(run.draws[n].spinning);
        ASSERT_EQ(run.draws[n].z, -6.0);
    }
    SpriteCentre sprites[kRingSprites];
    ASSERT_EQ(RingSpriteCentres(run.lastFront, sprites), kRingSprites);
    for (const SpriteCentre& c : sprites) EXPECT_NEAR(std::hypot(c.x, c.y), 0.015625, 1e-6);
}

TEST(Shatter, TileStartsOnlyWhenTheFrontStrictlyExceedsItsDistance) {
    EXPECT_FALSE(FrontHasPassed(0.5f, 0.5, 0.0));
    EXPECT_FALSE(FrontHasPassed(0.5f, 0.0, -0.5));
    EXPECT_TRUE(FrontHasPassed(0.5f, 0.4999, 0.0));

    SceneRun run;
    run.FrameAt(3.52);
    // The central tiles (distance 0.0707) start once (1.25 s)^2 > 0.0707: s > 0.2127.
    run.FrameAt(3.52 + 0.11);  // shatter time 0.21
    EXPECT_FALSE(run.draws[0].spinning);
    for (int n = 0; n < run.lastDrawn; ++n) ASSERT_FALSE(run.draws[n].spinning);
    run.FrameAt(3.52 + 0.12);  // shatter time 0.22
    int spinning = 0;
    for (int n = 0; n < run.lastDrawn; ++n) spinning += run.draws[n].spinning;
    EXPECT_EQ(spinning, 4);
    // The drawn position is the one before this frame's move; the move follows.
    EXPECT_EQ(run.draws[24 * kGridSize + 24].z, -6.0);
    EXPECT_GT(run.Z(24, 24), -6.0);
}

TEST(TileQuad, RestingTileIsOnlyMovedToItsPlace) {
    SceneRun run;
    const TileDraw d{3, 4, 0.7, -0.2, -5.5, false, 0.0};
    TileQuad q;
    PlaceTileQuad(*run.scene, d, &q);
    const double expected[4][2] = {{0.65, -0.25}, {0.65, -0.15}, {0.75, -0.15}, {0.75, -0.25}};
    for (int n = 0; n < 4; ++n) {
        EXPECT_NEAR(q.corner[n][0], expected[n][0], 1e-12);
        EXPECT_NEAR(q.corner[n][1], expected[n][1], 1e-12);
        EXPECT_EQ(q.corner[n][2], -5.5);
    }
    EXPECT_EQ(q.normal[2], -1.0);
}

TEST(TileQuad, SpinningTileTurnsRigidlyAboutItsAxis) {
    SceneRun run;
    SceneState& s = *run.scene;
    s.tileSpinAxis[3][4][0] = 1.0;  // about x by a quarter turn: +y goes to +z
    s.tileSpinAxis[3][4][1] = 0.0;
    TileQuad q;
    PlaceTileQuad(s, TileDraw{3, 4, 0.0, 0.0, -5.0, true, 90.0}, &q);
    EXPECT_NEAR(q.corner[1][0], -0.05, 1e-12);
    EXPECT_NEAR(q.corner[1][1], 0.0, 1e-12);
    EXPECT_NEAR(q.corner[1][2], -5.0 + 0.05, 1e-12);
    EXPECT_NEAR(q.normal[1], 1.0, 1e-12);
    EXPECT_NEAR(q.normal[2], 0.0, 1e-12);

    // Any tile, any angle: same centre, same edge lengths, normal still of unit length.
    for (int n = 0; n < 200; ++n) {
        const int i = (n * 7) % kGridSize, j = (n * 13) % kGridSize;
        const TileDraw d{i, j, s.tilePosition[i][j][0], s.tilePosition[i][j][1], -4.0, true, n * 37.3};
        PlaceTileQuad(s, d, &q);
        double centre[3] = {0, 0, 0};
        for (const auto& c : q.corner)
            for (int k = 0; k < 3; ++k) centre[k] += c[k] / 4;
        EXPECT_NEAR(centre[0], d.x, 1e-12);
        EXPECT_NEAR(centre[1], d.y, 1e-12);
        EXPECT_NEAR(centre[2], d.z, 1e-12);
        auto dist = [&](int a, int b) {
            return std::sqrt(std::pow(q.corner[a][0] - q.corner[b][0], 2) +
                             std::pow(q.corner[a][1] - q.corner[b][1], 2) +
                             std::pow(q.corner[a][2] - q.corner[b][2], 2));
        };
        ASSERT_NEAR(dist(0, 1), 0.1, 1e-9);
        ASSERT_NEAR(dist(1, 2), 0.1, 1e-9);
        ASSERT_NEAR(dist(0, 2), 0.1 * std::sqrt(2.0), 1e-9);
        ASSERT_NEAR(std::hypot(q.normal[0], q.normal[1], q.normal[2]), 1.0, 1e-9);
    }
}

TEST(Ring, SpriteExactlyOnTheGridEdgeIsNotDrawn) {
    SpriteCentre sprites[kRingSprites];
    // At radius 2.5 the sprites at 0, 90, 180 and 270 degrees sit exactly on the edge.
    EXPECT_EQ(RingSpriteCentres(2.5f, sprites), kRingSprites - 4);
    EXPECT_GT(RingSpriteCentres(3.5f, sprites), 0);
    EXPECT_EQ(RingSpriteCentres(3.5356f, sprites), 0);
    EXPECT_EQ(RingSpriteCentres(40.0f, sprites), 0);
}

TEST(Cycle, LastsAbout6_9SecondsAtAnyFrameRate) {
    SceneRun slow, fast;
    const double slowEnd = slow.RunFirstCycle(10.0);
    const double fastEnd = fast.RunFirstCycle(200.0);
    EXPECT_NEAR(fastEnd, 6.89, 0.03);
    EXPECT_NEAR(slowEnd, fastEnd, 0.25);
}

TEST(Cycle, TilesFlyTheSameDistancePerSecondAtAnyFrameRate) {
    for (double fps : {10.0, 200.0}) {
        SceneRun run;
        // Corner tiles start about 1.39 s into the shatter; measure well after that.
        run.FrameAt(3.6);
        for (double t = 3.6; t < 5.4; t += 1.0 / fps) run.FrameAt(t);
        const double z0 = run.Z(0, 0), t0 = run.clock.frameTime;
        for (double t = t0 + 1.0 / fps; t < 6.2; t += 1.0 / fps) run.FrameAt(t);
        const double speed = (run.Z(0, 0) - z0) / (run.clock.frameTime - t0);
        EXPECT_NEAR(speed, 3.0, 1e-3) << fps << " frames per second";
    }
}

TEST(Cycle, RestartResetsClocksContinuesTheSequenceAndBeginsWithAWave) {
    SceneRun run;
    const double firstRate = run.scene->tileSpinRate[0][0];
    const double end = run.RunFirstCycle(60.0);
    ASSERT_GT(end, 0.0);
    EXPECT_EQ(run.lastDrawn, 0);
    EXPECT_EQ(run.scene->sceneStartTime, static_cast<float>(end));
    EXPECT_EQ(run.scene->shattering, 0);
    EXPECT_EQ(run.scene->shatterStartTime, 0.0);
    EXPECT_NE(run.scene->tileSpinRate[0][0], firstRate);
    EXPECT_EQ(run.Z(0, 0), -6.0);
    // Next frame: a wave frame of the new cycle, even though the old cycle's tiles had gone.
    run.FrameAt(end + 0.02);
    EXPECT_EQ(run.scene->shattering, 0);
    EXPECT_EQ(run.Z(30, 30), -6.0);
}

TEST(Cycle, SlowLoadingCountsAsSceneTime) {
    SceneRun run;
    run.clock.Tick(2 * SceneRun::kFrequency);  // a set-up that itself took until 2 s
    run.SetUp();
    run.FrameAt(5.4);
    EXPECT_EQ(run.scene->shattering, 0);
    run.FrameAt(5.6);
    EXPECT_EQ(run.scene->shattering, 1);
}

TEST(FrameClock, FirstFrameDeltaIsTheWholeTimeSinceTheZero) {
    FrameClock c;
    c.Start(1000, 5000);
    EXPECT_EQ(c.frameTime, 0.0f);
    c.Tick(5250);
    EXPECT_FLOAT_EQ(c.frameTime, 0.25f);
    EXPECT_FLOAT_EQ(c.frameDelta, 0.25f);
    c.Tick(5300);
    EXPECT_FLOAT_EQ(c.frameTime, 0.3f);
    EXPECT_FLOAT_EQ(c.frameDelta, 0.05f);
    // A 64-bit counter far from zero keeps its precision in the difference.
    FrameClock big;
    big.Start(10'000'000, (1LL << 60));
    big.Tick((1LL << 60) + 5'000'000);
    EXPECT_FLOAT_EQ(big.frameTime, 0.5f);
}

TEST(FrameClock, ZeroSizeFallsBackOtherValuesAreKept) {
    EXPECT_EQ(handoff::SizeOrDefault(0, 1024), 1024);
    EXPECT_EQ(handoff::SizeOrDefault(1366, 1024), 1366);
    EXPECT_EQ(handoff::SizeOrDefault(-5, 768), -5);
}

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

}  // namespace
}  // namespace qv::renderer

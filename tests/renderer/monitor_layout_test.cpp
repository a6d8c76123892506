// Several monitors: their order, the hand-off file's lines, the window over the virtual screen
// and each monitor's viewport in it, and the per-monitor scenes on one clock.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "handoff/monitor_layout.h"
#include "handoff_files.h"
#include "renderer/scene/monitor_scenes.h"

namespace qv::renderer {
namespace {

using namespace handoff;
using test::MonitorPictureFile;

MonitorLayout Layout(std::initializer_list<MonitorRect> rects) {
    MonitorLayout l;
    for (const MonitorRect& r : rects) l.monitors[l.count++] = r;
    return l;
}

TEST(MonitorLayout, PrimaryComesFirstAndTheRestLeftToRightThenTopToBottom) {
    const MonitorRect listed[] = {
        {1024, 0, 800, 600}, {-800, 0, 800, 600}, {0, 0, 1024, 768}, {0, -600, 800, 600}, {0, 768, 640, 480}};
    MonitorLayout l = OrderMonitors(listed, 5, 2);
    ASSERT_EQ(l.count, 5);
    EXPECT_EQ(l.monitors[0], (MonitorRect{0, 0, 1024, 768}));
    EXPECT_EQ(l.monitors[1], (MonitorRect{-800, 0, 800, 600}));
    EXPECT_EQ(l.monitors[2], (MonitorRect{0, -600, 800, 600}));
    EXPECT_EQ(l.monitors[3], (MonitorRect{0, 768, 640, 480}));
    EXPECT_EQ(l.monitors[4], (MonitorRect{1024, 0, 800, 600}));

    // Nothing marked as primary: the monitor at the origin is.
    l = OrderMonitors(listed, 3, -1);
    EXPECT_EQ(l.monitors[0], (MonitorRect{0, 0, 1024, 768}));
    EXPECT_EQ(OrderMonitors(listed, 0, -1).count, 0);
    // The system's primary is taken as it is named, and only the listed monitors are looked at.
    const MonitorRect offOrigin[] = {{-800, 0, 800, 600}, {0, 0, 1024, 768}, {0, 0, 1, 1}};
    EXPECT_EQ(OrderMonitors(offOrigin, 2, 0).monitors[0], offOrigin[0]);
    EXPECT_EQ(OrderMonitors(offOrigin, 2, -1).monitors[0], offOrigin[1]);
    // Monitors at the same place (mirrored) keep the system's order.
    const MonitorRect mirrored[] = {{0, 0, 1024, 768}, {1024, 0, 800, 600}, {1024, 0, 640, 480}};
    l = OrderMonitors(mirrored, 3, 0);
    EXPECT_EQ(l.monitors[1], mirrored[1]);
    EXPECT_EQ(l.monitors[2], mirrored[2]);

    // More monitors than the show takes: the primary stays, the rest are cut.
    MonitorRect many[kMaxMonitors + 4];
    for (int k = 0; k < kMaxMonitors + 4; ++k) many[k] = {k * 100 - 1000, 0, 100, 100};
    l = OrderMonitors(many, kMaxMonitors + 4, kMaxMonitors + 3);
    EXPECT_EQ(l.count, kMaxMonitors);
    EXPECT_EQ(l.monitors[0], many[kMaxMonitors + 3]);
}

TEST(MonitorLayout, HandOffFileReadsBackAndRejectsWhatIsNotFourNumbers) {
    const MonitorLayout l = Layout({{0, 0, 1024, 768}, {-800, -32, 800, 600}});
    EXPECT_EQ(MonitorLayoutText(l), "[Monitors]\r\nCount=2\r\n1=0 0 1024 768\r\n2=-800 -32 800 600\r\n");
    MonitorRect m;
    ASSERT_TRUE(ParseMonitorLine(MonitorLine(l.monitors[1]).c_str(), &m));
    EXPECT_EQ(m, l.monitors[1]);
    ASSERT_TRUE(ParseMonitorLine("  1024 0\t800 600 ", &m));
    EXPECT_EQ(m, (MonitorRect{1024, 0, 800, 600}));

    const MonitorRect before = m;
    for (const char* bad : {"", "1 2 3", "1 2 3 4 5", "1 2 0 4", "1 2 3 -4", "a 2 3 4", "1,2,3,4",
                            "99999999999 0 1 1", "1 2 3 4x", "- 2 3 4"})
        EXPECT_FALSE(ParseMonitorLine(bad, &m)) << '"' << bad << '"';
    EXPECT_EQ(m, before) << "a rejected line changes nothing";

    // Coordinates reach 2^20 either way and no further.
    ASSERT_TRUE(ParseMonitorLine("-1048576 1048576 1048576 1", &m));
    EXPECT_EQ(m, (MonitorRect{-1048576, 1048576, 1048576, 1}));
    EXPECT_FALSE(ParseMonitorLine("-1048577 0 1 1", &m));
    EXPECT_FALSE(ParseMonitorLine("0 0 1048577 1", &m));

    char path[kMonitorPathSize];
    MonitorPicturePath(0, path);
    EXPECT_STREQ(path, kDesktopPictureFile);
    MonitorPicturePath(1, path);
    EXPECT_EQ(path, MonitorPictureFile(2));
    MonitorPicturePath(kMaxMonitors - 1, path);
    EXPECT_EQ(path, MonitorPictureFile(16));
}

TEST(MonitorLayout, WindowCoversTheVirtualScreenAndEachViewportItsMonitor) {
    // Side by side, different sizes: the smaller monitor sits at the top of the window, and
    // OpenGL counts rows from the bottom.
    MonitorLayout l = Layout({{0, 0, 1024, 768}, {1024, 0, 800, 600}});
    MonitorRect window = VirtualBounds(l);
    EXPECT_EQ(window, (MonitorRect{0, 0, 1824, 768}));
    Viewport v = MonitorViewport(l.monitors[0], window);
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 0);
    EXPECT_EQ(v.width, 1024);
    EXPECT_EQ(v.height, 768);
    v = MonitorViewport(l.monitors[1], window);
    EXPECT_EQ(v.x, 1024);
    EXPECT_EQ(v.y, 168);
    EXPECT_EQ(v.width, 800);
    EXPECT_EQ(v.height, 600);

    // Left of the primary: negative coordinates.
    l = Layout({{0, 0, 1024, 768}, {-800, 0, 800, 600}});
    window = VirtualBounds(l);
    EXPECT_EQ(window, (MonitorRect{-800, 0, 1824, 768}));
    v = MonitorViewport(l.monitors[0], window);
    EXPECT_EQ(v.x, 800);
    EXPECT_EQ(v.y, 0);
    v = MonitorViewport(l.monitors[1], window);
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 168);

    // Stacked, the secondary above: the primary is the window's bottom part.
    l = Layout({{0, 0, 1024, 768}, {100, -600, 800, 600}});
    window = VirtualBounds(l);
    EXPECT_EQ(window, (MonitorRect{0, -600, 1024, 1368}));
    v = MonitorViewport(l.monitors[0], window);
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 0);
    EXPECT_EQ(v.height, 768);
    v = MonitorViewport(l.monitors[1], window);
    EXPECT_EQ(v.x, 100);
    EXPECT_EQ(v.y, 768);
    EXPECT_EQ(v.width, 800);
}

TEST(MonitorLayout, HandOffIsUsedOnlyWhenItFitsTheMonitorsThere) {
    const MonitorLayout two = Layout({{0, 0, 1024, 768}, {1024, 0, 800, 600}});
    const MonitorLayout swapped = Layout({{1024, 0, 800, 600}, {0, 0, 1024, 768}});
    EXPECT_TRUE(SameMonitors(two, swapped));

    MonitorLayout shown = ShowLayout(two, swapped, 1024, 768);
    ASSERT_EQ(shown.count, 2);
    EXPECT_EQ(shown.monitors[1], (MonitorRect{1024, 0, 800, 600}));

    auto primaryAlone = [](const MonitorLayout& l) {
        return l.count == 1 && l.monitors[0] == MonitorRect{0, 0, 1024, 768};
    };
    // No hand-off (one monitor, or an older saver): the primary alone, from Width and Height.
    EXPECT_TRUE(primaryAlone(ShowLayout(MonitorLayout{}, two, 1024, 768)));
    // A monitor came, went or moved since the saver looked.
    EXPECT_TRUE(primaryAlone(ShowLayout(two, Layout({{0, 0, 1024, 768}}), 1024, 768)));
    EXPECT_TRUE(primaryAlone(ShowLayout(two, Layout({{0, 0, 1024, 768}, {1024, 0, 800, 601}}), 1024, 768)));
    EXPECT_TRUE(primaryAlone(
        ShowLayout(two, Layout({{0, 0, 1024, 768}, {1024, 0, 800, 600}, {-640, 0, 640, 480}}), 1024, 768)));
    // The first listed must be the primary at the origin.
    EXPECT_TRUE(primaryAlone(ShowLayout(swapped, two, 1024, 768)));
    // Two monitors at one place are not the same as two distinct ones.
    EXPECT_FALSE(
        SameMonitors(Layout({{0, 0, 10, 10}, {0, 0, 10, 10}}), Layout({{0, 0, 10, 10}, {10, 0, 10, 10}})));
}

TEST(MonitorLayout, ShowEndsWhenItsMonitorsChange) {
    const MonitorLayout one = Layout({{0, 0, 1024, 768}});
    const MonitorLayout two = Layout({{0, 0, 1024, 768}, {1024, 0, 800, 600}});
    const MonitorLayout twoSwapped = Layout({{1024, 0, 800, 600}, {0, 0, 1024, 768}});
    // Several monitors shown: any change ends the show, the order the platform lists them in does not.
    EXPECT_FALSE(MonitorsChangedSince(two, two, twoSwapped));
    EXPECT_TRUE(MonitorsChangedSince(two, two, one));
    EXPECT_TRUE(MonitorsChangedSince(two, two, Layout({{0, 0, 1024, 768}, {-800, 0, 800, 600}})));
    EXPECT_TRUE(MonitorsChangedSince(two, two, Layout({{0, 0, 1280, 1024}, {1280, 0, 800, 600}})));
    // The primary alone, with one monitor there: a second one coming ends it, a new size does not.
    EXPECT_FALSE(MonitorsChangedSince(one, one, Layout({{0, 0, 1280, 1024}})));
    EXPECT_TRUE(MonitorsChangedSince(one, one, two));
    // The primary alone although two were there (no usable hand-off): it runs on while both stay.
    EXPECT_FALSE(MonitorsChangedSince(one, two, twoSwapped));
    EXPECT_TRUE(MonitorsChangedSince(one, two, one));
}

TEST(MonitorScenes, EachMonitorGetsItsViewportPictureAndOwnSpinsOnOneClock) {
    auto scenes = std::make_unique<MonitorScenes>();
    // Before anything is arranged: one scene, the primary's, as in a show on one monitor.
    EXPECT_EQ(scenes->count, 1);

    ArrangeMonitorScenes(*scenes, Layout({{0, 0, 1024, 768}, {-800, 0, 800, 600}}));
    ASSERT_EQ(scenes->count, 2);
    EXPECT_EQ(scenes->window, (MonitorRect{-800, 0, 1824, 768}));
    EXPECT_EQ(scenes->views[0].viewport.x, 800);
    EXPECT_EQ(scenes->views[1].viewport.x, 0);
    EXPECT_EQ(scenes->views[1].viewport.y, 168);
    EXPECT_STREQ(scenes->views[0].picturePath, kDesktopPictureFile);
    EXPECT_EQ(scenes->views[1].picturePath, MonitorPictureFile(2));

    ResetSceneClocks(*scenes, 2.0f);
    SetUpGrids(*scenes);

    // The primary's tiles are those of a show on one monitor; the other's spin otherwise.
    auto alone = std::make_unique<SceneState>();
    CrtRandom random;
    SetUpGrid(*alone, random);
    EXPECT_EQ(
        std::memcmp(alone->tileSpinAxis, scenes->views[0].scene.tileSpinAxis, sizeof alone->tileSpinAxis), 0);
    EXPECT_EQ(
        std::memcmp(alone->tileSpinRate, scenes->views[0].scene.tileSpinRate, sizeof alone->tileSpinRate), 0);
    EXPECT_NE(
        std::memcmp(alone->tileSpinAxis, scenes->views[1].scene.tileSpinAxis, sizeof alone->tileSpinAxis), 0);
    // Both lie over the whole grid: each monitor shows all of its own picture.
    for (int k = 0; k < 2; ++k) {
        const SceneState& s = scenes->views[k].scene;
        EXPECT_EQ(std::memcmp(alone->tilePosition, s.tilePosition, sizeof alone->tilePosition), 0);
        EXPECT_EQ(std::memcmp(alone->tileTexCoord, s.tileTexCoord, sizeof alone->tileTexCoord), 0);
        EXPECT_EQ(s.sceneStartTime, 2.0);
    }

    // One clock: the phase changes on every monitor in the same frame.
    UpdatePhases(*scenes, 5.5f);
    EXPECT_EQ(scenes->views[0].scene.shattering, 0);
    EXPECT_EQ(scenes->views[1].scene.shattering, 0);
    UpdatePhases(*scenes, 5.51f);
    EXPECT_EQ(scenes->views[0].scene.shattering, 1);
    EXPECT_EQ(scenes->views[1].scene.shattering, 1);
    ResetSceneClocks(*scenes, 9.0f);
    EXPECT_EQ(scenes->views[1].scene.shattering, 0);
    EXPECT_EQ(scenes->views[1].scene.sceneStartTime, 9.0);
}

TEST(MonitorScenes, AsManyMonitorsAsTheShowTakesFillEveryView) {
    MonitorLayout l;
    for (int k = 0; k < kMaxMonitors; ++k) l.monitors[l.count++] = {k * 640, 0, 640, 480};
    auto scenes = std::make_unique<MonitorScenes>();
    ArrangeMonitorScenes(*scenes, l);
    ASSERT_EQ(scenes->count, kMaxMonitors);
    const MonitorScene& last = scenes->views[kMaxMonitors - 1];
    EXPECT_EQ(last.viewport.x, (kMaxMonitors - 1) * 640);
    EXPECT_EQ(last.viewport.width, 640);
    EXPECT_EQ(last.picturePath, MonitorPictureFile(16));
}

}  // namespace
}  // namespace qv::renderer

// The scene's arithmetic, without drawing: control grids, spin and key steps.
#include "ControlGrid.h"
#include "SceneMath.h"
#include "SceneRenderer.h"
#include "SceneTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Point {
    float x, y, z;
};

// Control point (i, j): i runs down from the top edge, j left from the right edge.
Point P(const scene::ControlPoints& g, int i, int j)
{
    const float* p = &g[static_cast<size_t>(3 * i + 9 * j)];
    return {p[0], p[1], p[2]};
}

// Depth of the patch's centre: the quadratic Bernstein weights at 1/2 are 1/4, 1/2, 1/4.
float meshCentreZ(const scene::ControlPoints& g)
{
    const float w[3] = {0.25f, 0.5f, 0.25f};
    float z = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            z += w[i] * w[j] * P(g, i, j).z;
    return z;
}

scene::ControlPoints gridFor(int mode, int w, int h, int depth, std::array<int, 8> free = {})
{
    scene::ControlPoints g{};
    EXPECT_TRUE(scene::fillControlGrid(g, {static_cast<SurfaceMode>(mode), depth, free}, w, h));
    return g;
}

}  // namespace

// Modes 1 to 4 at depth 250: the corners in the picture's plane at the integer half sides
// (a 641 by 481 video spans -320..320 by -240..240), the edge middles and the centre bent each
// mode's way, and the patch's centre where the quadratic blend puts it (mode 1: -187.5).
TEST(ControlGrid, PresetModes)
{
    struct Row {
        int mode, w, h;
        float sides, topBottom, centre, meshCentre;
    };
    const float d = 250;
    for (const Row& r : {Row{1, 640, 480, -d, -d, -d, -187.5f}, Row{2, 640, 480, d, -d, d, 62.5f},
                         Row{3, 640, 480, -d, d, -d, -62.5f}, Row{4, 640, 480, d, d, d, 187.5f},
                         Row{1, 641, 481, -d, -d, -d, -187.5f}}) {
        SCOPED_TRACE("mode " + std::to_string(r.mode) + " width " + std::to_string(r.w));
        const auto g = gridFor(r.mode, r.w, r.h, int(d));
        for (int i : {0, 2})
            for (int j : {0, 2}) {
                EXPECT_FLOAT_EQ(P(g, i, j).x, j == 0 ? r.w / 2 : -(r.w / 2));
                EXPECT_FLOAT_EQ(P(g, i, j).y, i == 0 ? r.h / 2 : -(r.h / 2));
                EXPECT_FLOAT_EQ(P(g, i, j).z, 0.0f);
            }
        EXPECT_FLOAT_EQ(P(g, 1, 0).z, r.sides);
        EXPECT_FLOAT_EQ(P(g, 1, 2).z, r.sides);
        EXPECT_FLOAT_EQ(P(g, 0, 1).z, r.topBottom);
        EXPECT_FLOAT_EQ(P(g, 2, 1).z, r.topBottom);
        EXPECT_FLOAT_EQ(P(g, 1, 1).z, r.centre);
        EXPECT_FLOAT_EQ(meshCentreZ(g), r.meshCentre);
    }
    EXPECT_EQ(scene::flatPictureShift(641), -320);
    EXPECT_EQ(scene::flatPictureShift(480), -240);
    // 480 units high: one unit per pixel exactly for 480 lines; a 1080-line picture shifted by
    // -960 pixels is 426.67 units left of the axis; no height gives no scaling.
    EXPECT_EQ(scene::flatPictureScale(480), 1.0f);
    EXPECT_FLOAT_EQ(scene::flatPictureScale(1080) * 1080, 480.0f);
    EXPECT_FLOAT_EQ(scene::flatPictureShift(1920) * scene::flatPictureScale(1080), -1280.0f / 3);
    EXPECT_FLOAT_EQ(scene::flatPictureScale(120), 4.0f);
    EXPECT_EQ(scene::flatPictureScale(0), 1.0f);
}

// Mode 6 places each of the eight free values at its own rim point, the centre following the
// bottom middle; all at 1000 give a flat patch.
TEST(ControlGrid, FreeFormPointsFollowTheirValues)
{
    const auto g = gridFor(6, 640, 480, 0, {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008});
    struct Row {
        int i, j;
        float x, y, z;
    };
    for (const Row& r : {Row{0, 2, -320, 240, 1},   // top-left
                         Row{0, 1, 0, 240, 2},      // top middle
                         Row{0, 0, 320, 240, 3},    // top-right
                         Row{1, 0, 320, 0, 4},      // right middle
                         Row{2, 0, 320, -240, 5},   // bottom-right
                         Row{2, 1, 0, -240, 6},     // bottom middle
                         Row{2, 2, -320, -240, 7},  // bottom-left
                         Row{1, 2, -320, 0, 8},     // left middle
                         Row{1, 1, 0, 0, 6}}) {     // centre
        SCOPED_TRACE(std::to_string(r.i) + "," + std::to_string(r.j));
        EXPECT_FLOAT_EQ(P(g, r.i, r.j).x, r.x);
        EXPECT_FLOAT_EQ(P(g, r.i, r.j).y, r.y);
        EXPECT_FLOAT_EQ(P(g, r.i, r.j).z, r.z);
    }
    const auto flat = gridFor(6, 640, 480, 0, {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000});
    for (int k = 0; k < 9; ++k)
        EXPECT_FLOAT_EQ(flat[size_t(3 * k + 2)], 0.0f);
}

// Renderer: modes 0 and 5 keep the grid, modes and shapes out of range change nothing, and a
// grid built before any video is degenerate.
TEST(BuildSurface, ModesThatKeepTheGrid)
{
    MediaSession media;
    SceneRenderer r(media);
    r.BuildSurface({SurfaceMode::Bethel1, 250});
    EXPECT_EQ(r.surfaceMode(), SurfaceMode::Bethel1);
    for (int k = 0; k < 18; ++k)  // no video: x = 0 and y = 0
        EXPECT_FLOAT_EQ(r.controlGrid()[size_t(3 * (k / 2) + k % 2)], 0.0f);
    const auto dish = r.controlGrid();
    r.BuildSurface({SurfaceMode::None, 999});
    EXPECT_EQ(r.surfaceMode(), SurfaceMode::None);
    r.BuildSurface({SurfaceMode::Normal, 3});
    EXPECT_EQ(r.surfaceMode(), SurfaceMode::Normal);
    EXPECT_EQ(r.controlGrid(), dish);
    for (int bad : {7, -1, 100}) {
        r.BuildSurface({static_cast<SurfaceMode>(bad), 700, {5, 5, 5, 5, 5, 5, 5, 5}});
        EXPECT_EQ(r.surfaceMode(), SurfaceMode::Normal);
        EXPECT_EQ(r.controlGrid(), dish);
    }
    r.SetShapeKind(ShapeKind::Cylinder);
    r.SetShapeKind(static_cast<ShapeKind>(5));
    r.SetShapeKind(static_cast<ShapeKind>(-1));
    EXPECT_EQ(r.shapeKind(), ShapeKind::Cylinder);
}

// Step 7 from 0 runs 0, 7, ..., 357, then 4; a stopped spin keeps its angle.
TEST(Spin, StepsAndWraps)
{
    int angle = 0;
    for (int frame = 0; frame < 51; ++frame)
        angle = scene::wrapSpin(scene::advanceSpin(angle, 1, 7));
    EXPECT_EQ(angle, 357);
    EXPECT_EQ(scene::wrapSpin(scene::advanceSpin(angle, 1, 7)), 4);
    EXPECT_EQ(scene::wrapSpin(scene::advanceSpin(123, 0, 7)), 123);
    EXPECT_EQ(scene::wrapSpin(359 + 10), 9);
}

// The arrow keys through the renderer: yaw wraps through zero keeping its sign, depth stops
// at its limits, opposite keys cancel, a tap counts once.
TEST(ArrowKeys, YawAndDepthLimits)
{
    scenetest::TestKeys keys;
    MediaSession media;
    SceneRenderer r(media, &keys);
    // Holds `key` for `polls` reads and returns the value after each.
    auto holdFor = [&](ArrowKey key, int polls, int (SceneRenderer::*value)() const) {
        std::vector<int> seen;
        keys.hold(key);
        for (int i = 0; i < polls; ++i) {
            r.PollArrowKeys();
            seen.push_back((r.*value)());
        }
        keys.releaseAll();
        return seen;
    };
    const auto yaws = holdFor(ArrowKey::Left, 180, &SceneRenderer::yawDegrees);
    EXPECT_EQ(yaws.front(), -2);
    EXPECT_EQ(yaws[178], -358);
    EXPECT_EQ(yaws[179], 0);
    const auto depths = holdFor(ArrowKey::Up, 27, &SceneRenderer::depthOffset);
    EXPECT_EQ(depths[23], 48);
    EXPECT_EQ(depths[24], 50);
    EXPECT_EQ(depths[26], 50);
    EXPECT_EQ(holdFor(ArrowKey::Down, 100, &SceneRenderer::depthOffset).back(), -100);

    keys.hold(ArrowKey::Right);
    keys.hold(ArrowKey::Left);
    r.PollArrowKeys();
    EXPECT_EQ(r.yawDegrees(), 0);
    keys.releaseAll();
    keys.tap(ArrowKey::Right);
    r.PollArrowKeys();
    r.PollArrowKeys();
    EXPECT_EQ(r.yawDegrees(), 2);
}

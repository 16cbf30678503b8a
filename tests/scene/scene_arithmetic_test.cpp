// The scene's arithmetic, without drawing: control grids, spin and key steps, the flat
// picture's placement and the recorded viewport.
#include "ControlGrid.h"
#include "SceneMath.h"
#include "SceneRenderer.h"
#include "SceneTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

struct Point {
    float x, y, z;
};

Point P(const scene::ControlPoints& g, int i, int j)
{
    const float* p = &g[static_cast<size_t>(3 * i + 9 * j)];
    return {p[0], p[1], p[2]};
}

// The patch's point at (u, v), both 0 to 1, with the quadratic Bernstein weights.
Point patchAt(const scene::ControlPoints& g, double u, double v)
{
    const double bu[3] = {(1 - u) * (1 - u), 2 * u * (1 - u), u * u};
    const double bv[3] = {(1 - v) * (1 - v), 2 * v * (1 - v), v * v};
    double x = 0, y = 0, z = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point p = P(g, i, j);
            x += bu[i] * bv[j] * p.x;
            y += bu[i] * bv[j] * p.y;
            z += bu[i] * bv[j] * p.z;
        }
    return {float(x), float(y), float(z)};
}

scene::ControlPoints gridFor(int mode, int w, int h, int depth, std::array<int, 8> free = {})
{
    scene::ControlPoints g{};
    scene::SurfaceValues values;
    values.depth = depth;
    values.free = free;
    EXPECT_TRUE(scene::fillControlGrid(g, mode, w, h, values));
    return g;
}

}  // namespace

// Mode 1 at 640 by 480, depth 250: a dish with its corners in the picture's plane.
TEST(ControlGrid, DishCornersMiddlesAndMeshCentre)
{
    const auto g = gridFor(1, 640, 480, 250);
    for (int i : {0, 2})
        for (int j : {0, 2}) {
            const Point p = P(g, i, j);
            EXPECT_FLOAT_EQ(std::abs(p.x), 320.0f);
            EXPECT_FLOAT_EQ(std::abs(p.y), 240.0f);
            EXPECT_FLOAT_EQ(p.z, 0.0f);
        }
    // Right edge first (j = 0), top edge first (i = 0).
    EXPECT_FLOAT_EQ(P(g, 0, 0).x, 320.0f);
    EXPECT_FLOAT_EQ(P(g, 0, 0).y, 240.0f);
    for (auto [i, j] : {std::pair{1, 0}, {1, 2}, {0, 1}, {2, 1}, {1, 1}})
        EXPECT_FLOAT_EQ(P(g, i, j).z, -250.0f) << i << "," << j;
    EXPECT_FLOAT_EQ(patchAt(g, 0.5, 0.5).z, -187.5f);
    EXPECT_FLOAT_EQ(patchAt(g, 0.5, 0.5).x, 0.0f);
}

// Modes 2 to 4 bend the sides, the top and bottom and the centre each their own way.
TEST(ControlGrid, PresetCurvatureSigns)
{
    struct Expect {
        int mode;
        float sides, topBottom, centre, meshCentre;
    };
    const float d = 100;
    for (const Expect& e : {Expect{2, d, -d, d, 25}, Expect{3, -d, d, -d, -25},
                            Expect{4, d, d, d, 75}}) {
        const auto g = gridFor(e.mode, 320, 240, int(d));
        EXPECT_FLOAT_EQ(P(g, 1, 0).z, e.sides) << e.mode;
        EXPECT_FLOAT_EQ(P(g, 1, 2).z, e.sides) << e.mode;
        EXPECT_FLOAT_EQ(P(g, 0, 1).z, e.topBottom) << e.mode;
        EXPECT_FLOAT_EQ(P(g, 2, 1).z, e.topBottom) << e.mode;
        EXPECT_FLOAT_EQ(P(g, 1, 1).z, e.centre) << e.mode;
        EXPECT_FLOAT_EQ(P(g, 0, 0).z, 0.0f) << e.mode;
        EXPECT_FLOAT_EQ(patchAt(g, 0.5, 0.5).z, e.meshCentre) << e.mode;
    }
}

// Mode 6 places each of the eight free values at its own rim point; the centre follows the
// bottom middle.
TEST(ControlGrid, FreeFormPointsFollowTheirValues)
{
    const auto g = gridFor(6, 640, 480, 0, {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008});
    struct Expect {
        float x, y, z;
    };
    const std::pair<std::pair<int, int>, Expect> table[] = {
        {{0, 2}, {-320, 240, 1}},  // top-left
        {{0, 1}, {0, 240, 2}},     // top middle
        {{0, 0}, {320, 240, 3}},   // top-right
        {{1, 0}, {320, 0, 4}},     // right middle
        {{2, 0}, {320, -240, 5}},  // bottom-right
        {{2, 1}, {0, -240, 6}},    // bottom middle
        {{2, 2}, {-320, -240, 7}}, // bottom-left
        {{1, 2}, {-320, 0, 8}},    // left middle
        {{1, 1}, {0, 0, 6}},       // centre
    };
    for (const auto& [ij, e] : table) {
        const Point p = P(g, ij.first, ij.second);
        EXPECT_FLOAT_EQ(p.x, e.x) << ij.first << "," << ij.second;
        EXPECT_FLOAT_EQ(p.y, e.y) << ij.first << "," << ij.second;
        EXPECT_FLOAT_EQ(p.z, e.z) << ij.first << "," << ij.second;
    }
}

// All free values at 1000 give a flat patch the shape of the flat picture.
TEST(ControlGrid, FreeFormAtRestIsFlat)
{
    const auto g = gridFor(6, 640, 480, 0, {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000});
    for (int k = 0; k < 9; ++k)
        EXPECT_FLOAT_EQ(g[size_t(3 * k + 2)], 0.0f);
    EXPECT_FLOAT_EQ(patchAt(g, 0.25, 0.25).x, 160.0f);  // a quarter in from the right
    EXPECT_FLOAT_EQ(patchAt(g, 0.25, 0.25).y, 120.0f);  // a quarter down from the top
}

// Half sizes are integer halves: a 641 by 481 video spans -320..320 by -240..240.
TEST(ControlGrid, OddSizesUseIntegerHalves)
{
    const auto g = gridFor(1, 641, 481, 10);
    EXPECT_FLOAT_EQ(P(g, 0, 0).x, 320.0f);
    EXPECT_FLOAT_EQ(P(g, 2, 2).y, -240.0f);
    EXPECT_EQ(scene::flatPictureShift(641), -320);
    EXPECT_EQ(scene::flatPictureShift(480), -240);
}

// Renderer: modes 0 and 5 keep the grid, modes out of range change nothing, and a grid built
// before any video is degenerate.
TEST(BuildSurface, ModesThatKeepTheGrid)
{
    SceneRenderer r;
    r.BuildSurface(1, 250, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(r.surfaceMode(), 1);
    for (int k = 0; k < 9; ++k) {
        EXPECT_FLOAT_EQ(r.controlGrid()[size_t(3 * k)], 0.0f);      // no video: x = 0
        EXPECT_FLOAT_EQ(r.controlGrid()[size_t(3 * k + 1)], 0.0f);  // and y = 0
    }
    const auto dish = r.controlGrid();
    r.BuildSurface(5, 999, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(r.surfaceMode(), 5);
    r.BuildSurface(0, 3, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(r.surfaceMode(), 0);
    EXPECT_EQ(r.controlGrid(), dish);
    for (int bad : {7, -1, 100}) {
        r.BuildSurface(bad, 700, 5, 5, 5, 5, 5, 5, 5, 5);
        EXPECT_EQ(r.surfaceMode(), 0);
        EXPECT_EQ(r.controlGrid(), dish);
    }
    r.SetShapeKind(3);
    r.SetShapeKind(5);
    r.SetShapeKind(-1);
    EXPECT_EQ(r.shapeKind(), 3);
}

// Step 7 from 0 runs 0, 7, ..., 357, then 4; a stopped spin keeps its angle.
TEST(Spin, StepsAndWraps)
{
    int angle = 0;
    std::vector<int> seen;
    for (int frame = 0; frame < 53; ++frame) {
        seen.push_back(angle);
        angle = scene::wrapSpin(scene::advanceSpin(angle, 1, 7));
    }
    EXPECT_EQ(seen[51], 357);
    EXPECT_EQ(seen[52], 4);
    EXPECT_EQ(scene::wrapSpin(scene::advanceSpin(123, 0, 7)), 123);
    EXPECT_EQ(scene::wrapSpin(359 + 10), 9);
}

// The arrow keys through the renderer: yaw wraps through zero keeping its sign, depth stops
// at its limits, opposite keys cancel, a tap counts once.
TEST(ArrowKeys, YawAndDepthLimits)
{
    scenetest::TestKeys keys;
    SceneRenderer r(&keys);
    keys.hold(ArrowKey::Left);
    std::vector<int> yaws;
    for (int i = 0; i < 180; ++i) {
        r.PollArrowKeys();
        yaws.push_back(r.yawDegrees());
    }
    EXPECT_EQ(yaws.front(), -2);
    EXPECT_EQ(yaws[178], -358);
    EXPECT_EQ(yaws[179], 0);
    keys.releaseAll();

    keys.hold(ArrowKey::Up);
    std::vector<int> depths;
    for (int i = 0; i < 27; ++i) {
        r.PollArrowKeys();
        depths.push_back(r.depthOffset());
    }
    EXPECT_EQ(depths[23], 48);
    EXPECT_EQ(depths[24], 50);
    EXPECT_EQ(depths[26], 50);
    keys.releaseAll();

    keys.hold(ArrowKey::Down);
    for (int i = 0; i < 100; ++i)
        r.PollArrowKeys();
    EXPECT_EQ(r.depthOffset(), -100);
    keys.releaseAll();

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

// The recorded rectangle ignores the origin; a height of 0 or less records an empty one and
// the projection's aspect stays finite.
TEST(Viewport, RecordedRectangleAndGuard)
{
    SceneRenderer r;
    EXPECT_TRUE(r.viewportRect().isEmpty());
    r.SetViewport(340, 310, 320, 240);
    EXPECT_EQ(r.viewportRect().left, 0);
    EXPECT_EQ(r.viewportRect().top, 0);
    EXPECT_EQ(r.viewportRect().right, 320);
    EXPECT_EQ(r.viewportRect().bottom, 240);
    r.SetViewport(0, 60, 800, -20);
    EXPECT_TRUE(r.viewportRect().isEmpty());
    for (auto [w, h] : {std::pair{800, 0}, {800, -20}, {0, 0}, {-5, 100}}) {
        const double aspect = scene::viewportAspect(w, h);
        EXPECT_TRUE(std::isfinite(aspect) && aspect > 0) << w << "x" << h;
    }
    EXPECT_DOUBLE_EQ(scene::viewportAspect(640, 480), 4.0 / 3.0);
}

#include "ControlGrid.h"

#include <cstddef>

namespace scene {

const std::array<float, 8> kTextureCorners = {
    1.0f, 1.0f,  // T(0, 0): top-right
    1.0f, 0.0f,  // T(1, 0): bottom-right
    0.0f, 1.0f,  // T(0, 1): top-left
    0.0f, 0.0f,  // T(1, 1): bottom-left
};

namespace {

// z of each point P(i, j), indexed [i][j].
using Depths = std::array<std::array<float, 3>, 3>;

Depths presetDepths(SurfaceMode mode, float d)
{
    // Edge middles: left/right are P(1, 0) and P(1, 2), top/bottom are P(0, 1) and P(2, 1).
    float sides = 0, topBottom = 0, centre = 0;
    switch (mode) {
    case SurfaceMode::Bethel1: sides = -d; topBottom = -d; centre = -d; break;  // dish
    case SurfaceMode::Bethel2: sides = d;  topBottom = -d; centre = d;  break;
    case SurfaceMode::Bethel3: sides = -d; topBottom = d;  centre = -d; break;
    case SurfaceMode::Bethel4: sides = d;  topBottom = d;  centre = d;  break;  // dome
    default: break;
    }
    return {{{0, topBottom, 0}, {sides, centre, sides}, {0, topBottom, 0}}};
}

Depths freeDepths(const std::array<int, 8>& p)
{
    auto z = [&](int index) { return static_cast<float>(p[index] - 1000); };
    // Columns run right (j = 0) to left (j = 2), rows top (i = 0) to bottom (i = 2).
    return {{{z(2), z(1), z(0)},    // top-right, top middle, top-left
             {z(3), z(5), z(7)},    // right middle, centre (follows the bottom middle), left
             {z(4), z(5), z(6)}}};  // bottom-right, bottom middle, bottom-left
}

}  // namespace

bool fillControlGrid(ControlPoints& grid, const SurfaceSettings& surface, int videoWidth,
                     int videoHeight)
{
    if (!drawsMesh(surface.mode))
        return false;
    const float hw = static_cast<float>(videoWidth / 2);
    const float hh = static_cast<float>(videoHeight / 2);
    const float xs[3] = {hw, 0.0f, -hw};
    const float ys[3] = {hh, 0.0f, -hh};
    const Depths z = surface.mode == SurfaceMode::Freedom
                         ? freeDepths(surface.freedom)
                         : presetDepths(surface.mode, static_cast<float>(surface.depth));
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            float* point = &grid[static_cast<std::size_t>(3 * i + 9 * j)];
            point[0] = xs[j];
            point[1] = ys[i];
            point[2] = z[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
        }
    }
    return true;
}

}  // namespace scene

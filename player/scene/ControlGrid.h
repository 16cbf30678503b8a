// Control points of the curved surfaces: one biquadratic Bezier patch of 3 by 3 points over
// the video's rectangle. Point P(i, j) starts at float 3i + 9j; i runs from the top edge to
// the bottom edge, j from the right edge to the left edge.
#pragma once

#include <array>

namespace scene {

using ControlPoints = std::array<float, 27>;

struct SurfaceValues {
    int depth = 250;                 // modes 1 to 4
    std::array<int, 8> free{};       // mode 6: top-left, top, top-right, right, bottom-right,
                                     // bottom, bottom-left, left; 1000 is the picture's plane
};

// Texture co-ordinates at the patch's corners: T(i, j) at float 2i + 4j.
extern const std::array<float, 8> kTextureCorners;

constexpr bool isSurfaceMode(int mode) { return mode >= 0 && mode <= 6; }
constexpr bool drawsMesh(int mode) { return (mode >= 1 && mode <= 4) || mode == 6; }

// Fills grid for the mode from the video size and the values. Modes 0 and 5 and modes out of
// range leave grid as it was. Returns whether grid was rewritten.
bool fillControlGrid(ControlPoints& grid, int mode, int videoWidth, int videoHeight,
                     const SurfaceValues& values);

}  // namespace scene

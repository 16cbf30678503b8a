// Control points of the curved surfaces: one biquadratic Bezier patch of 3 by 3 points over
// the video's rectangle. Point P(i, j) starts at float 3i + 9j; i runs from the top edge to
// the bottom edge, j from the right edge to the left edge.
#pragma once

#include "SceneTypes.h"

#include <array>

namespace scene {

using ControlPoints = std::array<float, 27>;

// Texture co-ordinates at the patch's corners: T(i, j) at float 2i + 4j.
extern const std::array<float, 8> kTextureCorners;

// Fills grid for the surface from the video size. Surfaces without a mesh (Normal, None and
// modes out of range) leave grid as it was. Returns whether grid was rewritten.
bool fillControlGrid(ControlPoints& grid, const SurfaceSettings& surface, int videoWidth,
                     int videoHeight);

}  // namespace scene

// The cube: edge 20, centred on the origin, six faces that each show the whole video frame.
#pragma once

#include <array>

namespace scene {

struct CubeVertex {
    float s, t;     // texture co-ordinate
    float x, y, z;  // position
};

// 24 vertices, four per face in drawing order: front, back, top, bottom, right, left.
extern const std::array<CubeVertex, 24> kCubeVertices;

}  // namespace scene

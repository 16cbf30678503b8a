// What the scene is asked to draw: the surface the picture lies on and the shape beside it.
// The numbers are the order in which the control panel lists the choices.
#pragma once

#include <array>

enum class SurfaceMode {
    Normal = 0,  // the flat picture
    Bethel1,     // curved screens of one depth each
    Bethel2,
    Bethel3,
    Bethel4,
    None,        // nothing drawn but the shape
    Freedom,     // "Freedom to adjust": eight rim points set one by one
};

enum class ShapeKind { Flat = 0, Cube, Sphere, Cylinder, Taper };

// A surface as the control panel sends it, passed whole down to the scene.
struct SurfaceSettings {
    SurfaceMode mode = SurfaceMode::Normal;
    int depth = 250;  // the curvature of Bethel 1 to 4
    // Freedom: top-left, top, top-right, right, bottom-right, bottom, bottom-left, left;
    // 1000 is the picture's plane.
    std::array<int, 8> freedom{};

    bool operator==(const SurfaceSettings&) const = default;
};

constexpr bool isSurfaceMode(SurfaceMode mode)
{
    return mode >= SurfaceMode::Normal && mode <= SurfaceMode::Freedom;
}

constexpr bool isShapeKind(ShapeKind kind)
{
    return kind >= ShapeKind::Flat && kind <= ShapeKind::Taper;
}

// Whether the surface is a Bezier mesh (Bethel 1 to 4 and Freedom).
constexpr bool drawsMesh(SurfaceMode mode)
{
    return (mode >= SurfaceMode::Bethel1 && mode <= SurfaceMode::Bethel4) ||
           mode == SurfaceMode::Freedom;
}

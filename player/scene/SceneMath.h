// The scene's arithmetic without any GL: the values the arrow keys and the shape's rotation
// step through, the placement of the flat picture and of the curved surfaces, and the aspect
// ratio of the projection.
#pragma once

#include "SceneTypes.h"

namespace scene {

constexpr int kYawStep = 2;         // degrees per frame while a left or right arrow counts
constexpr int kDepthStep = 2;       // scene units per frame while an up or down arrow counts
constexpr int kDepthNearLimit = 50;
constexpr int kDepthFarLimit = -100;
constexpr int kPictureDistance = 550;  // the flat picture's distance from the eye

// Yaw after turning by delta degrees; stays within -358..358 (the remainder keeps the sign).
constexpr int turnYaw(int yaw, int delta) { return (yaw + delta) % 360; }

// Depth offset after moving by delta units, held within kDepthFarLimit..kDepthNearLimit.
constexpr int moveDepth(int depth, int delta)
{
    const int moved = depth + delta;
    if (moved >= kDepthNearLimit)
        return kDepthNearLimit;
    if (moved <= kDepthFarLimit)
        return kDepthFarLimit;
    return moved;
}

// Spin angle after one frame in which a shape was drawn.
constexpr int advanceSpin(int degrees, int enabled, int step)
{
    return enabled != 0 ? degrees + step : degrees;
}

// Keeps the spin angle within one turn (357 + 7 gives 4).
constexpr int wrapSpin(int degrees) { return degrees >= 360 ? degrees % 360 : degrees; }

// Offset that centres the flat picture on the view axis (integer halves, toward zero), in
// video pixels.
constexpr int flatPictureShift(int size) { return size / -2; }

// A flat picture no wider than the view is this many scene units high, its width by its
// aspect ratio: the view shows about 456 units at the picture's distance, so it fills the view
// as a 640 by 480 one does in a 4:3 view.
constexpr int kFlatPictureHeight = 480;

// The flat picture's height in scene units for a picture of pictureAspect (width over height
// as it is seen) in a view of viewAspect: kFlatPictureHeight while the picture is no wider
// than the view; a wider one keeps the width a picture of the view's own shape has, so all
// of it shows, with black above and below. kFlatPictureHeight when either is unknown.
constexpr float flatPictureHeight(double pictureAspect, double viewAspect)
{
    if (!(pictureAspect > 0.0) || !(viewAspect > 0.0) || pictureAspect <= viewAspect)
        return static_cast<float>(kFlatPictureHeight);
    return static_cast<float>(kFlatPictureHeight * viewAspect / pictureAspect);
}

// Scene units per video line of a flat picture pictureHeight units high: exactly 1 for a
// 480-line video that fills the height, which keeps one unit per pixel; 1 when there is no
// height to scale.
constexpr float flatPictureScale(int videoHeight, float pictureHeight = kFlatPictureHeight)
{
    return videoHeight > 0 ? pictureHeight / static_cast<float>(videoHeight) : 1.0f;
}

// Distance from the eye of the curved surface of a mode; 0 for modes without a mesh.
constexpr int meshDistance(SurfaceMode mode)
{
    switch (mode) {
    case SurfaceMode::Bethel1: return 550;
    case SurfaceMode::Bethel2:
    case SurfaceMode::Bethel3: return 650;
    case SurfaceMode::Bethel4: return 700;
    case SurfaceMode::Freedom: return 750;
    default: return 0;
    }
}

// Aspect ratio for a viewport of w by h; 1 when either side is empty, so that the
// projection never holds an infinite or undefined value.
constexpr double viewportAspect(int w, int h)
{
    return (w > 0 && h > 0) ? static_cast<double>(w) / static_cast<double>(h) : 1.0;
}

// The curved screens' evaluators: both parameters run from 0 to kMeshParameterEnd, and the
// mesh that glMapGrid2f lays out and glEvalMesh2 draws has kMeshSteps steps each way. The
// two calls must agree, or part of the screen goes undrawn.
constexpr int kMeshSteps = 100;
constexpr float kMeshParameterEnd = 100.0f;

// The translucent shapes in front of the picture: how opaque they are, where each stands
// (scene units in front of the eye, and below the axis for the upright quadrics, so that
// their middle is on it), their sizes and how finely the quadrics are cut.
constexpr float kShapeOpacity = 0.6f;
constexpr float kCubeDistance = 50.0f;
constexpr float kQuadricDistance = 100.0f;
constexpr double kSphereRadius = 30.0;
constexpr double kCylinderRadius = 30.0;
constexpr double kTaperBaseRadius = 35.0;
constexpr double kQuadricLength = 50.0;
constexpr float kCylinderDrop = -kQuadricLength / 2;
constexpr float kTaperDrop = -20.0f;
constexpr int kQuadricSlices = 50;
constexpr int kQuadricStacks = 100;

}  // namespace scene

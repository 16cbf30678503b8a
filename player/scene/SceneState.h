// The renderer's private state, shared by the files that implement SceneRenderer.
#pragma once

#include "SceneRenderer.h"

#include <array>
#include <cstdint>

#include <GL/gl.h>
#include <GL/glu.h>

struct SceneRenderer::State {
    KeyStateSource* keys = nullptr;  // not owned; may be null

    // Scene settings.
    int spinEnabled = 1;
    int spinStep = 1;
    SurfaceMode surfaceMode = SurfaceMode::Normal;
    ShapeKind shapeKind = ShapeKind::Flat;

    // Adjustment values: the arrow keys and the shape's automatic rotation.
    int yawDegrees = 0;
    int depthOffset = 0;
    int spinDegrees = 0;

    // The open video, as Framelift reports it.
    bool videoReady = false;
    std::array<float, 16> texScale{};
    int texWidth = 0;
    int texHeight = 0;
    int videoWidth = 0;
    int videoHeight = 0;
    VideoTexture* videoHandle = nullptr;  // owned: DeleteVideoTexture in the destructor

    // The last frame Framelift handed out. Valid until the next GetTexture or FreeVideo, so
    // only read while videoReady.
    const uint8_t* lastFrame = nullptr;

    // GL objects, alive between InitScene and ReleaseGL.
    GLuint textureName = 0;
    GLUquadric* quadric = nullptr;
    bool sceneInitialised = false;

    // Work recorded without a current context and done by the next DrawFrame.
    bool textureStale = false;     // (re)create the texture from lastFrame
    bool evaluatorsStale = false;  // load controlGrid into the evaluator maps
    bool surfaceBuilt = false;     // BuildSurface has run: a new context needs the maps again

    // Viewport in window pixels as last set; applied on every frame because the hosting
    // widget resets the GL viewport before each paint.
    bool hasViewport = false;
    int viewX = 0, viewY = 0, viewW = 0, viewH = 0;
    ViewportRect viewportRect;
    double devicePixelRatio = 1.0;

    // Bezier patch control points (x, y, z) of the curved surfaces.
    std::array<float, 27> controlGrid{};

    long long uploadedBytesLastFrame = 0;
};

namespace scene {

// Sets the recorded viewport, projection and an identity model-view matrix. Context current.
void applyViewport(const SceneRenderer::State& s);
// Loads the control grid and the texture grid into the evaluator maps. Context current.
void applyEvaluators(const SceneRenderer::State& s);
// Creates the texture of the open video from the last frame. Context current.
void createVideoTexture(SceneRenderer::State& s);
// Binds the texture and replaces its video part with the newest frame. Context current.
void feedVideoTexture(SceneRenderer::State& s);

}  // namespace scene

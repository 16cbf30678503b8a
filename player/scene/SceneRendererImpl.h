// The renderer's state and GL work. Its methods are spread over the files that implement the
// scene: SceneRenderer.cpp (lifetime, fixed state, viewport), FrameDrawing.cpp (a frame, the
// surface and the shape), BezierSurface.cpp (curved screens), ArrowKeyAdjustment.cpp and
// VideoBinding.cpp (the video texture fed from the media session).
#pragma once

#include "MediaSession.h"
#include "SceneRenderer.h"

#include <array>
#include <cstdint>
#include <vector>

#include <GL/gl.h>
#include <GL/glu.h>

class SceneRenderer::Impl : public MediaSession::Observer {
public:
    Impl(MediaSession& media, KeyStateSource* keys);
    ~Impl() override;

    void initScene();
    void releaseGL();
    void setViewport(int x, int y, int w, int h);
    void setDevicePixelRatio(double ratio);
    void drawFrame();
    void setShapeKind(ShapeKind kind);
    void setSpin(int enabled, int step);
    void buildSurface(const SurfaceSettings& surface);
    bool pollArrowKeys();
    bool step();

    // MediaSession::Observer
    void videoOpened(const VideoFormat& format, const uint8_t* firstFrame) override;
    void videoClosed() override;
    void videoSuspended() override;

private:
    friend class SceneRenderer;  // its accessors read the state

    // Context current for all of these.
    void applyViewport() const;
    void applyEvaluators() const;
    void drawSurface() const;
    void drawShape() const;
    // Whether drawShape draws a shape (and so whether a spin shows).
    bool drawsShape() const;
    // The flat picture's height in scene units for the open video in the viewport.
    float flatPictureHeight() const;
    // Gives the curved screen the flat picture's size again, after the viewport's shape or the
    // video's size changed.
    void refitSurface();
    // Creates the texture of the open video from the last frame.
    void createVideoTexture();
    // Binds the texture and replaces its video part with the session's newest frame, when
    // that is a newer one than the texture holds.
    void feedVideoTexture();
    // Gives the bound texture the image's size and contents, black margin included.
    void defineTextureImage();
    // The part of the texture the video fills, in pixels.
    int videoPartWidth() const;
    int videoPartHeight() const;

    MediaSession& media_;
    KeyStateSource* keys_;  // not owned; may be null

    // Scene settings.
    int spinEnabled_ = 1;
    int spinStep_ = 1;
    SurfaceMode surfaceMode_ = SurfaceMode::Normal;
    ShapeKind shapeKind_ = ShapeKind::Flat;
    SurfaceSettings surface_{};  // the curved screen's last settings

    // Adjustment values: the arrow keys and the shape's automatic rotation.
    int yawDegrees_ = 0;
    int depthOffset_ = 0;
    int spinDegrees_ = 0;

    // The open video, as the session reported it.
    bool videoReady_ = false;
    VideoFormat format_;
    // The last frame the session handed out. Valid until the next frame or the video's end,
    // so only read while videoReady_.
    const uint8_t* lastFrame_ = nullptr;
    // The video's part of the last frame in 4-byte texels, as the texture takes it.
    std::vector<uint8_t> texels_;

    // GL objects, alive between initScene and releaseGL.
    GLuint textureName_ = 0;
    GLUquadric* quadric_ = nullptr;

    // Work recorded without a current context and done by the next drawFrame.
    bool textureStale_ = false;     // (re)create the texture from lastFrame_
    bool evaluatorsStale_ = false;  // load controlGrid_ into the evaluator maps
    bool surfaceBuilt_ = false;     // buildSurface has run: a new context needs the maps again

    // Viewport in window pixels as last set; applied on every frame because the hosting
    // widget resets the GL viewport before each paint.
    bool hasViewport_ = false;
    int viewX_ = 0, viewY_ = 0, viewW_ = 0, viewH_ = 0;
    ViewportRect viewportRect_;
    double devicePixelRatio_ = 1.0;

    // Bezier patch control points (x, y, z) of the curved surfaces.
    std::array<float, 27> controlGrid_{};

    long long uploadedBytesLastFrame_ = 0;
    long long framesShown_ = 0;
    // Something the picture shows changed since the last step.
    bool changed_ = true;
};

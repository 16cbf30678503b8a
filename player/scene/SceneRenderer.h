// SceneRenderer: draws the player's picture. Owns the fixed GL scene state, the GLU quadric
// and the video texture; the video itself comes from a MediaSession, which it asks for the
// newest frame on every frame it draws. It is not a widget: SceneWidget (or a test's
// offscreen surface) creates the GL context and forwards to it.
//
// Threading: every method runs on the UI thread. Methods other than InitScene, DrawFrame and
// ReleaseGL may be called without a current GL context: they record what they change and
// DrawFrame applies it with the context current.
#pragma once

#include "SceneTypes.h"

#include <array>
#include <memory>

class KeyStateSource;
class MediaSession;

// Window rectangle of the last viewport: (0, 0, w, h).
struct ViewportRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool isEmpty() const { return right <= left || bottom <= top; }
};

class SceneRenderer {
public:
    // Draws the video of media, which must outlive the renderer. keys may be null: the arrow
    // keys then change nothing.
    explicit SceneRenderer(MediaSession& media, KeyStateSource* keys = nullptr);
    ~SceneRenderer();  // GL objects go in ReleaseGL()
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    MediaSession& media() const;

    // With the context current: fixed scene state and quadric; makes the session's handle.
    void InitScene();
    // With the context current: frees the texture and the quadric (context about to go).
    void ReleaseGL();

    // Viewport in window pixels, origin bottom-left. Records viewportRect = (0, 0, w, h).
    void SetViewport(int x, int y, int w, int h);
    // Takes the session's newest frame into the texture when there is a newer one, clears,
    // then draws surface and shape. The caller (the widget) swaps buffers.
    void DrawFrame();
    // One step of the scene's clock (the 41 ms tick): turns a spinning shape and reads the
    // arrow keys. True when the picture differs from the last one drawn: something moved,
    // or a setting, the viewport or the video changed since the last step.
    bool Step();

    // A kind or mode out of range changes nothing. A newly opened video resets both.
    void SetShapeKind(ShapeKind kind);
    void SetSpin(int enabled, int step);
    void BuildSurface(const SurfaceSettings& surface);

    // Reads the key-state source once; called by Step while a video is open. True when the
    // picture moved.
    bool PollArrowKeys();

    // State, for the view and for tests.
    bool videoReady() const;
    SurfaceMode surfaceMode() const;
    ShapeKind shapeKind() const;
    int spinDegrees() const;
    int yawDegrees() const;
    int depthOffset() const;
    ViewportRect viewportRect() const;
    const std::array<float, 27>& controlGrid() const;
    int spinEnabled() const;
    int spinStep() const;
    int texWidth() const;
    int texHeight() const;
    const std::array<float, 16>& texScale() const;

    // The GL texture of the video: made by the first DrawFrame after each open (0 until the
    // first one), updated in place by every later frame.
    unsigned textureName() const;
    // Bytes handed to the texture in the last DrawFrame (creation or per-frame update).
    long long uploadedBytesLastFrame() const;
    // Video frames drawn so far: each newer frame counts once, however often it is drawn.
    long long framesShown() const;
    // Physical pixels per window pixel of the surface drawn on; SetViewport's values are
    // window pixels and are scaled by this when applied. 1 at construction.
    void SetDevicePixelRatio(double ratio);

private:
    class Impl;
    std::unique_ptr<Impl> d;
};

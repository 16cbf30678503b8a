// SceneRenderer: draws the player's picture. Owns the fixed GL scene state, the GLU quadric,
// the video texture and the one Framelift handle. It is not a widget: SceneWidget (or a
// test's offscreen surface) creates the GL context and forwards to it.
//
// Threading: every method runs on the UI thread. Methods other than InitScene, DrawFrame and
// ReleaseGL may be called without a current GL context: they record what they change and
// DrawFrame applies it with the context current.
#pragma once

#include "SceneTypes.h"

#include <array>
#include <string>

struct VideoTexture;
class KeyStateSource;

// Window rectangle of the last viewport: (0, 0, w, h).
struct ViewportRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool isEmpty() const { return right <= left || bottom <= top; }
};

class SceneRenderer {
public:
    // keys may be null: the arrow keys then change nothing.
    explicit SceneRenderer(KeyStateSource* keys = nullptr);
    ~SceneRenderer();  // deletes the Framelift handle; GL objects go in ReleaseGL()
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    // With the context current: fixed scene state, quadric, CreateVideoTexture.
    void InitScene();
    // With the context current: frees the texture and the quadric (context about to go).
    void ReleaseGL();

    // Viewport in window pixels, origin bottom-left. Records viewportRect = (0, 0, w, h).
    void SetViewport(int x, int y, int w, int h);
    // Clears, draws surface and shape, then feeds the next frame into the texture.
    // The caller (the widget) swaps buffers.
    void DrawFrame();

    // A kind or mode out of range changes nothing.
    void SetShapeKind(ShapeKind kind);
    void SetSpin(int enabled, int step);
    void BuildSurface(const SurfaceSettings& surface);

    // Video binding. OpenVideo takes a UTF-8 path; false when the file cannot be played
    // (videoReady is then false). It needs no GL context: the texture is made by DrawFrame.
    bool OpenVideo(const std::string& path);
    void CloseVideo();                        // Stop, FreeVideo, videoReady = false
    void PauseVideo();
    void SeekTo(double seconds);
    void ChangeRate(double rate);
    int QueryVideoWidth() const;
    int QueryVideoHeight() const;

    // Reads the key-state source once; called by DrawFrame while a video is open.
    void PollArrowKeys();

    // State, for the view and for tests.
    bool videoReady() const;
    SurfaceMode surfaceMode() const;
    ShapeKind shapeKind() const;
    int spinDegrees() const;
    int yawDegrees() const;
    int depthOffset() const;
    ViewportRect viewportRect() const;
    const std::array<float, 27>& controlGrid() const;
    VideoTexture* videoHandle() const;
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
    // Physical pixels per window pixel of the surface drawn on; SetViewport's values are
    // window pixels and are scaled by this when applied. 1 at construction.
    void SetDevicePixelRatio(double ratio);

    struct State;  // the renderer's fields, shared by its implementation files

private:
    void DrawSurface();
    void DrawShape();

    State* d;  // owned
};

// SceneWindow: the native OpenGL window the scene is drawn in. It makes the context
// (compatibility profile, double-buffered RGBA with depth) and forwards to a SceneRenderer,
// which owns all GL state. A window of its own, rather than a widget drawn into a texture,
// keeps the toolkit from composing the whole top-level window again on every video frame:
// with a software renderer that composition cost more than the scene. For the same reason
// the scene is drawn straight into the window's back buffer, not into an image of its own
// that is then copied over; an exposure draws it again.
#pragma once

#include <QMetaObject>
#include <QOpenGLWindow>

class SceneRenderer;

class SceneWindow : public QOpenGLWindow {
    Q_OBJECT
public:
    explicit SceneWindow(SceneRenderer& renderer);
    ~SceneWindow() override;

    // False until a suitable context has been made, and for good when none could be.
    bool hasScene() const { return sceneReady_; }
    // Asks for the scene to be drawn again at the window's next update.
    void requestDraw();
    // Draws the scene now and reads the picture back (a null image without a scene).
    QImage drawAndGrab();
    // Frees the renderer's GL objects while the context still exists.
    void releaseGL();

signals:
    // The context could not draw the scene.
    void sceneUnavailable();
    // A picture was drawn, in this many milliseconds of the UI thread; forExposure when the
    // window system asked for it, not the view.
    void drawn(double ms, bool forExposure);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    bool event(QEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;

private:
    void reportUnavailable();
    // True when the base class must not paint: it has no context and none can be made (it
    // would go on drawing through a null context and crash).
    bool cannotPaint();

    SceneRenderer& renderer_;
    bool sceneReady_ = false;
    bool reported_ = false;
    bool exposing_ = false;  // drawing for the window system
    bool noContext_ = false;  // a context was tried for this window and none could be made
    QMetaObject::Connection contextGone_;
};

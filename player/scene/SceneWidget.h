// SceneWidget: the window the scene is drawn in. It only creates the OpenGL context
// (compatibility profile, double-buffered RGBA with depth) and forwards to a SceneRenderer,
// which owns all GL state. When no such context can be had it says so once and goes on
// without drawing.
#pragma once

#include <QMetaObject>
#include <QOpenGLWidget>

#include <memory>

class MediaSession;
class SceneRenderer;
class QSurfaceFormat;

class SceneWidget : public QOpenGLWidget {
    Q_OBJECT
public:
    // Draws with a renderer and a media session of its own.
    explicit SceneWidget(QWidget* parent = nullptr);
    // Draws with the given renderer, which must outlive the widget.
    explicit SceneWidget(SceneRenderer* renderer, QWidget* parent = nullptr);
    ~SceneWidget() override;

    SceneRenderer* renderer() const { return renderer_; }
    // False until a suitable context has been made, and for good when none could be.
    bool hasScene() const { return sceneReady_; }

    // The surface format every scene widget needs. Call once, before the QApplication
    // creates its first window.
    static QSurfaceFormat sceneFormat();
    static void installDefaultFormat();
    // Whether a context of this format can draw the fixed-function scene.
    static bool isSuitableFormat(const QSurfaceFormat& format);

signals:
    // The context could not draw the scene (shown to the user once per run).
    void sceneUnavailable();
    // A picture was drawn, in this many milliseconds of the UI thread.
    void drawn(double ms);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void releaseGL();
    void reportUnavailable();

    std::unique_ptr<MediaSession> ownMedia_;
    std::unique_ptr<SceneRenderer> ownRenderer_;
    SceneRenderer* renderer_ = nullptr;
    bool sceneReady_ = false;
    bool reported_ = false;
    QMetaObject::Connection contextGone_;
};

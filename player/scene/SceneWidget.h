// SceneWidget: the part of a window the scene is drawn in. It hosts a SceneWindow (a native
// OpenGL window that draws with a SceneRenderer) and takes the pointer and the keys for it.
// When no suitable context can be had it says so once and goes on without drawing.
#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

class MediaSession;
class SceneRenderer;
class SceneWindow;
class QSurfaceFormat;

class SceneWidget : public QWidget {
    Q_OBJECT
public:
    // Draws with a renderer and a media session of its own.
    explicit SceneWidget(QWidget* parent = nullptr);
    // Draws with the given renderer, which must outlive the widget.
    explicit SceneWidget(SceneRenderer* renderer, QWidget* parent = nullptr);
    ~SceneWidget() override;

    SceneRenderer* renderer() const { return renderer_; }
    // False until a suitable context has been made, and for good when none could be.
    bool hasScene() const;
    // Asks for the scene to be drawn again (once, however often asked before it is).
    void requestDraw();
    // Draws the scene now and returns the picture (a null image before the scene exists).
    QImage grabFramebuffer();
    // The context made current, for a caller's own GL calls (tests), and released again.
    void makeCurrent();
    void doneCurrent();
    // The format asked of the window; takes effect when it is first shown.
    void setFormat(const QSurfaceFormat& format);

    // The surface format every scene needs. Call once, before the QApplication creates its
    // first window.
    static QSurfaceFormat sceneFormat();
    static void installDefaultFormat();
    // Whether a context of this format can draw the fixed-function scene.
    static bool isSuitableFormat(const QSurfaceFormat& format);
    // Whether this display gives a context that can draw the scene: one is made and thrown
    // away, so the answer is known before any scene window exists. Needs the QApplication.
    static bool canMakeScene();
    // The message shown when no such context can be had, as a modal box (returns when the
    // user has answered it).
    static void showUnavailableMessage();
    // The player's exit status after that message.
    static constexpr int kNoSceneExitStatus = 3;

signals:
    // The context could not draw the scene (shown to the user once per run).
    void sceneUnavailable();
    // A picture was drawn, in this many milliseconds of the UI thread; forExposure when the
    // window system asked for it (an uncovered or newly shown window), not the view.
    void drawn(double ms, bool forExposure);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void host();
    void reportUnavailable();

    std::unique_ptr<MediaSession> ownMedia_;
    std::unique_ptr<SceneRenderer> ownRenderer_;
    SceneRenderer* renderer_ = nullptr;
    SceneWindow* window_ = nullptr;  // owned by its container once there is one
    QWidget* container_ = nullptr;   // a child of this widget, from its first showing
};

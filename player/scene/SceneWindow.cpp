#include "SceneWindow.h"

#include "SceneRenderer.h"
#include "SceneWidget.h"

#include <QElapsedTimer>
#include <QExposeEvent>
#include <QOpenGLContext>

SceneWindow::SceneWindow(SceneRenderer& renderer)
    : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), renderer_(renderer)
{
    // Pointer and keys belong to the widget that hosts the window: the window lets them
    // through to it.
    setFlag(Qt::WindowTransparentForInput);
}

SceneWindow::~SceneWindow()
{
    // The context goes with the base class, after this object: release now, and make sure
    // the context's last signal no longer reaches this object.
    releaseGL();
    QObject::disconnect(contextGone_);
}

void SceneWindow::initializeGL()
{
    QOpenGLContext* ctx = context();
    if (!ctx || !ctx->isValid() || !SceneWidget::isSuitableFormat(ctx->format())) {
        reportUnavailable();
        return;
    }
    QObject::disconnect(contextGone_);
    contextGone_ = connect(ctx, &QOpenGLContext::aboutToBeDestroyed, this, &SceneWindow::releaseGL);
    renderer_.SetDevicePixelRatio(devicePixelRatio());
    renderer_.InitScene();
    sceneReady_ = true;
}

void SceneWindow::resizeGL(int, int)
{
    // Where the picture goes is the host's choice (SetViewport); only the pixel scale is ours.
    renderer_.SetDevicePixelRatio(devicePixelRatio());
}

void SceneWindow::requestDraw() { update(); }

void SceneWindow::paintGL()
{
    // Called for an update the view asked for, and for an exposure or a resize: the back
    // buffer keeps nothing from one draw to the next, so each one draws the scene whole.
    if (!sceneReady_)
        return;
    QElapsedTimer timer;
    timer.start();
    renderer_.SetDevicePixelRatio(devicePixelRatio());
    renderer_.DrawFrame();
    emit drawn(static_cast<double>(timer.nsecsElapsed()) / 1e6, exposing_);
}

bool SceneWindow::cannotPaint()
{
    if (isValid())
        return false;
    if (!noContext_ && !SceneWidget::canMakeScene())
        noContext_ = true;
    if (noContext_)
        reportUnavailable();
    return noContext_;
}

bool SceneWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Expose:
    case QEvent::Paint:
    case QEvent::UpdateRequest:
        if (cannotPaint())
            return true;
        break;
    default:
        break;
    }
    // The window system asks for a picture through an exposure when the window is first
    // shown, and through a paint event when a part of it was uncovered. Both are drawn at
    // once, inside the base class's handling.
    if (event->type() != QEvent::Paint)
        return QOpenGLWindow::event(event);
    exposing_ = true;
    const bool handled = QOpenGLWindow::event(event);
    exposing_ = false;
    return handled;
}

void SceneWindow::exposeEvent(QExposeEvent* event)
{
    exposing_ = true;
    QOpenGLWindow::exposeEvent(event);
    exposing_ = false;
    // The base class makes the context on the first exposure; when it cannot it logs and
    // goes on without calling initializeGL.
    if (isExposed() && !size().isEmpty() && !isValid())
        reportUnavailable();
}

QImage SceneWindow::drawAndGrab()
{
    if (!sceneReady_ || !isValid())
        return QImage();
    // Drawn into the back buffer and read from there, before any swap shows it.
    makeCurrent();
    paintGL();
    return grabFramebuffer();
}

void SceneWindow::releaseGL()
{
    if (!sceneReady_)
        return;
    sceneReady_ = false;
    makeCurrent();
    renderer_.ReleaseGL();
    doneCurrent();
}

void SceneWindow::reportUnavailable()
{
    sceneReady_ = false;
    if (reported_)
        return;
    reported_ = true;
    emit sceneUnavailable();
}

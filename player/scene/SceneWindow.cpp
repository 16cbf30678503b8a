#include "SceneWindow.h"

#include "SceneRenderer.h"
#include "SceneWidget.h"

#include <QElapsedTimer>
#include <QExposeEvent>
#include <QOpenGLContext>

SceneWindow::SceneWindow(SceneRenderer& renderer)
    : QOpenGLWindow(QOpenGLWindow::PartialUpdateBlit), renderer_(renderer)
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
    drawWanted_ = true;
}

void SceneWindow::resizeGL(int, int)
{
    // Where the picture goes is the host's choice (SetViewport); only the pixel scale is ours.
    renderer_.SetDevicePixelRatio(devicePixelRatio());
    drawWanted_ = true;  // a new size comes with a new, empty image
}

void SceneWindow::requestDraw()
{
    drawWanted_ = true;
    update();
}

void SceneWindow::paintGL()
{
    if (!sceneReady_ || !drawWanted_)
        return;
    drawWanted_ = false;
    QElapsedTimer timer;
    timer.start();
    renderer_.SetDevicePixelRatio(devicePixelRatio());
    renderer_.DrawFrame();
    emit drawn(static_cast<double>(timer.nsecsElapsed()) / 1e6);
}

void SceneWindow::exposeEvent(QExposeEvent* event)
{
    QOpenGLWindow::exposeEvent(event);
    // The base class makes the context on the first exposure; when it cannot it logs and
    // goes on without calling initializeGL.
    if (isExposed() && !size().isEmpty() && !isValid())
        reportUnavailable();
}

QImage SceneWindow::drawAndGrab()
{
    if (!sceneReady_ || !isValid())
        return QImage();
    makeCurrent();  // binds the image the window draws into
    drawWanted_ = true;
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

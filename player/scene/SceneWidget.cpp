#include "SceneWidget.h"

#include "MediaSession.h"
#include "SceneRenderer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QResizeEvent>
#include <QSurfaceFormat>

#include <atomic>

namespace {

// The message is shown once per run, however many scene widgets fail.
std::atomic<bool> unavailableShown{false};

}  // namespace

SceneWidget::SceneWidget(QWidget* parent)
    : QOpenGLWidget(parent), ownMedia_(std::make_unique<MediaSession>()),
      ownRenderer_(std::make_unique<SceneRenderer>(*ownMedia_))
{
    renderer_ = ownRenderer_.get();
}

SceneWidget::SceneWidget(SceneRenderer* renderer, QWidget* parent)
    : QOpenGLWidget(parent), renderer_(renderer)
{
}

SceneWidget::~SceneWidget()
{
    // The context is destroyed by the base class, after this object is gone: release now,
    // and make sure the context's last signal no longer reaches this object.
    releaseGL();
    QObject::disconnect(contextGone_);
}

QSurfaceFormat SceneWidget::sceneFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(8);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

void SceneWidget::installDefaultFormat() { QSurfaceFormat::setDefaultFormat(sceneFormat()); }

bool SceneWidget::isSuitableFormat(const QSurfaceFormat& format)
{
    if (format.renderableType() == QSurfaceFormat::OpenGLES)
        return false;
    // A core profile has no fixed-function pipeline.
    const bool core = format.profile() == QSurfaceFormat::CoreProfile &&
                      format.version() >= qMakePair(3, 2);
    return !core && format.depthBufferSize() > 0;
}

void SceneWidget::initializeGL()
{
    QOpenGLContext* ctx = context();
    if (!ctx || !ctx->isValid() || !isSuitableFormat(ctx->format())) {
        reportUnavailable();
        return;
    }
    // Reparenting the widget replaces its context: free the old one's objects first.
    QObject::disconnect(contextGone_);
    contextGone_ = connect(ctx, &QOpenGLContext::aboutToBeDestroyed, this, &SceneWidget::releaseGL);
    renderer_->SetDevicePixelRatio(devicePixelRatioF());
    renderer_->InitScene();
    sceneReady_ = true;
}

void SceneWidget::resizeGL(int, int)
{
    // Where the picture goes is the host's choice (SetViewport); only the pixel scale is ours.
    renderer_->SetDevicePixelRatio(devicePixelRatioF());
}

void SceneWidget::paintGL()
{
    if (!sceneReady_)
        return;
    QElapsedTimer timer;
    timer.start();
    renderer_->SetDevicePixelRatio(devicePixelRatioF());
    renderer_->DrawFrame();
    emit drawn(static_cast<double>(timer.nsecsElapsed()) / 1e6);
}

void SceneWidget::resizeEvent(QResizeEvent* event)
{
    QOpenGLWidget::resizeEvent(event);
    // The base class makes the context on the first resize; it logs and gives up when it
    // cannot, without calling initializeGL.
    if (!event->size().isEmpty() && !isValid())
        reportUnavailable();
}

void SceneWidget::releaseGL()
{
    if (!sceneReady_)
        return;
    sceneReady_ = false;
    makeCurrent();
    renderer_->ReleaseGL();
    doneCurrent();
}

void SceneWidget::reportUnavailable()
{
    sceneReady_ = false;
    if (reported_)
        return;
    reported_ = true;
    emit sceneUnavailable();
    if (unavailableShown.exchange(true))
        return;
    // Not from inside the GL set-up: the message box runs an event loop of its own. Posted
    // to the application, so that it is shown even if this widget is gone by then.
    QMetaObject::invokeMethod(
        qApp,
        [] {
            QMessageBox::warning(nullptr, QStringLiteral("Error"),
                                 QStringLiteral("没找到合适的显示模式"));
        },
        Qt::QueuedConnection);
}

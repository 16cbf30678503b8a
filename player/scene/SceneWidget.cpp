#include "SceneWidget.h"

#include "MediaSession.h"
#include "SceneRenderer.h"
#include "SceneWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSurfaceFormat>

#include <atomic>

namespace {

// The message is shown once per run, however many scenes fail.
std::atomic<bool> unavailableShown{false};

}  // namespace

SceneWidget::SceneWidget(QWidget* parent)
    : QWidget(parent), ownMedia_(std::make_unique<MediaSession>()),
      ownRenderer_(std::make_unique<SceneRenderer>(*ownMedia_))
{
    renderer_ = ownRenderer_.get();
    host();
}

SceneWidget::SceneWidget(SceneRenderer* renderer, QWidget* parent)
    : QWidget(parent), renderer_(renderer)
{
    host();
}

SceneWidget::~SceneWidget()
{
    // The window goes with its container, a child of this widget: free the renderer's GL
    // objects first, while the renderer (perhaps a member of this object) still exists.
    window_->releaseGL();
    if (container_)
        delete container_;
    else
        delete window_;
}

void SceneWidget::host()
{
    window_ = new SceneWindow(*renderer_);
    // The window covers this widget whole: nothing of it is painted underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    connect(window_, &SceneWindow::drawn, this, &SceneWidget::drawn);
    connect(window_, &SceneWindow::sceneUnavailable, this, &SceneWidget::reportUnavailable);
}

void SceneWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (container_)
        return;
    // The container is made at the first showing, when the top-level window already exists:
    // a native widget made earlier would have the top-level window made before its time.
    container_ = QWidget::createWindowContainer(window_, this);
    // The pointer falls through to this widget, and the keys stay with the widgets.
    container_->setAttribute(Qt::WA_TransparentForMouseEvents);
    container_->setFocusPolicy(Qt::NoFocus);
    // A native container holds the window as its own child, so that native siblings made
    // later (a bar along the scene's bottom) stack above it.
    container_->setAttribute(Qt::WA_NativeWindow);
    container_->setGeometry(rect());
    container_->show();
}

bool SceneWidget::hasScene() const { return window_->hasScene(); }

void SceneWidget::requestDraw() { window_->requestDraw(); }

QImage SceneWidget::grabFramebuffer() { return window_->drawAndGrab(); }

void SceneWidget::makeCurrent() { window_->makeCurrent(); }

void SceneWidget::doneCurrent() { window_->doneCurrent(); }

void SceneWidget::setFormat(const QSurfaceFormat& format) { window_->setFormat(format); }

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

bool SceneWidget::canMakeScene()
{
    QOpenGLContext context;
    context.setFormat(sceneFormat());
    return context.create() && context.isValid() && isSuitableFormat(context.format());
}

void SceneWidget::showUnavailableMessage()
{
    QMessageBox::warning(nullptr, QStringLiteral("Error"), QStringLiteral("没找到合适的显示模式"));
}

void SceneWidget::resizeEvent(QResizeEvent* event)
{
    if (container_)
        container_->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void SceneWidget::reportUnavailable()
{
    emit sceneUnavailable();
    if (unavailableShown.exchange(true))
        return;
    // Not from inside the GL set-up: the message box runs an event loop of its own. Posted
    // to the application, so that it is shown even if this widget is gone by then.
    QMetaObject::invokeMethod(
        qApp,
        [] { showUnavailableMessage(); },
        Qt::QueuedConnection);
}

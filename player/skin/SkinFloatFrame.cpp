#include "SkinFloatFrame.h"

#include "FloatPanelSkin.h"
#include "SkinFloatCaption.h"
#include "VisualManager.h"

#include <QApplication>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

namespace {

// How far from a corner a press on a border resizes both ways.
constexpr int kCornerGrip = 12;

// Wayland clients cannot place their windows: a floating panel moved by the dock widget
// itself would not move at all there.
bool windowSystemMoves()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

SkinFloatFrame::SkinFloatFrame(const CVisualManager& skin, QDockWidget* dock)
    : QObject(dock), skin_(skin), dock_(dock), caption_(new SkinFloatCaption(skin, dock))
{
    setObjectName(QStringLiteral("skinFloatFrame"));
    caption_->hide();
    connect(caption_, &SkinFloatCaption::closeClicked, dock_, &QWidget::close);
    // The dock changes state from inside its own handlers (a drag, a double click): the
    // caption follows once they are done.
    connect(dock_, &QDockWidget::topLevelChanged, this,
            [this] { QTimer::singleShot(0, this, &SkinFloatFrame::fitCaption); });
    connect(&skin_, &CVisualManager::skinChanged, dock_, qOverload<>(&QWidget::update));
    dock_->installEventFilter(this);
    fitCaption();
}

bool SkinFloatFrame::ownsCaption() const
{
    return dock_->titleBarWidget() == caption_;
}

void SkinFloatFrame::fitCaption()
{
    const bool floating = dock_->isFloating();
    if (floating == ownsCaption())
        return;
    // Re-setting the title bar recreates the floating window, which would end a drag that
    // the dock widget is running.
    if (QWidget::mouseGrabber() == dock_) {
        waitForRelease_ = true;
        return;
    }
    waitForRelease_ = false;
    dock_->setTitleBarWidget(floating ? caption_ : nullptr);
    if (!floating)
        caption_->hide();
}

Qt::Edges SkinFloatFrame::edgesAt(const QPoint& pos) const
{
    Qt::Edges edges;
    if (!dock_->isFloating() || !dock_->rect().contains(pos))
        return edges;
    const int b = floatpanelskin::kBorder;
    const int w = dock_->width(), h = dock_->height();
    const bool left = pos.x() < b, right = pos.x() >= w - b;
    const bool top = pos.y() < b, bottom = pos.y() >= h - b;
    if (!(left || right || top || bottom))
        return edges;
    if (left || ((top || bottom) && pos.x() < kCornerGrip))
        edges |= Qt::LeftEdge;
    if (right || ((top || bottom) && pos.x() >= w - kCornerGrip))
        edges |= Qt::RightEdge;
    if (top || ((left || right) && pos.y() < kCornerGrip))
        edges |= Qt::TopEdge;
    if (bottom || ((left || right) && pos.y() >= h - kCornerGrip))
        edges |= Qt::BottomEdge;
    return edges;
}

bool SkinFloatFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != dock_)
        return QObject::eventFilter(watched, event);
    // A drag that ends without a release here (Escape) lets go of the pointer all the same.
    if (waitForRelease_ && QWidget::mouseGrabber() != dock_) {
        waitForRelease_ = false;
        QTimer::singleShot(0, this, &SkinFloatFrame::fitCaption);
    }
    switch (event->type()) {
    case QEvent::Paint:
        if (ownsCaption()) {
            QPainter painter(dock_);
            paint(painter);
        }
        break;
    case QEvent::WindowTitleChange:
        caption_->update();
        break;
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !ownsCaption())
            break;
        const QPoint pos = mouse->position().toPoint();
        QWindow* handle = dock_->windowHandle();
        const Qt::Edges edges = edgesAt(pos);
        if (edges && handle && handle->startSystemResize(edges))
            return true;
        if (!edges && windowSystemMoves() && caption_->geometry().contains(pos)) {
            movePending_ = true;
            pressPos_ = pos;
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!movePending_)
            break;
        if ((mouse->position().toPoint() - pressPos_).manhattanLength() <
            QApplication::startDragDistance())
            return true;
        movePending_ = false;
        if (QWindow* handle = dock_->windowHandle())
            handle->startSystemMove();
        return true;
    }
    case QEvent::MouseButtonRelease:
        movePending_ = false;
        // The dock widget ends its drag after this: look again once it has.
        if (waitForRelease_)
            QTimer::singleShot(0, this, &SkinFloatFrame::fitCaption);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void SkinFloatFrame::paint(QPainter& painter) const
{
    const QRect caption = caption_->geometry();
    const QRect text = caption_->textRect().translated(caption.topLeft());
    floatpanelskin::paintCaption(skin_, painter, caption, text, dock_->windowTitle());
    floatpanelskin::paintBorders(skin_, painter, dock_->rect(), caption.bottom() + 1);
}

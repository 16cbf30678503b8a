#include "SkinFrame.h"

#include "NavigationBarSkin.h"
#include "SkinCaption.h"
#include "VisualManager.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QWidget>
#include <QWindow>

namespace {

// The corner ellipses of the window's rounded shape.
constexpr qreal kCornerRadius = 4.5;
// How far from a corner a press on a border resizes both ways.
constexpr int kCornerGrip = 16;

}  // namespace

SkinFrame::SkinFrame(const CVisualManager& skin, QWidget* window)
    : QObject(window), skin_(skin), window_(window)
{
    window_->setWindowFlag(Qt::FramelessWindowHint);
    window_->setMouseTracking(true);
    caption_ = new SkinCaption(skin, window_);
    window_->installEventFilter(this);
    layoutFrame();
}

bool SkinFrame::framed() const
{
    return !(window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
}

QMargins SkinFrame::frameMargins() const
{
    if (!framed())
        return QMargins(0, SkinCaption::kHeight, 0, 0);
    return QMargins(skin_.size(SkinElement::BorderLeft).width(), SkinCaption::kHeight,
                    skin_.size(SkinElement::BorderRight).width(),
                    skin_.size(SkinElement::Navi2Bottom).height());
}

Qt::Edges SkinFrame::edgesAt(const QPoint& pos) const
{
    Qt::Edges edges;
    if (!framed() || !window_->rect().contains(pos))
        return edges;
    const QMargins m = frameMargins();
    const int w = window_->width(), h = window_->height();
    if (pos.x() < m.left())
        edges |= Qt::LeftEdge;
    if (pos.x() >= w - m.right())
        edges |= Qt::RightEdge;
    if (pos.y() >= h - m.bottom())
        edges |= Qt::BottomEdge;
    if (edges & Qt::BottomEdge) {
        if (pos.x() < kCornerGrip)
            edges |= Qt::LeftEdge;
        if (pos.x() >= w - kCornerGrip)
            edges |= Qt::RightEdge;
    } else if (edges && pos.y() >= h - kCornerGrip) {
        edges |= Qt::BottomEdge;
    }
    return edges;
}

void SkinFrame::layoutFrame()
{
    window_->setContentsMargins(frameMargins());
    caption_->setGeometry(0, 0, window_->width(), SkinCaption::kHeight);
    caption_->raise();
    if (framed()) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(0, 0, window_->width(), window_->height()), kCornerRadius,
                             kCornerRadius);
        window_->setMask(QRegion(shape.toFillPolygon().toPolygon()));
    } else {
        window_->clearMask();
    }
    window_->update();
}

bool SkinFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::WindowStateChange:
    case QEvent::Show:
        layoutFrame();
        break;
    case QEvent::Paint: {
        QPainter painter(window_);
        paintBorders(painter);
        break;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::Edges edges = edgesAt(mouse->position().toPoint());
        if (!edges)
            window_->unsetCursor();
        else if (edges == Qt::LeftEdge || edges == Qt::RightEdge)
            window_->setCursor(Qt::SizeHorCursor);
        else if (edges == Qt::BottomEdge)
            window_->setCursor(Qt::SizeVerCursor);
        else if (edges == (Qt::LeftEdge | Qt::BottomEdge))
            window_->setCursor(Qt::SizeBDiagCursor);
        else
            window_->setCursor(Qt::SizeFDiagCursor);
        break;
    }
    case QEvent::Leave:
        window_->unsetCursor();
        break;
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::Edges edges = edgesAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && edges && window_->windowHandle()) {
            window_->windowHandle()->startSystemResize(edges);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void SkinFrame::paintBorders(QPainter& painter) const
{
    if (!framed())
        return;
    const int w = window_->width(), h = window_->height();
    const QMargins m = frameMargins();
    const bool wide = NavigationBarSkin::isWideWindow(w);
    const int top = SkinCaption::kHeight;
    const int bottomTop = h - m.bottom();
    const int explorerHeight = skin_.size(SkinElement::ExplorerLeft).height();
    const SkinElement naviLeft = wide ? SkinElement::Navi2Left : SkinElement::Navi1Left;
    const SkinElement naviRight = wide ? SkinElement::Navi2Right : SkinElement::Navi1Right;
    const int naviHeight = skin_.size(naviLeft).height();
    const int naviTop = bottomTop - naviHeight;
    const int middleTop = top + explorerHeight;

    struct Side {
        int x, width;
        SkinElement explorer, middle, navi;
    };
    const Side sides[2] = {
        {0, m.left(), SkinElement::ExplorerLeft, SkinElement::BorderLeft, naviLeft},
        {w - m.right(), m.right(), SkinElement::ExplorerRight, SkinElement::BorderRight, naviRight},
    };
    for (const Side& side : sides) {
        skin_.drawElement(painter, side.middle, QRect(side.x, middleTop, side.width, naviTop - middleTop));
        skin_.drawElement(painter, side.navi, QRect(side.x, naviTop, side.width, naviHeight));
        skin_.drawElement(painter, side.explorer, QRect(side.x, top, side.width, explorerHeight));
    }
    skin_.drawElement(painter, wide ? SkinElement::Navi2Bottom : SkinElement::Navi1Bottom,
                      QRect(0, bottomTop, w, m.bottom()));
    if (wide) {
        const QSize ornament = skin_.size(SkinStrip::Navi2Ornament);
        skin_.drawStrip(painter, SkinStrip::Navi2Ornament,
                        QPoint((w - ornament.width()) / 2, h - ornament.height()), 0);
    }
}

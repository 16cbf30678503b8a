#include "ChannelSlider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cstdlib>

namespace {

// `picture` as ARGB with every pixel that is `key` in `maskSource` made see-through.
QImage maskedBy(const QImage& picture, const QImage& maskSource, QRgb key)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    const QImage mask = maskSource.convertToFormat(QImage::Format_ARGB32);
    const int w = std::min(out.width(), mask.width());
    const int h = std::min(out.height(), mask.height());
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* maskLine = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qRgb(qRed(maskLine[x]), qGreen(maskLine[x]), qBlue(maskLine[x])) == key)
                line[x] = 0;
    }
    return out;
}

QRgb keyOf(const QImage& picture, std::optional<QRgb> colour, QPoint pixel)
{
    const QRgb c = colour ? *colour
                          : (picture.valid(pixel) ? picture.pixel(pixel) : picture.pixel(0, 0));
    return qRgb(qRed(c), qGreen(c), qBlue(c));
}

}  // namespace

// ---- Axis ------------------------------------------------------------------------------

int ChannelAxis::pixelFor(int position) const
{
    const double fraction = static_cast<double>(position - minimum) / (maximum - minimum);
    return thumb / 2 + startMargin +
           static_cast<int>(fraction * (length - endMargin - thumb - startMargin));
}

int ChannelAxis::positionFor(int pixel) const
{
    const double fraction = static_cast<double>(pixel - thumb / 2 - startMargin) /
                            (length - endMargin - startMargin - thumb);
    return static_cast<int>(fraction * (maximum - minimum) + minimum);
}

// ---- Slider ----------------------------------------------------------------------------

CChannelSlider::CChannelSlider(int controlId, QWidget* parent)
    : QWidget(parent), controlId_(controlId)
{
    setFocusPolicy(Qt::StrongFocus);
}

bool CChannelSlider::SetChannelBitmaps(const QString& channelPath, const QString& activePath,
                                       bool transparent, std::optional<QRgb> colour,
                                       QPoint pixel)
{
    const QImage channel(channelPath);
    if (channel.isNull())
        return false;
    QImage active;
    if (!activePath.isEmpty()) {
        active = QImage(activePath);
        if (active.isNull()) {
            channel_ = active_ = channelPart_ = QImage();
            update();
            return false;
        }
    }
    if (transparent) {
        const QRgb channelKey = keyOf(channel, colour, pixel);
        channel_ = maskedBy(channel, channel, channelKey);
        if (!active.isNull()) {
            const QRgb activeKey = keyOf(active, colour, pixel);
            active_ = maskedBy(active, channel, channelKey);
            channelPart_ = maskedBy(channel, active, activeKey);
        }
    } else {
        channel_ = channel.convertToFormat(QImage::Format_RGB32);
        if (!active.isNull())
            active_ = active.convertToFormat(QImage::Format_RGB32);
        channelPart_ = channel_;
    }
    if (active.isNull())
        active_ = channelPart_ = QImage();
    resize(channel.size());
    update();
    return true;
}

void CChannelSlider::SetMinimum(int value, bool redraw)
{
    minimum_ = value;
    if (redraw)
        update();
}

void CChannelSlider::SetMaximum(int value, bool redraw)
{
    maximum_ = value;
    if (redraw)
        update();
}

void CChannelSlider::SetRange(int minimum, int maximum, bool redraw)
{
    SetMinimum(minimum, false);
    SetMaximum(maximum, redraw);
}

void CChannelSlider::SetPosition(int value)
{
    position_ = std::max(std::min(value, maximum_), minimum_);
    update();
}

void CChannelSlider::SetVertical(bool vertical)
{
    vertical_ = vertical;
    update();
}

ChannelAxis CChannelSlider::axis() const
{
    ChannelAxis a;
    a.length = vertical_ ? height() : width();
    a.minimum = minimum_;
    a.maximum = maximum_;
    return a;
}

// ---- Painting --------------------------------------------------------------------------

void CChannelSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!channel_.isNull() && !channel_.hasAlphaChannel())
        painter.fillRect(rect(), palette().window());
    if (!channel_.isNull()) {
        if (active_.isNull() || !isEnabled()) {
            painter.drawImage(0, 0, channel_);
        } else {
            // The active part runs from the axis's start to the position's pixel; each part
            // keeps its place in its picture.
            const int p = std::clamp(positionPixel(), 0, vertical_ ? height() : width());
            const QRect activePart = vertical_ ? QRect(0, 0, width(), p) : QRect(0, 0, p, height());
            const QRect rest = vertical_ ? QRect(0, p, width(), height() - p)
                                         : QRect(p, 0, width() - p, height());
            painter.drawImage(activePart, active_, activePart);
            painter.drawImage(rest, channelPart_, rest);
        }
    }
    if (hasFocus() && isEnabled()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

// ---- Input -----------------------------------------------------------------------------

void CChannelSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    const int pointer = along(event->position().toPoint());
    // Grabbing a thumb keeps its distance to the pointer; anywhere else the position jumps
    // to the pointer.
    const int distance = pointer - positionPixel();
    const ChannelAxis a = axis();
    dragOffset_ = a.thumb > 0 && std::abs(distance) <= a.thumb / 2 ? distance : 0;
    moveTo(pointer);
    update();
}

void CChannelSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        moveTo(along(event->position().toPoint()));
}

void CChannelSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    update();
    postReleased();
}

void CChannelSlider::moveTo(int pointer)
{
    const ChannelAxis a = axis();
    const int first = a.startMargin + a.thumb / 2;
    const int last = a.length - a.endMargin - a.thumb / 2;
    const int centre = std::clamp(pointer - dragOffset_, first, std::max(first, last));
    if (centre == positionPixel())
        return;
    SetPosition(a.positionFor(centre));
    postDragged();
}

void CChannelSlider::keyPressEvent(QKeyEvent* event)
{
    int target = position_;
    switch (event->key()) {
    case Qt::Key_PageUp:
        target = position_ - page_;
        break;
    case Qt::Key_PageDown:
        target = position_ + page_;
        break;
    case Qt::Key_End:
        target = maximum_;
        break;
    case Qt::Key_Home:
        target = minimum_;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        target = position_ - 1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        target = position_ + 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    SetPosition(target);
    postReleased();
}

void CChannelSlider::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void CChannelSlider::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

// ---- Notifications ---------------------------------------------------------------------

void CChannelSlider::postDragged()
{
    QMetaObject::invokeMethod(
        this, [this, position = position_] { emit dragged(controlId_, position); },
        Qt::QueuedConnection);
}

void CChannelSlider::postReleased()
{
    QMetaObject::invokeMethod(
        this, [this, position = position_] { emit released(controlId_, position); },
        Qt::QueuedConnection);
}

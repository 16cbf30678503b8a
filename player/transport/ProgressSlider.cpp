#include "ProgressSlider.h"

#include "Resources.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace {

QImage loadImage(const char* name)
{
    velmora::initResources();
    return QImage(QStringLiteral(":/images/%1.png").arg(QLatin1String(name)))
        .convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

CProgressSlider::CProgressSlider(Qt::Orientation orientation, const QRect& rect, QWidget* parent)
    : QWidget(parent), horizontal_(orientation == Qt::Horizontal)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(rect);
    thumbSource_ = loadImage(horizontal_ ? "IDB_PROGRESS_THUMB_H" : "IDB_PROGRESS_THUMB_V");
    buildThumbImages();
    if (!thumbSource_.isNull())
        thumbSize_ = thumbSource_.size();
    else if (!horizontal_)
        thumbSize_ = QSize(12, 25);
    buttonImages_[LeftButton] = loadImage(horizontal_ ? "IDB_PROGRESS_LEFT" : "IDB_PROGRESS_TOP");
    buttonImages_[RightButton] =
        loadImage(horizontal_ ? "IDB_PROGRESS_RIGHT" : "IDB_PROGRESS_BOTTOM");
    track_ = loadImage(horizontal_ ? "IDB_PROGRESS_TRACK_H" : "IDB_PROGRESS_TRACK_V");
    layoutButtons();
    placeThumbFromPosition();
}

CProgressSlider& CProgressSlider::setRange(int minimum, int maximum, bool redraw)
{
    minimum_ = minimum;
    maximum_ = maximum;
    range_ = std::abs(maximum - minimum);
    if (redraw)
        update();
    return *this;
}

int CProgressSlider::setPos(int position, bool redraw)
{
    const int previous = position_;
    position_ = position;
    placeThumbFromPosition();
    if (redraw)
        update();
    return previous;
}

CProgressSlider& CProgressSlider::setThumbColor(QColor colour)
{
    thumbColour_ = colour;
    if (colour.isValid())
        colourThumb_ = true;
    buildThumbImages();
    update();
    return *this;
}

CProgressSlider& CProgressSlider::setColorThumb(bool on)
{
    colourThumb_ = on;
    buildThumbImages();
    update();
    return *this;
}

void CProgressSlider::setGreyMarks(bool on)
{
    greyMarks_ = on;
    buildThumbImages();
    update();
}

void CProgressSlider::layoutButtons()
{
    const int t = thumbLength();
    if (horizontal_) {
        buttons_[LeftButton] = QRect(0, 0, t, height());
        buttons_[RightButton] = QRect(width() - t, 0, t, height());
    } else {
        buttons_[LeftButton] = QRect(0, 0, width(), t);
        buttons_[RightButton] = QRect(0, height() - t, width(), t);
    }
}

QRect CProgressSlider::thumbRect() const
{
    return horizontal_ ? QRect(QPoint(thumbEdge_, 0), thumbSize_)
                       : QRect(QPoint(0, thumbEdge_), thumbSize_);
}

QRect CProgressSlider::buttonRect(Button which) const
{
    return buttons_[which];
}

void CProgressSlider::placeThumbFromPosition()
{
    const int t = thumbLength();
    const int track = length() - 3 * t;
    int edge = t;
    if (range_ > 0 && track > 0)
        edge = t + static_cast<int>(std::trunc(double(position_) * track / range_ + 0.5));
    thumbEdge_ = std::clamp(edge, t, std::max(t, length() - 2 * t));
    update();
}

void CProgressSlider::placeThumbAt(int edge)
{
    const int t = thumbLength();
    const int track = length() - 3 * t;
    thumbEdge_ = std::clamp(edge, t, std::max(t, length() - 2 * t));
    int position = 0;
    if (track > 0)
        position = static_cast<int>(std::trunc(double(thumbEdge_ - t) * range_ / track + 0.5));
    position_ = std::clamp(position, 0, range_);
}

int CProgressSlider::buttonAt(const QPoint& p) const
{
    for (int b : {LeftButton, RightButton})
        if (buttons_[b].contains(p))
            return b;
    return -1;
}

void CProgressSlider::updateButtonHover(const QPoint& p)
{
    bool changed = false;
    for (int b : {LeftButton, RightButton}) {
        const bool over = pointerInside_ && buttons_[b].contains(p);
        changed = changed || over != buttonHover_[b];
        buttonHover_[b] = over;
    }
    if (buttonHover_[LeftButton] || buttonHover_[RightButton])
        buttonLeaveTimer_.start(80, this);
    if (changed)
        update();
}

void CProgressSlider::notify(int code)
{
    emit scrolled(code, position_);
}

void CProgressSlider::decrement()
{
    if (position_ > 0)
        --position_;
    notify(LineUp);
    placeThumbFromPosition();
}

void CProgressSlider::increment()
{
    if (position_ < range_)
        ++position_;
    notify(LineDown);
    placeThumbFromPosition();
}

void CProgressSlider::stopRepeat()
{
    repeatTimer_.stop();
    delayTimer_.stop();
}

void CProgressSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    lastPointer_ = p;
    pointerInside_ = rect().contains(p);
    stopRepeat();
    setFocus(Qt::MouseFocusReason);
    const int button = buttonAt(p);
    if (thumbRect().contains(p)) {
        dragging_ = true;
    } else if (button == RightButton || button == LeftButton) {
        pressed_[button] = true;
        delayTimer_.start(repeatDelayMs(), this);
    } else {
        placeThumbAt(along(p) - thumbLength() / 2);
        update();
        notify(ThumbTrack);
        // The thumb is now under the pointer: holding and moving drags it.
        dragging_ = true;
    }
    update();
}

void CProgressSlider::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void CProgressSlider::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    lastPointer_ = p;
    pointerInside_ = rect().contains(p);
    const bool wasHover = hover_;
    hover_ = thumbRect().contains(p);
    if (dragging_)
        dragged_ = true;
    updateButtonHover(p);
    if (dragged_) {
        placeThumbAt(along(p) - thumbLength() / 2);
        notify(ThumbTrack);
        update();
    }
    if (hover_ != wasHover) {
        update();
        thumbLeaveTimer_.start(50, this);
    }
    setCursor(hover_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CProgressSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    lastPointer_ = p;
    placeThumbFromPosition();
    stopRepeat();
    pressed_[LeftButton] = pressed_[RightButton] = false;
    const int button = buttonAt(p);
    if (button == LeftButton) {
        decrement();
    } else if (button == RightButton) {
        increment();
    } else if (thumbRect().contains(p)) {
        hover_ = true;
        thumbLeaveTimer_.start(50, this);
    }
    update();
    dragging_ = false;
    dragged_ = false;
}

void CProgressSlider::leaveEvent(QEvent* event)
{
    pointerInside_ = false;
    QWidget::leaveEvent(event);
}

void CProgressSlider::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const int inc = horizontal_ ? Qt::Key_Right : Qt::Key_Down;
    const int dec = horizontal_ ? Qt::Key_Left : Qt::Key_Up;
    if (key != inc && key != dec && key != Qt::Key_Home && key != Qt::Key_End) {
        QWidget::keyPressEvent(event);
        return;
    }
    placeThumbFromPosition();
    if (key == inc) {
        increment();
    } else if (key == dec) {
        decrement();
    } else if (key == Qt::Key_Home) {
        position_ = 0;
        decrement();
    } else {
        position_ = range_;
        increment();
    }
    event->accept();
}

void CProgressSlider::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutButtons();
    placeThumbFromPosition();
}

void CProgressSlider::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void CProgressSlider::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

void CProgressSlider::timerEvent(QTimerEvent* event)
{
    const int id = event->timerId();
    if (id == delayTimer_.timerId()) {
        delayTimer_.stop();
        if (pressed_[LeftButton] || pressed_[RightButton]) {
            repeatTimer_.start(kRepeatMs, this);
            update();
        }
    } else if (id == repeatTimer_.timerId()) {
        if (pressed_[LeftButton])
            decrement();
        else if (pressed_[RightButton])
            increment();
        if (!pointerInside_)
            pressed_[LeftButton] = pressed_[RightButton] = false;
        if (!pressed_[LeftButton] && !pressed_[RightButton]) {
            repeatTimer_.stop();
            update();
        }
    } else if (id == thumbLeaveTimer_.timerId()) {
        if (!pointerInside_ || !thumbRect().contains(lastPointer_)) {
            hover_ = false;
            thumbLeaveTimer_.stop();
            setCursor(Qt::ArrowCursor);
            update();
        }
    } else if (id == buttonLeaveTimer_.timerId()) {
        updateButtonHover(lastPointer_);
        if (!buttonHover_[LeftButton] && !buttonHover_[RightButton]) {
            buttonLeaveTimer_.stop();
            update();
        }
    } else {
        QWidget::timerEvent(event);
    }
}

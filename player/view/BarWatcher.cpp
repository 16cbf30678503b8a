#include "BarWatcher.h"

#include "ViewLayout.h"

#include <QWidget>

using view_layout::kBarHeight;

BarWatcher::BarWatcher(QWidget* view, QWidget* bar) : view_(view), bar_(bar)
{
    timer_.setInterval(kInterval);
    QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
}

void BarWatcher::start()
{
    bar_->setGeometry(0, view_->height(), view_->width(), 0);
    barMoved();
    timer_.start();
}

void BarWatcher::stop()
{
    timer_.stop();
    raised_ = false;
}

void BarWatcher::barMoved()
{
    band_ = -1;
    raised_ = false;
}

void BarWatcher::look()
{
    const int band = view_layout::barRaisedFor(view_->height(), pointerY_) ? 1 : 0;
    // The bar moves only when its band changes.
    if (band == band_)
        return;
    band_ = band;
    raised_ = band != 0;
    const int w = view_->width(), h = view_->height();
    const QRect place = raised_ ? QRect(0, h - 2 * kBarHeight, w, kBarHeight)
                                : QRect(0, h - kBarHeight, w, kBarHeight);
    if (bar_->geometry() != place)
        bar_->setGeometry(place);
}

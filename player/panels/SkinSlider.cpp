#include "SkinSlider.h"

#include "VisualManager.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {

constexpr int kChannelHeight = 4;
constexpr qreal kDisabledOpacity = 0.45;

}  // namespace

SkinSlider::SkinSlider(bool hueChannel, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), hueChannel_(hueChannel)
{
    setAttribute(Qt::WA_Hover);
}

void SkinSlider::paintEvent(QPaintEvent* event)
{
    const CVisualManager* skin = CVisualManager::instance();
    if (!skin) {
        QSlider::paintEvent(event);
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(kDisabledOpacity);
    // The channel runs the groove's length, centred across the slider; the skin draws it one
    // pixel higher.
    const QRect channel(groove.left(), (height() - kChannelHeight) / 2 + 1, groove.width(),
                        kChannelHeight);
    if (hueChannel_)
        skin->paintHueChannel(painter, channel);
    else
        skin->paintColorChannel(painter, channel);
    const bool hot = underMouse() && (option.activeSubControls & QStyle::SC_SliderHandle);
    skin->paintSliderThumb(painter, QRect(handle.left(), 0, handle.width(), height()), true, hot,
                           isSliderDown());
}

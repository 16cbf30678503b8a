// CProgressSlider's pictures: the thumb in its colours, the played part of the track, the end
// buttons and the whole control, drawn into a buffer and then onto the widget.
#include "ProgressSlider.h"

#include "ProgressSliderImages.h"

#include <QPainter>

void CProgressSlider::buildThumbImages()
{
    if (colourThumb_ && thumbColour_.isValid()) {
        thumbNormal_ = progress_images::recolourThumb(thumbSource_, thumbColour_, greyMarks_);
        thumbHot_ = progress_images::recolourThumb(thumbSource_, hotThumbColour_, greyMarks_);
    } else {
        thumbNormal_ = thumbSource_;
        thumbHot_ = thumbSource_;
    }
}

QImage CProgressSlider::playedStrip() const
{
    if (colourThumb_ && shadePlayed_ && thumbColour_.isValid())
        return progress_images::shadeTrack(track_, progress_images::playedShades(thumbColour_),
                                           horizontal_);
    return track_;
}

void CProgressSlider::paintEndButton(QPainter& painter, Button which) const
{
    QRect r = buttons_[which];
    if (pressed_[which])
        r.translate(1, 1);
    if (!buttonImages_[which].isNull())
        painter.drawImage(r, buttonImages_[which]);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QColor(76, 85, 118));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    if (buttonHover_[which]) {
        painter.setPen(frameColour_);
        painter.drawRect(r.adjusted(1, 1, -2, -2));
    }
}

void CProgressSlider::paintEvent(QPaintEvent*)
{
    QImage buffer(size(), QImage::Format_ARGB32_Premultiplied);
    buffer.fill(QColor(14, 15, 18));
    QPainter painter(&buffer);
    const int t = thumbLength();
    const int centre = thumbEdge_ + t / 2;
    const int trackStart = t;
    const int trackEnd = length() - t;
    const QImage played = playedStrip();
    if (horizontal_) {
        if (!track_.isNull() && trackEnd > centre)
            painter.drawImage(QRect(centre, 0, trackEnd - centre, height()), track_);
        if (!played.isNull() && centre > trackStart)
            painter.drawImage(QRect(trackStart, 0, centre - trackStart, height()), played);
    } else {
        if (!track_.isNull() && trackEnd > centre)
            painter.drawImage(QRect(0, centre, width(), trackEnd - centre), track_);
        if (!played.isNull() && centre > trackStart)
            painter.drawImage(QRect(0, trackStart, width(), centre - trackStart), played);
    }
    paintEndButton(painter, LeftButton);
    paintEndButton(painter, RightButton);
    const QImage& thumb = (hover_ || hasFocus()) ? thumbHot_ : thumbNormal_;
    if (!thumb.isNull())
        painter.drawImage(thumbRect().topLeft(), thumb);
    if (!isEnabled())
        painter.fillRect(rect(), QColor(0, 0, 0, 110));
    painter.end();
    QPainter(this).drawImage(0, 0, buffer);
}

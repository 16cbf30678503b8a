#include "ImageStrip.h"

#include "Resources.h"

#include <QPainter>

bool ImageStrip::load(const QString& name, QSize cellSize)
{
    name_ = name;
    cell_ = cellSize;
    image_ = QImage();
    if (name.isEmpty() || cellSize.isEmpty())
        return false;
    velmora::initResources();
    image_.load(QStringLiteral(":/images/%1.png").arg(name));
    return isLoaded();
}

int ImageStrip::count() const
{
    if (!isLoaded() || cell_.width() <= 0)
        return 0;
    return image_.width() / cell_.width();
}

QImage ImageStrip::cell(int index) const
{
    if (index < 0 || index >= count())
        return QImage();
    return image_.copy(index * cell_.width(), 0, cell_.width(), cell_.height());
}

void ImageStrip::draw(QPainter& painter, const QPoint& topLeft, int index) const
{
    if (index < 0 || index >= count())
        return;
    painter.drawImage(topLeft, image_,
                      QRect(index * cell_.width(), 0, cell_.width(), cell_.height()));
}

void ImageStrip::draw(QPainter& painter, const QRect& rect, int index) const
{
    draw(painter, rect.topLeft(), index);
}

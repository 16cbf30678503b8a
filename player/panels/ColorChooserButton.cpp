#include "ColorChooserButton.h"

#include "ArrowStrips.h"

#include <QPainter>

CColorChooserButton::CColorChooserButton(QWidget* parent) : QPushButton(parent) {}

CColorChooserButton::CColorChooserButton(QSize imageSize, const QString& imageName,
                                         QWidget* parent)
    : QPushButton(parent), imageSize_(imageSize)
{
    if (imageName.isEmpty())
        return;
    const QPixmap strip = panelArrowStrip(imageName);
    if (strip.width() >= imageSize.width() && strip.height() >= imageSize.height()) {
        strip_ = strip;
        setAttribute(Qt::WA_Hover);
        setFlat(true);
    }
}

int CColorChooserButton::currentImage() const
{
    const bool hot = underMouse();
    if (hot && isDown())
        return 2;
    return hot ? 1 : 0;
}

void CColorChooserButton::paintEvent(QPaintEvent* event)
{
    if (strip_.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    const int cells = strip_.width() / imageSize_.width();
    const int cell = std::min(currentImage(), cells - 1);
    const QRect source(cell * imageSize_.width(), 0, imageSize_.width(), imageSize_.height());
    QRect target(QPoint(0, 0), imageSize_);
    target.moveCenter(rect().center());
    QPainter painter(this);
    painter.drawPixmap(target, strip_, source);
}

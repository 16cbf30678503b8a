#include "CaptionLabel.h"

#include <QPainter>
#include <QStyle>

CaptionLabel::CaptionLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    fitted_.shown = text;
    fittedText_ = text;
}

void CaptionLabel::setFitted(const captionfit::FittedCaption& fitted)
{
    fitted_ = fitted;
    fittedText_ = text();
    setToolTip(fitted.elided ? text() : QString());
    update();
}

// A caption changed since it was fitted is drawn as it is until it is fitted again.
QString CaptionLabel::shownText() const
{
    return fittedText_ == text() ? fitted_.shown : text();
}

QFont CaptionLabel::shownFont() const
{
    return fittedText_ == text() ? captionfit::withStretch(font(), fitted_.stretch) : font();
}

void CaptionLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(shownFont());
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

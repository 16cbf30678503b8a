#include "TimeLabel.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

CTimeLabel::CTimeLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CTimeLabel::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    update();
}

QFont CTimeLabel::textFont() const
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    // The label reaches past the bar's right edge: narrow the font until the whole text
    // fits into the part that is visible.
    int visible = width();
    if (parentWidget())
        visible = std::min(visible, parentWidget()->width() - x() - 2);
    const int full = QFontMetrics(font).horizontalAdvance(text_);
    if (visible > 0 && full > visible)
        font.setStretch(std::max(60, visible * 100 / full));
    return font;
}

void CTimeLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setFont(textFont());
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, text_);
}

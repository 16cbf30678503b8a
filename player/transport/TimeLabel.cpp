#include "TimeLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScreen>

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
    // The label reaches past the bar's right edge, and in full screen the bar reaches past
    // the screen's: narrow the font until the whole text fits into the part that is visible.
    constexpr int margin = 2;
    int visible = width();
    if (parentWidget())
        visible = std::min(visible, parentWidget()->width() - x() - margin);
    if (const QScreen* shown = screen())
        visible = std::min(visible, shown->geometry().right() + 1 -
                                        mapToGlobal(QPoint(0, 0)).x() - margin);
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

#include "OnScreenNote.h"

#include <algorithm>

OnScreenNote::OnScreenNote(QWidget* anchor)
    : QLabel(anchor ? anchor->window() : nullptr,
             Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                 Qt::WindowTransparentForInput),
      anchor_(anchor)
{
    setObjectName(QStringLiteral("onScreenNote"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(QStringLiteral("QLabel { background: rgba(0, 0, 0, 190); color: white; "
                                 "padding: 6px 10px; border-radius: 4px; }"));
    QFont larger = font();
    larger.setPointSizeF(larger.pointSizeF() * 1.25);
    setFont(larger);
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(kShowMs);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
}

void OnScreenNote::showNote(const QString& text)
{
    if (!anchor_ || !anchor_->isVisible())
        return;
    setText(text);
    adjustSize();
    // Never wider than the picture: a long folder name is cut at its middle.
    const int room = anchor_->width() - 2 * kMargin;
    if (width() > room && room > 0) {
        const int padding = width() - fontMetrics().horizontalAdvance(text);
        setText(fontMetrics().elidedText(text, Qt::ElideMiddle, std::max(0, room - padding)));
        adjustSize();
    }
    move(anchor_->mapToGlobal(QPoint(kMargin, kMargin)));
    show();
    raise();
    hideTimer_.start();
}

#include "FloatPanelSkin.h"

#include "VisualManager.h"

#include <QPainter>
#include <QRect>
#include <QString>

namespace floatpanelskin {

namespace {

// The lines under the caption and along the top reach this far past their ends.
constexpr int kLineOverhang = 2;

}  // namespace

void paintCaption(const CVisualManager& skin, QPainter& painter, const QRect& caption,
                  const QRect& text, const QString& title)
{
    skin.drawElement(painter, SkinElement::FloatCaption,
                     caption.adjusted(-kBorder, -kBorder, kBorder, 0));
    const int line = skin.size(SkinElement::FloatCaptionLine).height();
    skin.drawElement(painter, SkinElement::FloatCaptionLine,
                     QRect(caption.left() - kLineOverhang, caption.bottom() + 1 - line,
                           caption.width() + 2 * kLineOverhang, line),
                     0);
    if (text.width() <= 0)
        return;
    painter.setPen(CVisualManager::captionText());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(title, Qt::ElideRight, text.width()));
}

void paintBorders(const CVisualManager& skin, QPainter& painter, const QRect& window,
                  int captionBottom)
{
    const int bottom = window.bottom() + 1 - kBorder;
    if (bottom > captionBottom) {
        skin.drawElement(painter, SkinElement::BorderLeft,
                         QRect(window.left(), captionBottom, kBorder, bottom - captionBottom));
        skin.drawElement(painter, SkinElement::BorderRight,
                         QRect(window.right() + 1 - kBorder, captionBottom, kBorder,
                               bottom - captionBottom));
    }
    skin.drawElement(painter, SkinElement::FloatBottom,
                     QRect(window.left(), bottom, window.width(), kBorder));
    const int line = skin.size(SkinElement::FloatCaptionLine).height();
    skin.drawElement(painter, SkinElement::FloatCaptionLine,
                     QRect(window.left() + kBorder - kLineOverhang, window.top(),
                           window.width() - 2 * (kBorder - kLineOverhang), line),
                     1);
}

}  // namespace floatpanelskin

// The skin's drawing of a floating panel's window: the caption (its background reaching over
// the top and side borders, the line under it, the title in white) and the borders (the sides
// below the caption, the bottom across the full width, the line along the top).
#pragma once

class CVisualManager;
class QPainter;
class QRect;
class QString;

namespace floatpanelskin {

// Every border of a floating panel is this wide; the caption is at least this high.
constexpr int kBorder = 4;
constexpr int kCaptionHeight = 19;
// The caption's text starts this far into the caption.
constexpr int kTextIndent = 4;

// caption: the caption's rectangle inside the borders; text: where the title may go.
void paintCaption(const CVisualManager& skin, QPainter& painter, const QRect& caption,
                  const QRect& text, const QString& title);
// The borders of a window of the given size whose caption ends (exclusive) at captionBottom.
void paintBorders(const CVisualManager& skin, QPainter& painter, const QRect& window,
                  int captionBottom);

}  // namespace floatpanelskin

#include "CaptionFit.h"

#include <QFontMetrics>

#include <algorithm>
#include <vector>

namespace captionfit {

namespace {

int advance(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

// Whether two captions with different texts show the same.
bool collide(const Caption& a, const Caption& b)
{
    return a.text != b.text && a.fitted.shown == b.fitted.shown;
}

}  // namespace

QFont withStretch(const QFont& font, int stretch)
{
    QFont narrowed(font);
    if (stretch != 100)
        narrowed.setStretch(stretch);
    return narrowed;
}

FittedCaption fit(const QFont& font, const QString& text, int width, Qt::TextElideMode mode)
{
    const int full = advance(font, text);
    if (width <= 0 || full <= width)
        return {text, 100, false};
    // The proportional guess is close; a few steps down make up for hinting and rounding.
    for (int stretch = std::max(kStretchFloor, width * 100 / full); stretch >= kStretchFloor;
         --stretch) {
        if (advance(withStretch(font, stretch), text) <= width)
            return {text, stretch, false};
    }
    const QFont narrowest = withStretch(font, kStretchFloor);
    return {QFontMetrics(narrowest).elidedText(text, mode, width), kStretchFloor, true};
}

void fitAll(const QFont& font, std::span<Caption> captions)
{
    for (Caption& c : captions)
        c.fitted = fit(font, c.text, c.width);
    std::vector<Caption*> clashing;
    for (Caption& a : captions)
        for (const Caption& b : captions)
            if (collide(a, b)) {
                clashing.push_back(&a);
                break;
            }
    for (Caption* c : clashing)
        c->fitted = fit(font, c->text, c->width, Qt::ElideMiddle);
}

}  // namespace captionfit

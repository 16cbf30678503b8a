// Fitting a caption into the width it has: first at the font's own width, then narrowed (a
// smaller font stretch) down to a readable floor, and only then elided at that floor.
#pragma once

#include <QFont>
#include <QString>

#include <span>

namespace captionfit {

// The narrowest stretch a caption is drawn with, in percent of the font's own width.
inline constexpr int kStretchFloor = 70;

struct FittedCaption {
    QString shown;       // what is drawn: the whole caption, or its elided form
    int stretch = 100;   // the font stretch it is drawn with, kStretchFloor to 100
    bool elided = false;
};

// How text is drawn in width pixels with font. A width of 0 or less shows the caption as it
// is: there is nothing to fit it into yet.
FittedCaption fit(const QFont& font, const QString& text, int width,
                  Qt::TextElideMode mode = Qt::ElideRight);

// font with the stretch of a fitted caption applied.
QFont withStretch(const QFont& font, int stretch);

// One caption of a group that must stay told apart on screen.
struct Caption {
    QString text;
    int width = 0;
    FittedCaption fitted;
};

// Fits every caption of the group. Captions that differ but would show the same elided text
// ("Сектантская…" four times) are elided in the middle instead, which keeps their ends.
void fitAll(const QFont& font, std::span<Caption> captions);

}  // namespace captionfit

// Colour work for the progress slider's images: the recoloured thumb and the shaded strip of
// the played part of the track.
#pragma once

#include <QColor>
#include <QImage>

namespace progress_images {

// Pixels of exactly RGB(0, 0, 1) take `colour`; pixels of exactly RGB(0, 0, 2) become
// RGB(91, 91, 91) when greyMarks is set, else the colour of the pixel visited just before.
// Pixels are visited column by column, each from top to bottom.
QImage recolourThumb(const QImage& thumb, QColor colour, bool greyMarks);

// Three shades of `base`: its hue, half its saturation, lightness 0.8, 0.87 and 0.92.
struct Shades {
    QColor first, second, rest;
};
Shades playedShades(QColor base);

// The track strip with its first row (column for a vertical strip) in shades.first, the
// second in shades.second and the others in shades.rest.
QImage shadeTrack(const QImage& track, const Shades& shades, bool horizontal);

}  // namespace progress_images

// The skin's colour arithmetic: conversion between RGB and hue, saturation, lightness, and
// the recolouring of images by a hue rotation and an additive saturation shift.
#pragma once

#include <QRgb>

class QImage;

namespace huesat {

struct Hsl {
    double hue = 0.0;         // 0 to 1 (a full turn)
    double saturation = 0.0;  // 0 to 1
    double lightness = 0.0;   // 0 to 1
};

Hsl rgbToHsl(int red, int green, int blue);
// hueDegrees is an angle: any value, negative ones included, is taken modulo 360.
// Returns an opaque colour.
QRgb hlsToRgb(double hueDegrees, double lightness, double saturation);

// The colour of rgb's hue turned by hueShift degrees and its saturation raised by
// saturationShift (limited to 0 to 1), at the same lightness. Alpha is kept.
QRgb shiftColor(QRgb rgb, double hueShift, double saturationShift);

// Writes source's pixels, recoloured, into target: grey pixels (red = green = blue) are
// copied as they are, alpha included; every other pixel is shifted and keeps target's alpha.
// Both must be ARGB32 images of the same size; otherwise target is left alone and the
// result is false.
bool recolor(const QImage& source, QImage& target, double hueShift, double saturationShift);

}  // namespace huesat

// The media-information panel's tab images: four 16 x 16 cells side by side (Base, More,
// Complete, Other) on magenta, the colour the panel makes transparent.
#pragma once

#include <QImage>

QImage mediaInfoTabImages();

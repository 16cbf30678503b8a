// The volume pop-up's channel pictures (10 x 100): a groove on a magenta background that the
// slider treats as see-through (the colour of the top-left pixel). The active picture is the
// same groove lit, for the part of the channel the slider shows as filled.
#pragma once

#include <QImage>

QImage volumeChannel(bool active);

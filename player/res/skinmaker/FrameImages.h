// The window frame's pictures: caption, borders, system buttons, floating-panel frames, the
// explorer toolbar's background and buttons, slider thumbs and the panels' close button.
#pragma once

#include <QImage>

#include <utility>
#include <vector>

std::vector<std::pair<const char*, QImage>> frameImages();

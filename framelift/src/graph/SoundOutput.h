// The sound branch's parts: the output device and the volume scale.
#pragma once

#include <gst/gst.h>

#include <cstdint>

namespace framelift {

constexpr int32_t kSilenceHundredthsDb = -10000;

// The desktop's sound output, already opened; a clock-following discarding sink when no
// device can be opened, so that video still plays on a machine without sound.
GstElement* makeSoundOutput();

// Hundredths of a decibel to the volume element's linear factor and back: linear =
// 10^(v / 2000), with -10000 and below meaning silence (0).
double linearFromHundredthsDb(int32_t hundredthsDb);
int32_t hundredthsDbFromLinear(double linear);

}  // namespace framelift

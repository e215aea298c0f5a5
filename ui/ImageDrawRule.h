#pragma once
#include "platform/Geometry.h"

// Where an image box draws a picture of w x h in a client area of cw x ch. A stretching box, or a
// proportional one whose picture is larger than the box, scales the picture (proportional: keeping
// its aspect, truncating); a smaller picture in a proportional box keeps its size. A centring box
// then moves the rectangle to the middle.
platform::TRect ImageDrawRect(int w, int h, int cw, int ch, bool stretch, bool proportional, bool center);

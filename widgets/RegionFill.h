#pragma once
#include "core/TColor.h"
#include "platform/Region.h"

class QImage;

// Fills the region's pixels of a 32-bit image with an opaque colour, clipped to the image.
void FillRegion(QImage& image, const platform::Region& region, TColor color);

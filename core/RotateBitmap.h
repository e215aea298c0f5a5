#pragma once
#include "platform/Geometry.h"

class TBitmap;

// Rotates `source` by `angle` degrees (positive: clockwise on screen) about `centre` into
// `destination`, by inverse mapping: each destination pixel takes the source pixel that lands on
// it, or blue when that falls outside the picture. The destination gets the source's size at
// 24 bits per pixel; its former size and pixels are discarded. A source at another format is
// read from a private 24-bit copy, so the caller's raster keeps its format.
void RotateBitmap(TBitmap& source, TBitmap& destination, platform::TPoint centre, double angle);

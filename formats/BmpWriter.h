#pragma once
#include "core/TBitmapImage.h"
#include "core/TStream.h"

// Writes the store as a BMP file: the kept file bytes when it has them, otherwise its raster in its
// own bit count with its colour table and masks, rows as stored. An empty store writes nothing.
void WriteBmp(const TBitmapImage& image, TStream& stream);

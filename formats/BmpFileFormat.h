#pragma once
#include "core/TBitmap.h"

// The BMP file format of TBitmap: reading with every length checked against the file, writing
// the raster in its own layout.
class BmpFileFormat : public TBitmapFileFormat {
public:
    void Read(TBitmap& bitmap, TStream& stream) const override;
    void Write(TBitmap& bitmap, TStream& stream) const override;
};

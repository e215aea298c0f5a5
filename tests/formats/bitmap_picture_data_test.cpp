// The stored form of a raster inside a window description, which is a BMP file behind a length.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/TBitmap.h"
#include "core/TStream.h"
#include "tests/core/RasterTestHelpers.h"

TEST(PictureData, RoundTripReadsOnlyItsOwnBytes) {
    TBitmap original;
    MakeRaster(original, rf24Bit, 3, 2);
    PaintPattern(original, PureColors());
    TMemoryStream stream;
    original.WritePictureData(stream);
    const std::int64_t end = stream.Position();
    stream.WriteBuffer("tail", 4);
    stream.SetPosition(0);
    TBitmap copy;
    copy.ReadPictureData(stream);
    EXPECT_EQ(stream.Position(), end);
    ASSERT_EQ(copy.Width(), 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(copy.Surface().ReadPixel(x, y), PatternColor(x, y, PureColors()));
}

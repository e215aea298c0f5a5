#include <gtest/gtest.h>

#include "core/InvertColors.h"
#include "tests/core/EditsFixtures.h"

namespace {

using platform::RGB;

TEST(InvertColors, ComplementsEveryChannel) {
    auto picture = MakeRaster24(2, 1, [](int x, int) { return x == 0 ? RGB(0, 0, 0) : RGB(255, 128, 0); });
    TBitmap& result = InvertColors(*picture);
    EXPECT_EQ(&result, picture.get());
    EXPECT_EQ(Pixel24(*picture, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(Pixel24(*picture, 1, 0), RGB(0, 127, 255));
}

TEST(InvertColors, TwiceGivesBackThePicture) {
    auto picture = MakeRaster24(7, 5, PositionColor);
    const auto before = Pixels24(*picture);
    InvertColors(InvertColors(*picture));
    EXPECT_EQ(Pixels24(*picture), before);
}

TEST(InvertColors, RowPaddingIsLeftAlone) {
    // Width 1 at 24 bits: 3 pixel bytes and 1 padding byte per row.
    auto picture = MakeRaster24(1, 3, PositionColor);
    for (int y = 0; y < 3; ++y) picture->Row(y)[3] = 0xA5;
    InvertColors(*picture);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(picture->Row(y)[3], 0xA5);
        EXPECT_EQ(Pixel24(*picture, 0, y), PositionColor(0, y) ^ 0xFFFFFF);
    }
}

TEST(InvertColors, IndexedPictureBecomes24BitAndInvertsBackToItsConversion) {
    TBitmap picture;
    picture.SetWidth(5);
    picture.SetHeight(3);
    picture.SetRasterFormat(rf8Bit);
    picture.Surface().WritePixel(2, 1, clBlack);
    picture.Surface().WritePixel(4, 2, clRed);

    TBitmap converted;
    converted.CopyFrom(&picture);
    converted.SetRasterFormat(rf24Bit);

    InvertColors(picture);
    EXPECT_EQ(picture.RasterFormat(), rf24Bit);
    EXPECT_EQ(Pixel24(picture, 2, 1), clWhite);
    InvertColors(picture);
    EXPECT_EQ(picture.RasterFormat(), rf24Bit);
    EXPECT_EQ(Pixels24(picture), Pixels24(converted));
}

TEST(InvertColors, EmptyPictureStaysEmpty) {
    TBitmap empty;
    InvertColors(empty);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Height(), 0);
}

}  // namespace

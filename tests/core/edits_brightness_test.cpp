#include <gtest/gtest.h>

#include "core/ShiftBrightness.h"
#include "tests/core/EditsFixtures.h"

namespace {

using platform::RGB;

std::unique_ptr<TBitmap> OnePixel(TColor color) {
    return MakeRaster24(1, 1, [color](int, int) { return color; });
}

TEST(ShiftBrightness, EachChannelShiftsOnlyWhileItStaysAByte) {
    auto picture = OnePixel(RGB(230, 100, 205));
    EXPECT_TRUE(ShiftBrightness(*picture, 50, 50, 50));
    EXPECT_EQ(Pixel24(*picture, 0, 0), RGB(230, 150, 255));

    auto edge = OnePixel(RGB(206, 205, 0));
    ShiftBrightness(*edge, 50, 50, 50);
    EXPECT_EQ(Pixel24(*edge, 0, 0), RGB(206, 255, 50));

    auto dark = OnePixel(RGB(50, 49, 255));
    ShiftBrightness(*dark, -50, -50, -50);
    EXPECT_EQ(Pixel24(*dark, 0, 0), RGB(0, 49, 205));
}

TEST(ShiftBrightness, RepeatedStepStopsWhereItWouldOverflow) {
    auto picture = OnePixel(RGB(160, 160, 160));
    ShiftBrightness(*picture, 50, 50, 50);
    EXPECT_EQ(Pixel24(*picture, 0, 0), RGB(210, 210, 210));
    ShiftBrightness(*picture, 50, 50, 50);
    EXPECT_EQ(Pixel24(*picture, 0, 0), RGB(210, 210, 210));
}

TEST(ShiftBrightness, StepsPerChannelAreIndependent) {
    auto picture = OnePixel(RGB(100, 100, 100));
    ShiftBrightness(*picture, 10, -20, 0);
    EXPECT_EQ(Pixel24(*picture, 0, 0), RGB(110, 80, 100));
}

TEST(ShiftBrightness, ZeroStepsTouchNothing) {
    auto picture = MakeRaster24(3, 2, PositionColor);
    const auto before = Pixels24(*picture);
    int changes = 0;
    picture->OnChange = [&](TGraphic&) { ++changes; };
    EXPECT_FALSE(ShiftBrightness(*picture, 0, 0, 0));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(Pixels24(*picture), before);
}

TEST(ShiftBrightness, ShiftsEveryPixelAndNotifies) {
    auto picture = MakeRaster24(5, 3, PositionColor);
    int changes = 0;
    picture->OnChange = [&](TGraphic&) { ++changes; };
    EXPECT_TRUE(ShiftBrightness(*picture, 10, 10, 10));
    EXPECT_GT(changes, 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(Pixel24(*picture, x, y), RGB(20 + x, 30 + y, 40));
}

TEST(ShiftBrightness, EmptyPictureSucceedsAndStaysEmpty) {
    TBitmap empty;
    EXPECT_TRUE(ShiftBrightness(empty, 10, 10, 10));
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(ShiftBrightness, IndexedPictureKeepsItsFormat) {
    TBitmap picture;
    picture.SetWidth(4);
    picture.SetHeight(4);
    picture.SetRasterFormat(rf8Bit);
    picture.Surface().WritePixel(1, 1, clBlack);
    ShiftBrightness(picture, -50, -50, -50);
    EXPECT_EQ(picture.RasterFormat(), rf8Bit);
    // Black cannot darken; white (255 - 50) lands on the table's nearest colour, no longer white.
    EXPECT_EQ(picture.Surface().ReadPixel(1, 1), clBlack);
    EXPECT_NE(picture.Surface().ReadPixel(0, 0), clWhite);
}

}  // namespace

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

// Rows of 24- and 32-bit layouts, each byte random (padding and the fourth byte too), shifted in
// place and, with the store shared by an undo step, into a new store: both give each channel its
// own step and leave every other byte alone, and the shared store keeps its old bytes.
TEST(ShiftBrightness, RowsInPlaceAndIntoANewStoreGiveTheSameBytes) {
    struct Layout {
        const char* name;
        int bitCount, height;  // a negative height stores the rows top-down
        bool device;
    } layouts[] = {{"24 bottom-up", 24, 3, false},
                   {"24 top-down", 24, -3, false},
                   {"32", 32, 3, false},
                   {"32 device", 32, 3, true}};
    const int deltaRed = 37, deltaGreen = -20, deltaBlue = 250;
    const auto shifted = [](std::uint8_t value, int delta) {
        const int v = value + delta;
        return std::uint8_t(v >= 0 && v <= 255 ? v : value);
    };
    std::uint32_t seed = 7;
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        platform::BitmapInfoHeader header;
        header.width = 5;
        header.height = layout.height;
        header.bitCount = std::uint16_t(layout.bitCount);
        auto raster =
            layout.device ? platform::Bitmap::CreateDevice(5, 3) : platform::Bitmap::CreateDib(header, {});
        for (std::uint8_t& byte : raster->bits) byte = std::uint8_t((seed = seed * 1103515245 + 12345) >> 16);
        const platform::RasterRows original = raster->bits;
        const int pixelBytes = layout.bitCount / 8;
        platform::RasterRows expected = original;
        for (int y = 0; y < 3; ++y) {
            std::uint8_t* row = expected.data() + (raster->ScanLine(y) - raster->bits.data());
            for (int x = 0; x < 5; ++x) {
                std::uint8_t* p = row + x * pixelBytes;
                p[0] = shifted(p[0], deltaBlue), p[1] = shifted(p[1], deltaGreen),
                p[2] = shifted(p[2], deltaRed);
            }
        }
        auto store = std::make_shared<TBitmapImage>();
        store->handle = std::move(raster);
        TBitmap inPlace, keeper, outOfPlace;
        inPlace.AssignImage(store);
        inPlace.Row(0);  // a store of its own
        keeper.AssignImage(store);
        outOfPlace.CopyFrom(&keeper);
        ASSERT_TRUE(ShiftBrightness(inPlace, deltaRed, deltaGreen, deltaBlue));
        ASSERT_TRUE(ShiftBrightness(outOfPlace, deltaRed, deltaGreen, deltaBlue));
        EXPECT_TRUE(inPlace.Image()->handle->bits == expected);
        EXPECT_TRUE(outOfPlace.Image()->handle->bits == expected);
        EXPECT_TRUE(keeper.Image()->handle->bits == original);
        EXPECT_EQ(outOfPlace.RasterFormat(), keeper.RasterFormat());
        EXPECT_EQ(outOfPlace.Image()->description.height, keeper.Image()->description.height);
    }
}

}  // namespace

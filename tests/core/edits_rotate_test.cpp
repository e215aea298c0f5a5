#include <gtest/gtest.h>

#include <cmath>

#include "core/RotateBitmap.h"
#include "tests/core/EditsFixtures.h"

namespace {

using Names = std::vector<std::vector<std::string>>;
using Rows = std::vector<std::string>;

Rows Rotated(int width, int height, platform::TPoint centre, double angle, const Names& names) {
    auto source = MakeRaster24(width, height, PositionColor);
    TBitmap result;
    RotateBitmap(*source, result, centre, angle);
    EXPECT_EQ(result.RasterFormat(), rf24Bit);
    return Describe(result, names);
}

// The mapping written out plainly, one pixel at a time.
std::vector<TColor> ReferenceRotation(TBitmap& source, platform::TPoint centre, double angle) {
    const int w = source.Width(), h = source.Height();
    const double theta = double(-(long double)angle * 3.141592653589793238462643383279502884L / 180.0L);
    const double s = std::sin(theta), c = std::cos(theta);
    std::vector<TColor> out(std::size_t(w) * h);
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            const double u = 2 * (x - centre.X) + 1, v = 2 * (y - centre.Y) + 1;
            const long p = long(std::nearbyint(u * c - v * s)), q = long(std::nearbyint(u * s + v * c));
            const long sx = centre.X + (p - 1) / 2, sy = centre.Y + (q - 1) / 2;
            const bool inside = sx >= 0 && sx < w && sy >= 0 && sy < h;
            out[std::size_t(y) * w + x] = inside ? Pixel24(source, int(sx), int(sy)) : 0xFF0000;
        }
    return out;
}

TEST(RotateBitmap, SmallPicturesTurnAsTabled) {
    const Names square2{{"P", "Q"}, {"R", "S"}};
    EXPECT_EQ(Rotated(2, 2, {1, 1}, 90, square2), (Rows{"R P", "S Q"}));
    EXPECT_EQ(Rotated(2, 2, {1, 1}, 180, square2), (Rows{"S R", "Q P"}));

    const Names square3{{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}};
    EXPECT_EQ(Rotated(3, 3, {2, 2}, 90, square3), (Rows{"blue g d", "blue h e", "blue i f"}));
    EXPECT_EQ(Rotated(3, 3, {2, 2}, 180, square3), (Rows{"blue blue blue", "blue i h", "blue f e"}));

    const Names wide{{"A0", "A1", "A2", "A3"}, {"B0", "B1", "B2", "B3"}};
    EXPECT_EQ(Rotated(4, 2, {2, 1}, 90, wide), (Rows{"blue B1 A1 blue", "blue B2 A2 blue"}));
    EXPECT_EQ(Rotated(4, 2, {2, 1}, 180, wide), (Rows{"B3 B2 B1 B0", "A3 A2 A1 A0"}));
}

TEST(RotateBitmap, OddSquareLeavesEdgesBlue) {
    auto source = MakeRaster24(5, 5, PositionColor);
    TBitmap quarter, half;
    RotateBitmap(*source, quarter, {2, 2}, 90);
    RotateBitmap(*source, half, {2, 2}, 180);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(Pixel24(quarter, x, y) == 0xFF0000, x == 4) << x << "," << y;
            EXPECT_EQ(Pixel24(half, x, y) == 0xFF0000, x == 4 || y == 4) << x << "," << y;
        }
}

TEST(RotateBitmap, QuarterTurnsOfEvenSquareCompose) {
    auto source = MakeRaster24(6, 6, PositionColor);
    const std::vector<TColor> original = Pixels24(*source);

    TBitmap a, b;
    RotateBitmap(*source, a, {3, 3}, 90);
    RotateBitmap(a, b, {3, 3}, 90);
    TBitmap half;
    RotateBitmap(*source, half, {3, 3}, 180);
    EXPECT_EQ(Pixels24(b), Pixels24(half));

    RotateBitmap(b, a, {3, 3}, 90);
    RotateBitmap(a, b, {3, 3}, 90);
    EXPECT_EQ(Pixels24(b), original);
}

TEST(RotateBitmap, MatchesPlainFormulaOnOddSizesAndAngles) {
    struct Case {
        int w, h;
        platform::TPoint centre;
        double angle;
    };
    // Sizes beyond one 64-pixel block, odd sizes, off-centre points and angles off the menu.
    const Case cases[] = {{7, 5, {4, 2}, 90},         {7, 5, {4, 2}, 180},
                          {9, 13, {4, 6}, 270},       {9, 13, {0, 0}, -90},
                          {131, 67, {66, 34}, 90},    {131, 67, {66, 34}, 180},
                          {67, 131, {-5, 200}, 90},   {131, 67, {70, 30}, -180},
                          {9, 13, {400, -300}, 180},  {131, 67, {66, 34}, 90.0000001},
                          {131, 67, {60, 30}, 89.99}, {31, 17, {15, 8}, 30},
                          {31, 17, {16, 9}, -45.5},   {1, 1, {1, 1}, 90},
                          {25, 25, {12, 13}, 360}};
    for (const Case& k : cases) {
        auto source = MakeRaster24(k.w, k.h, PositionColor);
        TBitmap result;
        RotateBitmap(*source, result, k.centre, k.angle);
        EXPECT_EQ(Pixels24(result), ReferenceRotation(*source, k.centre, k.angle))
            << k.w << "x" << k.h << " about " << k.centre.X << "," << k.centre.Y << " by " << k.angle;
    }
}

TEST(RotateBitmap, HalfPixelCentreFallsBackToTheRoundedPointWhereNoPixelLandsOnAPixel) {
    auto source = MakeRaster24(9, 6, PositionColor);
    for (double angle : {90.0, -90.0, 30.0}) {
        TBitmap about, rounded;
        RotateAboutHalfPixelPoint(*source, about, HalfPixelPoint{9, 6}, angle);
        RotateBitmap(*source, rounded, platform::TPoint{4, 3}, angle);
        EXPECT_EQ(Pixels24(about), Pixels24(rounded)) << angle;
    }
    TBitmap even, whole;
    RotateAboutHalfPixelPoint(*source, even, HalfPixelPoint{8, 6}, 90);
    RotateBitmap(*source, whole, platform::TPoint{4, 3}, 90);
    EXPECT_EQ(Pixels24(even), Pixels24(whole));
}

TEST(RotateBitmap, DestinationTakesSourceSizeAndFormat) {
    auto source = MakeRaster24(4, 2, PositionColor);
    TBitmap destination;
    destination.SetWidth(9);
    destination.SetHeight(9);
    destination.SetRasterFormat(rf8Bit);
    RotateBitmap(*source, destination, {2, 1}, 180);
    EXPECT_EQ(destination.Width(), 4);
    EXPECT_EQ(destination.Height(), 2);
    EXPECT_EQ(destination.RasterFormat(), rf24Bit);

    TBitmap empty, out;
    RotateBitmap(empty, out, {0, 0}, 90);
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_EQ(out.Width(), 0);
    EXPECT_EQ(out.Height(), 0);
}

TEST(RotateBitmap, SourceAtOtherFormatIsReadAt24BitsAndKeepsItsFormat) {
    TBitmap indexed;
    indexed.SetWidth(4);
    indexed.SetHeight(3);
    indexed.SetRasterFormat(rf8Bit);
    indexed.Surface().WritePixel(0, 0, clBlack);
    indexed.Surface().WritePixel(3, 2, clBlack);

    TBitmap wide;
    wide.CopyFrom(&indexed);
    wide.SetRasterFormat(rf24Bit);
    TBitmap expected, result;
    RotateBitmap(wide, expected, {2, 2}, 180);
    RotateBitmap(indexed, result, {2, 2}, 180);

    EXPECT_EQ(indexed.RasterFormat(), rf8Bit);
    EXPECT_EQ(Pixels24(result), Pixels24(expected));
}

TEST(RotateBitmap, IntoItselfEqualsIntoAnother) {
    auto picture = MakeRaster24(5, 3, PositionColor);
    TBitmap separate;
    RotateBitmap(*picture, separate, {3, 2}, 90);
    RotateBitmap(*picture, *picture, {3, 2}, 90);
    EXPECT_EQ(Pixels24(*picture), Pixels24(separate));
}

}  // namespace

#include <gtest/gtest.h>

#include "core/DrawCaption.h"
#include "tests/core/EditsFixtures.h"

namespace {

using platform::RGB;

constexpr TColor Background = RGB(10, 200, 90);

std::unique_ptr<TBitmap> Plain(int width, int height) {
    return MakeRaster24(width, height, [](int, int) { return Background; });
}

// Pixels that differ from the background; each must be exactly `ink`.
int CountInk(TBitmap& picture, TColor ink, platform::TRect* bounds = nullptr) {
    int count = 0;
    platform::TRect box{picture.Width(), picture.Height(), -1, -1};
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const TColor c = Pixel24(picture, x, y);
            if (c == Background) continue;
            EXPECT_EQ(c, ink) << "pixel " << x << "," << y;
            ++count;
            box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x),
                   std::max(box.Bottom, y)};
        }
    if (bounds) *bounds = box;
    return count;
}

TEST(DrawCaption, OnlyLetterPixelsTakeTheFontColourExactly) {
    auto picture = Plain(120, 40);
    DrawCaption(*picture, "Hello, Мир", 5, 4, clRed, "DejaVu Sans", 12);
    platform::TRect ink;
    const int count = CountInk(*picture, RGB(255, 0, 0), &ink);

    const platform::TextSize cell = picture->Surface().TextExtent("Hello, Мир");
    EXPECT_GT(count, 20);
    EXPECT_LT(count, cell.cx * cell.cy / 2);  // no background box
    EXPECT_GE(ink.Left, 5);
    EXPECT_GE(ink.Top, 4);
    EXPECT_LT(ink.Right, 5 + cell.cx);
    EXPECT_LT(ink.Bottom, 4 + cell.cy);
    EXPECT_EQ(picture->RasterFormat(), rf24Bit);
    EXPECT_EQ(picture->Width(), 120);
}

TEST(DrawCaption, SystemColourIsResolved) {
    auto picture = Plain(60, 20);
    DrawCaption(*picture, "Ab", 2, 2, clWindowText, "MS Sans Serif", 8);
    EXPECT_GT(CountInk(*picture, platform::ColorToRGB(clWindowText)), 0);
}

TEST(DrawCaption, EightPointsAreElevenPixels) {
    auto picture = Plain(10, 10);
    DrawCaption(*picture, "x", 0, 0, clBlack, "MS Sans Serif", 8);
    EXPECT_EQ(picture->Surface().Font().Height(), 11);
    EXPECT_EQ(picture->Surface().Handle().FontHeight(), 11);
}

TEST(DrawCaption, EmptyTextChangesNothing) {
    auto picture = Plain(30, 20);
    DrawCaption(*picture, "", 2, 2, clRed, "DejaVu Sans", 12);
    EXPECT_EQ(CountInk(*picture, clRed), 0);
}

TEST(DrawCaption, TextPastTheEdgesIsCutOff) {
    auto far = Plain(40, 20);
    DrawCaption(*far, "Caption", 500, 500, clRed, "DejaVu Sans", 12);
    DrawCaption(*far, "Caption", -500, 2, clRed, "DejaVu Sans", 12);
    EXPECT_EQ(CountInk(*far, RGB(255, 0, 0)), 0);

    // Starting three pixels from the right edge: only the first letter's left part lands.
    auto edge = Plain(40, 20);
    DrawCaption(*edge, "WWWW", 37, 2, clRed, "DejaVu Sans", 12);
    platform::TRect ink;
    EXPECT_GT(CountInk(*edge, RGB(255, 0, 0), &ink), 0);
    EXPECT_GE(ink.Left, 37);

    // Starting above the top: the lower part lands.
    auto top = Plain(40, 20);
    DrawCaption(*top, "Hg", 2, -6, clRed, "DejaVu Sans", 12);
    EXPECT_GT(CountInk(*top, RGB(255, 0, 0)), 0);
}

TEST(DrawCaption, BackgroundModeIsRestored) {
    auto fresh = Plain(20, 20);
    DrawCaption(*fresh, "a", 0, 0, clBlack, "DejaVu Sans", 8);
    EXPECT_EQ(fresh->Surface().Handle().GetBkMode(), platform::OPAQUE);

    auto transparent = Plain(20, 20);
    transparent->Surface().Handle().SetBkMode(platform::TRANSPARENT);
    DrawCaption(*transparent, "a", 0, 0, clBlack, "DejaVu Sans", 8);
    EXPECT_EQ(transparent->Surface().Handle().GetBkMode(), platform::TRANSPARENT);
}

TEST(DrawCaption, NotifiesAChange) {
    auto picture = Plain(20, 20);
    int changes = 0;
    picture->OnChange = [&](TGraphic&) { ++changes; };
    DrawCaption(*picture, "a", 0, 0, clBlack, "DejaVu Sans", 8);
    EXPECT_GT(changes, 0);
}

}  // namespace

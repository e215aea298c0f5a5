#include "platform/Region.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;

namespace {

// The region as rows of '#' and '.', for readable expectations.
std::vector<std::string> Picture(const Region& region, int width, int height) {
    std::vector<std::string> rows(std::size_t(height), std::string(std::size_t(width), '.'));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (PtInRegion(region, x, y)) rows[std::size_t(y)][std::size_t(x)] = '#';
    return rows;
}

}  // namespace

TEST(Region, RectangleExcludesRightAndBottomAndNormalisesCorners) {
    const Region r = CreateRectRgn(2, 1, 5, 3);
    EXPECT_EQ(r.Bounds(), Rect(2, 1, 5, 3));
    EXPECT_TRUE(PtInRegion(r, 2, 1));
    EXPECT_TRUE(PtInRegion(r, 4, 2));
    EXPECT_FALSE(PtInRegion(r, 5, 2));
    EXPECT_FALSE(PtInRegion(r, 4, 3));
    EXPECT_EQ(CreateRectRgn(5, 3, 2, 1).Spans(), r.Spans());
    EXPECT_TRUE(CreateRectRgn(3, 0, 3, 9).IsEmpty());
}

TEST(Region, CurvedShapesAreFittedOnePixelTighter) {
    // Without rounding a rounded rectangle is the rectangle one smaller on the right and bottom.
    EXPECT_EQ(CreateRoundRectRgn(0, 0, 6, 4, 0, 0).Spans(), CreateRectRgn(0, 0, 5, 3).Spans());
    EXPECT_EQ(CreateEllipticRgn(0, 0, 11, 11).Bounds(), Rect(0, 0, 10, 10));
    EXPECT_TRUE(CreateEllipticRgn(0, 0, 1, 1).IsEmpty());
}

TEST(Region, RoundRectangleCutsItsCornersByPixelCentres) {
    // 10 x 9 pixels with quarter circles of radius 4: a pixel is in when its centre is.
    const std::vector<std::string> expected = {
        "..######...", ".########..", "##########.", "##########.", "##########.",
        "##########.", "##########.", ".########..", "..######...", "...........",
    };
    EXPECT_EQ(Picture(CreateRoundRectRgn(0, 0, 11, 10, 8, 8), 11, 10), expected);
}

TEST(Region, EllipseIsSymmetricAndTouchesItsBox) {
    const Region e = CreateEllipticRgn(0, 0, 16, 10);  // 15 x 9 pixels
    const TRect b = e.Bounds();
    EXPECT_EQ(b, Rect(0, 0, 15, 9));
    for (const RegionSpan& span : e.Spans()) {
        EXPECT_EQ(span.Left, 15 - span.Right) << "row " << span.Y;
        const RegionSpan& mirror = e.Spans()[std::size_t(8 - span.Y)];
        EXPECT_EQ(mirror.Left, span.Left);
    }
    EXPECT_FALSE(PtInRegion(e, 0, 0));
    EXPECT_TRUE(PtInRegion(e, 7, 4));
}

TEST(Region, OffsetMovesEveryPixel) {
    Region r = CreateRoundRectRgn(1, 1, 20, 12, 6, 6);
    const Region original = r;
    OffsetRgn(r, 3, -2);
    for (int y = -5; y < 15; ++y)
        for (int x = -5; x < 25; ++x) EXPECT_EQ(PtInRegion(r, x + 3, y - 2), PtInRegion(original, x, y));
}

TEST(Region, CornerLargerThanTheShapeIsClampedToAnEllipse) {
    EXPECT_EQ(CreateRoundRectRgn(0, 0, 13, 9, 200, 200).Spans(), CreateEllipticRgn(0, 0, 13, 9).Spans());
}

TEST(Region, ScaledShapesCoverTheirDevicePixels) {
    // The identity scale changes nothing, also for a scale given explicitly.
    EXPECT_EQ(Region::RoundRectangle(1, 2, 30, 20, 12, 12, RegionScale{}).Spans(),
              CreateRoundRectRgn(1, 2, 30, 20, 12, 12).Spans());
    // At 2 a rectangle's straight edges double; at 1.5 from (1, 1) they go to the nearest device
    // boundary, 1.5 rounding up to 2 and 7.5 to 8.
    EXPECT_EQ(Region::Rectangle(1, 1, 4, 3, {2, 0, 0}).Bounds(), Rect(2, 2, 8, 6));
    EXPECT_EQ(Region::Rectangle(1, 1, 5, 3, {1.5, 0, 0}).Bounds(), Rect(2, 2, 8, 5));
    // A shape drawn from half a device pixel starts on the pixel whose centre it covers.
    EXPECT_EQ(Region::Rectangle(0, 0, 2, 2, {1.5, -0.5, -0.5}).Bounds(), Rect(0, 0, 3, 3));
    // A rounded rectangle at 2: full rows twice as long as at 1, and a finer corner.
    const Region one = CreateRoundRectRgn(0, 0, 21, 11, 8, 8);
    const Region two = Region::RoundRectangle(0, 0, 21, 11, 8, 8, {2, 0, 0});
    EXPECT_EQ(two.Bounds(), Rect(0, 0, 40, 20));
    EXPECT_EQ(two.Spans()[10].Right - two.Spans()[10].Left, 2 * (one.Spans()[5].Right - one.Spans()[5].Left));
    EXPECT_LT(two.Spans()[0].Left, 2 * one.Spans()[0].Left + 2);
}

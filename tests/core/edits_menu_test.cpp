#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <utility>

#include "core/PictureEdits.h"
#include "core/TPicture.h"
#include "tests/core/EditsFixtures.h"
#include "tests/core/StandInGraphic.h"

namespace {

struct Holder {
    TPicture picture;
    int changes = 0;
    Holder() {
        picture.OnChange = [this](TPicture&) { ++changes; };
    }
    TBitmap& Bitmap() { return static_cast<TBitmap&>(*picture.HeldGraphic()); }
};

void ExpectEmptyRaster(TPicture& picture) {
    auto* bitmap = dynamic_cast<TBitmap*>(picture.HeldGraphic());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(bitmap->IsEmpty());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);
}

TEST(PictureEdits, OtherGraphicBecomesAnEmptyRaster) {
    Holder inverted, rotated;
    inverted.picture.AdoptGraphic(std::make_unique<TStandInGraphic>());
    rotated.picture.AdoptGraphic(std::make_unique<TStandInGraphic>());
    InvertWorkingPicture(inverted.picture);
    RotateWorkingPicture(rotated.picture, 90);
    ExpectEmptyRaster(inverted.picture);
    ExpectEmptyRaster(rotated.picture);

    Holder none;
    InvertWorkingPicture(none.picture);
    ExpectEmptyRaster(none.picture);
}

TEST(PictureEdits, InversionReachesTheHolder) {
    Holder holder;
    holder.picture.AdoptGraphic(MakeRaster24(3, 2, PositionColor));
    holder.changes = 0;
    InvertWorkingPicture(holder.picture);
    EXPECT_GT(holder.changes, 0);
    EXPECT_EQ(Pixel24(holder.Bitmap(), 2, 1), PositionColor(2, 1) ^ 0xFFFFFF);
}

// The source pixel that destination (x, y) takes, or none (blue): a half turn mirrors through the
// true centre; a quarter turn does so when the sides' parities agree, else it turns about half the
// size rounded to even.
std::optional<std::pair<int, int>> TurnSource(int w, int h, double angle, int x, int y) {
    int sx, sy;
    if (angle == 180) {
        sx = w - 1 - x, sy = h - 1 - y;
    } else if ((w - h) % 2 == 0) {
        sx = y + (w - h) / 2, sy = (w + h) / 2 - 1 - x;
    } else {
        const int cx = int(std::nearbyint(w / 2.0)), cy = int(std::nearbyint(h / 2.0));
        sx = cx - cy + y, sy = cx + cy - 1 - x;
    }
    if (sx < 0 || sx >= w || sy < 0 || sy >= h) return std::nullopt;
    return std::pair{sx, sy};
}

TEST(PictureEdits, TurnsAboutTheTrueCentre) {
    const std::vector<std::vector<std::string>> names{{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}};
    Holder three;
    three.picture.AdoptGraphic(MakeRaster24(3, 3, PositionColor));
    three.changes = 0;
    RotateWorkingPicture(three.picture, 90);
    EXPECT_GT(three.changes, 0);
    EXPECT_EQ(Describe(three.Bitmap(), names), (std::vector<std::string>{"g d a", "h e b", "i f c"}));
    RotateWorkingPicture(three.picture, 90);
    EXPECT_EQ(Describe(three.Bitmap(), names), (std::vector<std::string>{"i h g", "f e d", "c b a"}));

    // Sides of different parity: the half turn is exact, the quarter turn as before.
    Holder wide, tall;
    wide.picture.AdoptGraphic(MakeRaster24(3, 2, PositionColor));
    tall.picture.AdoptGraphic(MakeRaster24(3, 2, PositionColor));
    RotateWorkingPicture(wide.picture, 180);
    RotateWorkingPicture(tall.picture, 90);
    EXPECT_EQ(Describe(wide.Bitmap(), names), (std::vector<std::string>{"f e d", "c b a"}));
    EXPECT_EQ(Describe(tall.Bitmap(), names), (std::vector<std::string>{"blue e b", "blue f c"}));
}

TEST(PictureEdits, TurnsOfEverySizeFollowTheCentreRules) {
    const std::pair<int, int> sizes[] = {{3, 3}, {5, 5}, {7, 7}, {5, 3}, {9, 5}, {3, 2}, {127, 64},
                                         {2, 2}, {4, 2}, {6, 4}, {1, 1}, {1, 2}, {8, 5}, {65, 131}};
    for (auto [w, h] : sizes)
        for (double angle : {90.0, 180.0}) {
            Holder holder;
            holder.picture.AdoptGraphic(MakeRaster24(w, h, PositionColor));
            RotateWorkingPicture(holder.picture, angle);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const auto from = TurnSource(w, h, angle, x, y);
                    ASSERT_EQ(Pixel24(holder.Bitmap(), x, y),
                              from ? PositionColor(from->first, from->second) : 0xFF0000)
                        << w << "x" << h << " by " << angle << " at " << x << "," << y;
                }
        }
}

TEST(PictureEdits, QuarterTurnsOfAnOddSquareCompose) {
    Holder once, twice;
    once.picture.AdoptGraphic(MakeRaster24(7, 7, PositionColor));
    twice.picture.AdoptGraphic(MakeRaster24(7, 7, PositionColor));
    const std::vector<TColor> original = Pixels24(once.Bitmap());
    RotateWorkingPicture(once.picture, 180);
    RotateWorkingPicture(twice.picture, 90);
    RotateWorkingPicture(twice.picture, 90);
    EXPECT_EQ(Pixels24(twice.Bitmap()), Pixels24(once.Bitmap()));
    RotateWorkingPicture(twice.picture, 90);
    RotateWorkingPicture(twice.picture, 90);
    EXPECT_EQ(Pixels24(twice.Bitmap()), original);
}

TEST(PictureEdits, RotatedPictureIs24BitOfItsFormerSize) {
    Holder holder;
    auto indexed = std::make_unique<TBitmap>();
    indexed->SetWidth(6);
    indexed->SetHeight(4);
    indexed->SetRasterFormat(rf8Bit);
    holder.picture.AdoptGraphic(std::move(indexed));
    RotateWorkingPicture(holder.picture, 90);
    EXPECT_EQ(holder.Bitmap().RasterFormat(), rf24Bit);
    EXPECT_EQ(holder.picture.Width(), 6);
    EXPECT_EQ(holder.picture.Height(), 4);
}

}  // namespace

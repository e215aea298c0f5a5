#include <gtest/gtest.h>

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

TEST(PictureEdits, RotationCentreIsHalfTheSizeRoundedToEven) {
    // 3 x 3: the centre rounds up to (2, 2); 5 x 5: down to (2, 2).
    Holder three;
    three.picture.AdoptGraphic(MakeRaster24(3, 3, PositionColor));
    three.changes = 0;
    RotateWorkingPicture(three.picture, 180);
    EXPECT_GT(three.changes, 0);
    const std::vector<std::vector<std::string>> names{{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}};
    EXPECT_EQ(Describe(three.Bitmap(), names),
              (std::vector<std::string>{"blue blue blue", "blue i h", "blue f e"}));

    Holder five;
    five.picture.AdoptGraphic(MakeRaster24(5, 5, PositionColor));
    RotateWorkingPicture(five.picture, 180);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Pixel24(five.Bitmap(), x, y) == 0xFF0000, x == 4 || y == 4) << x << "," << y;
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

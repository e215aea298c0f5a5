#include <gtest/gtest.h>

#include "core/Errors.h"
#include "core/TPicture.h"
#include "tests/core/RasterTestHelpers.h"
#include "tests/core/StandInGraphic.h"

TEST(Picture, AsBitmapReplacesAnotherKindByAnEmptyBitmap) {
    TPicture picture;
    bool destroyed = false;
    picture.AdoptGraphic(std::make_unique<TStandInGraphic>(7, 5, &destroyed));
    EXPECT_EQ(picture.Width(), 7);
    int changes = 0;
    picture.OnChange = [&](TPicture&) { ++changes; };
    TBitmap& bmp = picture.AsBitmap();
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(bmp.IsEmpty());
    EXPECT_EQ(picture.HeldGraphic(), &bmp);
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(&picture.AsBitmap(), &bmp);  // a held bitmap is returned as it is
    EXPECT_EQ(changes, 1);
}

TEST(Picture, ChangesOfTheHeldGraphicReachBothListeners) {
    TPicture picture;
    TBitmap& bmp = picture.AsBitmap();
    int changes = 0, notices = 0;
    picture.OnChange = [&](TPicture&) { ++changes; };
    picture.Notifier = [&](TPicture&) { ++notices; };
    bmp.SetWidth(3);
    bmp.SetHeight(2);
    bmp.Surface().WritePixel(0, 0, clRed);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(notices, 3);
}

TEST(Picture, ReplaceGraphicWithTheHeldBitmapItselfKeepsThePixels) {
    TPicture picture;
    TBitmap& held = picture.AsBitmap();
    MakeRaster(held, rf24Bit, 4, 3);
    PaintPattern(held, PureColors());
    int changes = 0;
    picture.OnChange = [&](TPicture&) { ++changes; };
    picture.ReplaceGraphic(&held);
    auto* now = dynamic_cast<TBitmap*>(picture.HeldGraphic());
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(now->Image().use_count(), 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(now->Surface().ReadPixel(x, y), PatternColor(x, y, PureColors()));
    now->SetWidth(5);  // listeners are installed on the new bitmap
    EXPECT_EQ(changes, 2);
}

TEST(Picture, FailedReplacementKeepsTheOldGraphic) {
    TPicture picture;
    TBitmap& held = picture.AsBitmap();
    TStandInGraphic failing(7, 5, nullptr, true);
    EXPECT_THROW(picture.ReplaceGraphic(&failing), EInvalidGraphic);
    EXPECT_EQ(picture.HeldGraphic(), &held);
    picture.ReplaceGraphic(nullptr);
    EXPECT_EQ(picture.HeldGraphic(), nullptr);
}

#include <gtest/gtest.h>

#include "core/Errors.h"
#include "core/TPicture.h"
#include "tests/core/RasterTestHelpers.h"

namespace {

// A non-raster graphic standing in for the start-up photograph.
class TPhoto : public TGraphic {
public:
    explicit TPhoto(bool* destroyed = nullptr, bool failCopy = false) : destroyed_(destroyed), failCopy_(failCopy) {}
    ~TPhoto() override {
        if (destroyed_) *destroyed_ = true;
    }
    const char* ClassName() const override { return "TPhoto"; }
    TGraphic* NewInstance() const override { return new TPhoto(nullptr, failCopy_); }
    void CopyFrom(TGraphic*) override {
        if (failCopy_) throw EInvalidGraphic("copy failed");
    }
    void DrawInRect(TCanvas&, const TRect&) override {}
    bool IsEmpty() const override { return false; }
    int Width() const override { return 7; }
    int Height() const override { return 5; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void ReadPictureData(TStream&) override {}
    void WritePictureData(TStream&) override {}
    void ReadFromStream(TStream&) override {}
    void WriteToStream(TStream&) override {}

private:
    bool* destroyed_;
    bool failCopy_;
};

}  // namespace

TEST(Picture, AsBitmapReplacesAnotherKindByAnEmptyBitmap) {
    TPicture picture;
    bool destroyed = false;
    picture.AdoptGraphic(std::make_unique<TPhoto>(&destroyed));
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
        for (int x = 0; x < 4; ++x) EXPECT_EQ(now->Surface().ReadPixel(x, y), PatternColor(x, y, PureColors()));
    now->SetWidth(5);  // listeners are installed on the new bitmap
    EXPECT_EQ(changes, 2);
}

TEST(Picture, FailedReplacementKeepsTheOldGraphic) {
    TPicture picture;
    TBitmap& held = picture.AsBitmap();
    TPhoto failing(nullptr, true);
    EXPECT_THROW(picture.ReplaceGraphic(&failing), EInvalidGraphic);
    EXPECT_EQ(picture.HeldGraphic(), &held);
    picture.ReplaceGraphic(nullptr);
    EXPECT_EQ(picture.HeldGraphic(), nullptr);
}

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>

#include "core/Errors.h"
#include "core/TBitmap.h"
#include "core/TStream.h"
#include "tests/core/RasterTestHelpers.h"
#include "tests/core/StandInGraphic.h"

namespace {

std::shared_ptr<TBitmapImage> ImageOf(std::unique_ptr<platform::Bitmap> raster) {
    auto image = std::make_shared<TBitmapImage>();
    image->handle = std::move(raster);
    return image;
}

std::unique_ptr<platform::Bitmap> Dib24(int width, int height) {
    platform::BitmapInfoHeader h;
    h.width = width, h.height = height, h.bitCount = 24;
    return platform::Bitmap::CreateDib(h, {});
}

}  // namespace

TEST(Bitmap, StartsEmptyAndRecordsALoneDimension) {
    TBitmap bmp;
    EXPECT_TRUE(bmp.IsEmpty());
    EXPECT_EQ(bmp.RasterFormat(), rfDevice);
    bmp.SetWidth(64);
    EXPECT_EQ(bmp.Width(), 64);
    EXPECT_EQ(bmp.Height(), 0);
    EXPECT_TRUE(bmp.IsEmpty());
    EXPECT_THROW(bmp.Row(0), EInvalidGraphicOperation);
}

TEST(Bitmap, HeightAfterWidthGivesAWhiteDeviceRasterThatStaysWhiteAt24Bits) {
    TBitmap bmp;
    bmp.SetWidth(5);
    bmp.SetHeight(3);
    EXPECT_FALSE(bmp.IsEmpty());
    EXPECT_EQ(bmp.RasterFormat(), rfDevice);
    bmp.SetRasterFormat(rf24Bit);
    EXPECT_EQ(bmp.RasterFormat(), rf24Bit);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(bmp.Surface().ReadPixel(x, y), clWhite);
}

TEST(Bitmap, ResizingKeepsTheTopLeftAndFillsNewAreaWhite) {
    TBitmap source;
    MakeRaster(source, rf24Bit, 200, 100);
    for (int y = 0; y < 100; ++y) {
        std::uint8_t* row = source.Row(y);
        for (int i = 0; i < 600; ++i) row[i] = std::uint8_t(i * 7 + y);
    }
    TBitmap narrow, wide;
    narrow.CopyFrom(&source);
    wide.CopyFrom(&source);
    narrow.SetWidth(150);
    wide.SetWidth(250);
    ASSERT_EQ(narrow.Width(), 150);
    ASSERT_EQ(wide.Width(), 250);
    for (int y = 0; y < 100; ++y) {
        EXPECT_EQ(std::memcmp(narrow.Row(y), source.Row(y), 450), 0) << "row " << y;
        EXPECT_EQ(std::memcmp(wide.Row(y), source.Row(y), 600), 0) << "row " << y;
        for (int x = 200; x < 250; ++x) ASSERT_EQ(wide.Surface().ReadPixel(x, y), clWhite);
    }
    EXPECT_EQ(source.Width(), 200);  // the copies resized privately
}

TEST(Bitmap, RowZeroIsTheTopRowInEitherStorageOrder) {
    TBitmap bottomUp, topDown;
    bottomUp.AssignImage(ImageOf(Dib24(2, 3)));
    topDown.AssignImage(ImageOf(Dib24(2, -3)));
    const auto* up = bottomUp.Image()->handle->bits.data();
    const auto* down = topDown.Image()->handle->bits.data();
    EXPECT_EQ(bottomUp.Row(2), up);
    EXPECT_EQ(bottomUp.Row(0), up + 16);
    EXPECT_EQ(bottomUp.RowStep(), -8);
    EXPECT_EQ(topDown.Row(0), down);
    EXPECT_EQ(topDown.RowStep(), 8);
    try {
        bottomUp.Row(3);
        FAIL();
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "Scan line index out of range");
    }
    EXPECT_THROW(bottomUp.Row(-1), EInvalidGraphicOperation);
}

TEST(Bitmap, PixelAccessOutsideThePicture) {
    TBitmap bmp;
    MakeRaster(bmp, rf24Bit, 3, 2);
    int changes = 0;
    bmp.OnChange = [&](TGraphic&) { ++changes; };
    const auto before = bmp.Image()->handle->bits;
    EXPECT_EQ(bmp.Surface().ReadPixel(3, 0), 0xFFFFFFFFu);
    EXPECT_EQ(bmp.Surface().ReadPixel(0, -1), 0xFFFFFFFFu);
    bmp.Surface().WritePixel(3, 0, clRed);
    EXPECT_EQ(bmp.Image()->handle->bits, before);
    EXPECT_EQ(changes, 1);  // the notifications still happen

    bmp.Surface().WritePixel(1, 1, clBtnFace);  // system colours are resolved
    EXPECT_EQ(bmp.Surface().ReadPixel(1, 1), platform::GetSysColor(platform::COLOR_BTNFACE));
    const std::uint8_t* row = bmp.Row(1);
    EXPECT_EQ(row[3], platform::GetBValue(platform::GetSysColor(platform::COLOR_BTNFACE)));
}

TEST(Bitmap, EmptyBitmapSurfaceDrawsNothing) {
    TBitmap bmp;
    bmp.Surface().WritePixel(0, 0, clRed);
    EXPECT_EQ(bmp.Surface().ReadPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_TRUE(bmp.IsEmpty());
}

TEST(Bitmap, BlackAndWhiteKeepsOnlyExactWhite) {
    TBitmap bmp;
    MakeRaster(bmp, rf24Bit, 4, 1);
    bmp.Surface().WritePixel(0, 0, clWhite);
    bmp.Surface().WritePixel(1, 0, 0x00FEFFFF);
    bmp.Surface().WritePixel(2, 0, platform::RGB(240, 240, 240));
    bmp.Surface().WritePixel(3, 0, clRed);
    bmp.SetBlackAndWhite(true);
    EXPECT_TRUE(bmp.BlackAndWhite());
    EXPECT_EQ(bmp.RasterFormat(), rfDevice);
    EXPECT_EQ(bmp.Surface().ReadPixel(0, 0), clWhite);
    for (int x = 1; x < 4; ++x) EXPECT_EQ(bmp.Surface().ReadPixel(x, 0), clBlack) << x;

    bmp.SetWidth(6);  // stays black and white; new area white
    EXPECT_TRUE(bmp.BlackAndWhite());
    EXPECT_EQ(bmp.Surface().ReadPixel(5, 0), clWhite);
    EXPECT_EQ(bmp.Surface().ReadPixel(1, 0), clBlack);

    bmp.SetBlackAndWhite(false);
    EXPECT_FALSE(bmp.BlackAndWhite());
    EXPECT_EQ(bmp.Surface().ReadPixel(0, 0), clWhite);
    EXPECT_EQ(bmp.Surface().ReadPixel(1, 0), clBlack);
}

class ConversionTo24Bit : public ::testing::TestWithParam<TRasterFormat> {};

TEST_P(ConversionTo24Bit, KeepsEveryColour) {
    const TRasterFormat format = GetParam();
    const std::vector<TColor> bw = {clBlack, clWhite};
    const auto& colors = format == rf1Bit ? bw : PureColors();
    TBitmap bmp;
    MakeRaster(bmp, format, 5, 3);
    ASSERT_EQ(bmp.RasterFormat(), format);
    PaintPattern(bmp, colors);
    bmp.SetRasterFormat(rf24Bit);
    ASSERT_EQ(bmp.RasterFormat(), rf24Bit);
    for (int y = 0; y < 3; ++y) {
        const std::uint8_t* row = bmp.Row(y);
        for (int x = 0; x < 5; ++x) {
            const TColor c = PatternColor(x, y, colors);
            EXPECT_EQ(row[3 * x], platform::GetBValue(c)) << x << "," << y;
            EXPECT_EQ(row[3 * x + 1], platform::GetGValue(c)) << x << "," << y;
            EXPECT_EQ(row[3 * x + 2], platform::GetRValue(c)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ConversionTo24Bit,
                         ::testing::Values(rf1Bit, rf4Bit, rf8Bit, rf15Bit, rf16Bit, rf32Bit, rfDevice));

TEST(Bitmap, CustomFormatIsRefusedAndNothingChanges) {
    TBitmap bmp;
    MakeRaster(bmp, rf24Bit, 2, 2);
    bmp.Surface().WritePixel(0, 0, clRed);
    try {
        bmp.SetRasterFormat(rfCustom);
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Invalid pixel format");
    }
    EXPECT_EQ(bmp.RasterFormat(), rf24Bit);
    EXPECT_EQ(bmp.Surface().ReadPixel(0, 0), clRed);
}

TEST(Bitmap, IndexedFormatsGetTheirTables) {
    TBitmap bmp;
    MakeRaster(bmp, rf24Bit, 2, 1);
    bmp.SetRasterFormat(rf4Bit);
    EXPECT_EQ(bmp.ColorTable().size(), 16u);
    EXPECT_TRUE(bmp.PaletteModified());
    bmp.SetRasterFormat(rf8Bit);
    EXPECT_EQ(bmp.ColorTable().size(), 256u);
    TBitmap fromDevice;
    fromDevice.SetWidth(2);
    fromDevice.SetHeight(1);
    fromDevice.SetRasterFormat(rf1Bit);
    EXPECT_EQ(fromDevice.ColorTable().size(), 2u);
    EXPECT_EQ(fromDevice.Surface().ReadPixel(1, 0), clWhite);
}

TEST(Bitmap, CopiesShareUntilOneSideChanges) {
    TBitmap first;
    MakeRaster(first, rf24Bit, 2, 2);
    first.Surface().WritePixel(0, 0, clBlue);
    first.Surface().ReadPixel(0, 0);  // the first surface now has a context on the shared pixels
    TBitmap second;
    second.CopyFrom(&first);
    EXPECT_EQ(first.Image(), second.Image());
    EXPECT_EQ(first.Image().use_count(), 2);

    first.Surface().WritePixel(0, 0, clRed);
    EXPECT_EQ(first.Surface().ReadPixel(0, 0), clRed);
    EXPECT_EQ(second.Surface().ReadPixel(0, 0), clBlue);

    TBitmap third;
    third.CopyFrom(&second);
    third.Row(1)[0] = 0x55;
    EXPECT_EQ(second.Row(1)[0], 0xFF);  // white background, untouched
}

// A 16-bit bit-field store as a reader makes it: palette, core-header flag and kept file bytes. A
// change of one holder must carry the description over and leave the other holder's store alone.
std::shared_ptr<TBitmapImage> StoreFromAFile() {
    platform::BitmapInfoHeader h;
    h.width = 2, h.height = 2, h.bitCount = 16, h.compression = platform::BI_BITFIELDS, h.clrUsed = 3;
    const std::uint32_t masks[3] = {0xF800, 0x07E0, 0x001F};
    auto image = ImageOf(platform::Bitmap::CreateDib(h, {}, masks));
    image->description = h;
    std::copy(masks, masks + 3, image->masks);
    image->hasLayout = true;
    image->deviceDependent = false;
    image->palette = std::make_shared<const platform::Palette>(platform::Palette{{1, 2, 3, 0}});
    image->coreHeader = image->halftone = true;
    image->savedStream = {'B', 'M'};
    return image;
}

TEST(Bitmap, EveryChangeOfACopyKeepsTheDescriptionAndLeavesTheSourceAsItWas) {
    const std::vector<std::pair<const char*, std::function<void(TBitmap&)>>> changes = {
        {"row written", [](TBitmap& b) { b.Row(0)[0] = 0x55; }},
        {"palette set", [](TBitmap& b) { b.SetPalette(std::make_shared<const platform::Palette>()); }},
        {"resized", [](TBitmap& b) { b.SetWidth(3); }},
        {"emptied", [](TBitmap& b) { b.SetWidth(0); }},
    };
    for (const auto& [name, change] : changes) {
        TBitmap source, copy;
        source.AssignImage(StoreFromAFile());
        const auto before = source.Image();
        const std::uint8_t firstByte = before->handle->ScanLine(0)[0];  // read without a change
        copy.CopyFrom(&source);
        change(copy);

        EXPECT_EQ(source.Image(), before) << name;
        EXPECT_EQ(before.use_count(), 2) << name << ": the copy let go of the shared store";
        EXPECT_EQ(before->savedStream.size(), 2u) << name;
        EXPECT_EQ(before->description.clrUsed, 3u) << name;
        EXPECT_EQ(before->handle->ScanLine(0)[0], firstByte) << name;

        const TBitmapImage& own = *copy.Image();
        EXPECT_TRUE(own.coreHeader && own.halftone) << name;
        EXPECT_EQ(own.masks[1], 0x07E0u) << name;
        EXPECT_EQ(copy.RasterFormat(), rf16Bit) << name;
        if (std::string(name) != "palette set") {
            EXPECT_EQ(own.palette, before->palette) << name;
            EXPECT_TRUE(own.savedStream.empty()) << name << ": kept file bytes no longer match";
        }
    }
}

// Restores the BMP format a test took away.
class FormatTakenAway {
public:
    FormatTakenAway() : installed_(TBitmap::InstallFileFormat(nullptr)) {}
    ~FormatTakenAway() { TBitmap::InstallFileFormat(installed_); }

private:
    const TBitmapFileFormat* installed_;
};

TEST(Bitmap, FilesBeforeTheFormatIsInstalledAreAFaultOfTheProgram) {
    FormatTakenAway noFormat;
    TBitmap bmp;
    MakeRaster(bmp, rf24Bit, 2, 2);
    TMemoryStream stream;
    stream.WriteBuffer("BM", 2);
    stream.SetPosition(0);
    for (auto call : {+[](TBitmap&b, TStream&s) { b.ReadFromStream(s); },
                      +[](TBitmap&b, TStream&s) { b.WriteToStream(s); }}) {
        try {
            call(bmp, stream);
            FAIL() << "expected std::logic_error";
        } catch (const std::logic_error& e) {
            EXPECT_NE(std::string(e.what()).find("no BMP file format"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(bmp.Width(), 2);
}

TEST(Bitmap, CopyFromNoneEmptiesAndOtherKindsAreRefused) {
    TBitmap bmp;
    MakeRaster(bmp, rf24Bit, 2, 2);
    int changes = 0;
    bmp.OnChange = [&](TGraphic&) { ++changes; };
    bmp.CopyFrom(nullptr);
    EXPECT_TRUE(bmp.IsEmpty());
    EXPECT_EQ(bmp.Width(), 0);
    EXPECT_EQ(changes, 1);

    TBitmap other;
    // A graphic that is not a raster refuses by default.
    TStandInGraphic plain(0, 0);
    try {
        other.CopyFrom(&plain);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TStandInGraphic to a TBitmap");
    }
}

TEST(Bitmap, SettersIgnoreTheCurrentValue) {
    TBitmap bmp;
    MakeRaster(bmp, rf24Bit, 3, 3);
    int changes = 0;
    bmp.OnChange = [&](TGraphic&) { ++changes; };
    bmp.SetWidth(3);
    bmp.SetHeight(3);
    bmp.SetRasterFormat(rf24Bit);
    bmp.SetBlackAndWhite(false);
    EXPECT_EQ(changes, 0);
    bmp.SetHeight(4);
    EXPECT_EQ(changes, 1);
}

TEST(BitmapSurface, ContextKeepsItsBackgroundModeUntilTheRasterIsReplaced) {
    TBitmap bmp;
    MakeRaster(bmp, rf24Bit, 3, 3);
    int changes = 0;
    bmp.OnChange = [&](TGraphic&) { ++changes; };
    EXPECT_EQ(bmp.Surface().Handle().SetBkMode(platform::TRANSPARENT), platform::OPAQUE);
    bmp.Surface().Font().SetColor(clRed);  // readying again must not touch the mode
    EXPECT_EQ(bmp.Surface().Handle().GetBkMode(), platform::TRANSPARENT);
    EXPECT_EQ(bmp.Surface().Handle().TextColor(), clRed);
    EXPECT_EQ(changes, 0);  // handing out the context is no change
    bmp.SetWidth(4);
    EXPECT_EQ(bmp.Surface().Handle().GetBkMode(), platform::OPAQUE);
}

TEST(BitmapSurface, HandingOutTheContextMakesTheStorePrivate) {
    TBitmap first, second;
    MakeRaster(first, rf24Bit, 2, 2);
    second.CopyFrom(&first);
    second.Surface().Handle().SetPixel(0, 0, clRed);
    EXPECT_EQ(first.Surface().ReadPixel(0, 0), clWhite);
    EXPECT_EQ(second.Surface().ReadPixel(0, 0), clRed);
}

TEST(BitmapDrawing, StretchesWithoutSmoothingAndDrawsBlackAndWhiteInTheSurfaceColours) {
    TBitmap bmp;
    MakeRaster(bmp, rf24Bit, 2, 1);
    bmp.Surface().WritePixel(0, 0, clRed);
    bmp.Surface().WritePixel(1, 0, clBlue);
    auto target = platform::Bitmap::CreateDevice(4, 2);
    TRasterCanvas canvas(*target);
    canvas.StretchDraw(TRect{0, 0, 4, 2}, &bmp);
    const TColor expected[4] = {clRed, clRed, clBlue, clBlue};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(canvas.ReadPixel(x, y), expected[x]) << x << "," << y;

    bmp.Surface().WritePixel(1, 0, clWhite);
    bmp.SetBlackAndWhite(true);
    canvas.Font().SetColor(clLime);
    canvas.Brush().SetColor(clYellow);
    canvas.DrawAt(1, 1, &bmp);
    EXPECT_EQ(canvas.ReadPixel(1, 1), clLime);    // black in the text colour
    EXPECT_EQ(canvas.ReadPixel(2, 1), clYellow);  // white in the background colour
    EXPECT_EQ(canvas.ReadPixel(0, 1), clRed);     // outside the rectangle untouched
}

// The surface reaches plain rasters directly; that must follow every replacement of the raster
// and a context given another raster through the handle.
TEST(BitmapSurface, PixelWritesFollowTheRasterInUse) {
    TBitmap bmp;
    MakeRaster(bmp, rf24Bit, 3, 2);
    TCanvas& surface = bmp.Surface();
    surface.WritePixel(2, 1, clRed);
    bmp.SetRasterFormat(rf32Bit);
    surface.WritePixel(0, 1, clBlue);
    EXPECT_EQ(surface.ReadPixel(2, 1), clRed);
    EXPECT_EQ(bmp.Row(1)[0], 0xFF);  // blue byte first
    bmp.SetRasterFormat(rf8Bit);     // indexed: through the context, nearest table entry
    surface.WritePixel(1, 0, clRed);
    EXPECT_EQ(surface.ReadPixel(1, 0), clRed);
    bmp.SetRasterFormat(rf24Bit);
    bmp.SetWidth(5);
    surface.WritePixel(4, 1, clLime);
    EXPECT_EQ(surface.ReadPixel(4, 1), clLime);
    EXPECT_EQ(surface.ReadPixel(2, 1), clRed);
    EXPECT_EQ(surface.ReadPixel(5, 1), 0xFFFFFFFFu);

    auto other = Dib24(2, 2);
    surface.Handle().SelectBitmap(other.get());
    surface.WritePixel(1, 1, clBlue);
    EXPECT_EQ(other->ScanLine(1)[3], 0xFF);
    EXPECT_EQ(bmp.Image()->handle->ScanLine(1)[4], 0xFF);  // still white: the write went elsewhere
    EXPECT_EQ(bmp.Image()->handle->ScanLine(1)[5], 0xFF);
    surface.Handle().SelectBitmap(bmp.Image()->handle.get());
    EXPECT_EQ(surface.ReadPixel(4, 1), clLime);
}

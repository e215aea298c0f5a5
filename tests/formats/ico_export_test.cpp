#include <gtest/gtest.h>

#include "core/Errors.h"
#include "core/TCanvas.h"
#include "formats/IconExport.h"
#include "formats/TIcon.h"
#include "tests/TestSupport.h"
#include "tests/formats/IcoTestFiles.h"

using namespace icotest;

namespace {

constexpr std::uint32_t White = 0xFFFFFF, Red = 0x0000FF, Blue = 0xFF0000;
constexpr int BlackIndex = 0, WhiteIndex = 15, RedIndex = 9;
constexpr std::size_t ColorPixelsAt = 126, MaskAt = 126 + 512;

// Saves an icon from a source written to disk, with a window-sized surface to draw on.
class IconExportTest : public ::testing::Test {
protected:
    std::string dir = TempDir();
    std::unique_ptr<platform::Bitmap> window = platform::Bitmap::CreateDevice(7 * 32 + 8, 3 * 32);
    TRasterCanvas surface{*window};
    TIcon appIcon;
    int appIconChanges = 0;

    std::string Source(const std::string& name, const Bytes& bmp) {
        const std::string path = dir + "/" + name;
        WriteFile(path, bmp);
        return path;
    }

    Bytes Save(const std::string& source, const std::string& target = "out") {
        const std::string written = dir + "/" + target + ".ico";
        SaveIconFromSource(source, written, surface, [this](TIcon& icon) {
            appIcon.CopyFrom(&icon);
            ++appIconChanges;
        });
        return ReadFile(written);
    }
};

// Mask bit (1 = transparent) of (x, y) in a 32 x 32 file, y from the top.
int MaskBit(const Bytes& ico, int x, int y) {
    return (ico[MaskAt + std::size_t(31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1;
}

int ColorIndex(const Bytes& ico, int x, int y) {
    return (ico[ColorPixelsAt + std::size_t(31 - y) * 16 + x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
}

TEST_F(IconExportTest, WhiteCornerWithRedDotBecomesTransparentIconWithOneOpaqueRedPixel) {
    const Bytes ico = Save(Source("dot.bmp", MakeBmp24(100, 80, [](int x, int y) {
                                      if (x == 5 && y == 7) return Red;
                                      return x < 32 && y < 32 ? White : Blue;
                                  })));
    ASSERT_EQ(ico.size(), 766u);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool dot = x == 5 && y == 7;
            ASSERT_EQ(MaskBit(ico, x, y), dot ? 0 : 1) << x << "," << y;
            // Transparent pixels are black, so that AND then XOR leaves the background as it was.
            ASSERT_EQ(ColorIndex(ico, x, y), dot ? RedIndex : BlackIndex) << x << "," << y;
        }
    }
    EXPECT_EQ(appIconChanges, 1);
    EXPECT_FALSE(appIcon.IsEmpty());
}

TEST_F(IconExportTest, SavedIconDrawnOntoWhiteLeavesItsTransparentPartWhite) {
    Save(Source("dot.bmp", MakeBmp24(100, 80, [](int x, int y) {
                    if (x == 5 && y == 7) return Red;
                    return x < 32 && y < 32 ? White : Blue;
                })));
    TIcon saved;
    saved.ReadFromFile(dir + "/out.ico");
    std::unique_ptr<platform::Bitmap> page = platform::Bitmap::CreateDevice(40, 40);
    TRasterCanvas canvas(*page);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) canvas.WritePixel(x, y, White);
    saved.DrawInRect(canvas, platform::TRect{0, 0, 40, 40});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(canvas.ReadPixel(x, y), x == 5 && y == 7 ? Red : White) << x << "," << y;
}

TEST_F(IconExportTest, SmallSourceIsPaddedWithTransparentWhite) {
    const Bytes ico = Save(Source("small.bmp", MakeBmp24(20, 10, [](int, int) { return Red; })));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool inside = x < 20 && y < 10;
            ASSERT_EQ(MaskBit(ico, x, y), inside ? 0 : 1) << x << "," << y;
            ASSERT_EQ(ColorIndex(ico, x, y), inside ? RedIndex : BlackIndex) << x << "," << y;
        }
    }
}

TEST_F(IconExportTest, OnlyExactWhiteIsTransparent) {
    const Bytes ico =
        Save(Source("offwhite.bmp",
                    MakeBmp24(32, 32, [](int x, int y) { return x == 3 && y == 4 ? 0xFEFEFEu : White; })));
    EXPECT_EQ(MaskBit(ico, 3, 4), 0);
    EXPECT_EQ(ColorIndex(ico, 3, 4), WhiteIndex);
    EXPECT_EQ(MaskBit(ico, 4, 4), 1);
}

TEST_F(IconExportTest, FileHeaderEntryAndInfoHeaderAreExact) {
    const Bytes ico =
        Save(Source("plain.bmp", MakeBmp24(40, 40, [](int x, int) { return x % 2 ? Red : Blue; })));
    ASSERT_EQ(ico.size(), 766u);
    const Bytes head(ico.begin(), ico.begin() + 22);
    const Bytes expected = {0,    0,    1, 0, 1,  0,         // directory: reserved, type 1, one image
                            32,   32,   4, 0, 0,  0, 0, 0,   // width, height, value 4, planes 0, bits 0
                            0xE8, 0x02, 0, 0, 22, 0, 0, 0};  // 744 bytes at offset 22
    EXPECT_EQ(head, expected);
    EXPECT_EQ(Get32(ico, 22), 40u);
    EXPECT_EQ(Get32(ico, 26), 32u);
    EXPECT_EQ(Get32(ico, 30), 64u);  // colour image and mask together
    EXPECT_EQ(Get16(ico, 34), 1u);
    EXPECT_EQ(Get16(ico, 36), 4u);
    EXPECT_EQ(Get32(ico, 38), 0u);
    EXPECT_EQ(Get32(ico, 42), 512u);  // the colour image alone
    EXPECT_EQ(Get32(ico, 54), 16u);
    EXPECT_EQ(Get32(ico, 58), 0u);
    const auto& table = platform::SystemPalette16();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(ico[62 + 4 * i], table[i].blue);
        EXPECT_EQ(ico[62 + 4 * i + 1], table[i].green);
        EXPECT_EQ(ico[62 + 4 * i + 2], table[i].red);
        EXPECT_EQ(ico[62 + 4 * i + 3], 0);
    }
    EXPECT_EQ(ColorIndex(ico, 0, 0), 12);  // pure blue
    EXPECT_EQ(ColorIndex(ico, 1, 0), RedIndex);
}

TEST_F(IconExportTest, SecondSaveOverwritesTargetAndReplacesApplicationIcon) {
    const Bytes first = Save(Source("a.bmp", MakeBmp24(32, 32, [](int, int) { return Red; })));
    const auto firstImage = appIcon.Image();
    const Bytes second = Save(Source("b.bmp", MakeBmp24(32, 32, [](int, int) { return Blue; })));
    EXPECT_EQ(second.size(), 766u);
    EXPECT_NE(first, second);
    EXPECT_EQ(appIconChanges, 2);
    EXPECT_NE(appIcon.Image(), firstImage);
    // The application's icon is the only holder left, and it still writes the second icon.
    EXPECT_EQ(appIcon.Image().use_count(), 1);
    TMemoryStream again;
    appIcon.WriteToStream(again);
    EXPECT_EQ(again.Data(), second);
}

TEST_F(IconExportTest, DrawsMaskColourAndIconOnTheSurface) {
    Save(Source("dot.bmp", MakeBmp24(32, 32, [](int x, int y) { return x == 1 && y == 1 ? Red : White; })));
    EXPECT_EQ(surface.ReadPixel(2 * 32 + 1, 32 + 1), 0x000000u);  // mask: black where opaque
    EXPECT_EQ(surface.ReadPixel(2 * 32 + 2, 32 + 1), White);
    EXPECT_EQ(surface.ReadPixel(4 * 32 + 1, 32 + 1), Red);  // colour raster
}

TEST_F(IconExportTest, FailuresBeforeWritingLeaveTheTargetAlone) {
    const std::string target = dir + "/keep.ico";
    WriteFile(target, Bytes{1, 2, 3});
    EXPECT_THROW(SaveIconFromSource(dir + "/missing.bmp", target, surface, nullptr), EFOpenError);
    Bytes jfif(300, 0);
    const Bytes start = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0};
    std::copy(start.begin(), start.end(), jfif.begin());
    const std::string jpeg = Source("photo.bmp", jfif);
    try {
        SaveIconFromSource(jpeg, target, surface, nullptr);
        ADD_FAILURE() << "a JPEG source was accepted";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
    EXPECT_EQ(ReadFile(target), (Bytes{1, 2, 3}));
}

TEST(IconWriting, EmptyIconFailsBeforeTheFileIsCreated) {
    const std::string path = TempDir() + "/empty.ico";
    WriteFile(path, Bytes{9, 9});
    TIcon icon;
    icon.AdoptHandle(nullptr);  // as when the platform cannot make the icon
    EXPECT_TRUE(icon.IsEmpty());
    try {
        icon.WriteToFile(path);
        ADD_FAILURE() << "an empty icon was written";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Icon image is not valid");
    }
    EXPECT_EQ(ReadFile(path), (Bytes{9, 9}));
}

TEST(IconWriting, DefaultApplicationIconIsSixZeroBytes) {
    TIcon icon;
    icon.AdoptHandle(platform::IconHandle(platform::DefaultApplicationIcon()));
    TMemoryStream out;
    icon.WriteToStream(out);
    EXPECT_EQ(out.Data(), Bytes(6, 0));
}

TEST(IconWriting, SizeIsFixedWhileAHandleExists) {
    TIcon icon;
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_TRUE(icon.Transparent());
    icon.AdoptHandle(platform::IconHandle(platform::DefaultApplicationIcon()));
    try {
        icon.SetWidth(48);
        ADD_FAILURE() << "the size changed";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "Cannot change the size of an icon");
    }
    EXPECT_THROW(icon.WriteToClipboard(), EInvalidGraphic);
}

}  // namespace

#include <gtest/gtest.h>

#include <climits>

#include "tests/formats/BmpFixtures.h"

namespace {

constexpr std::uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, White = 0xFFFFFF, Black = 0;

// 3 x 2 at 24 bits: top row red, green, blue; bottom row white, black, white. Rows are 9 bytes
// plus 3 of padding.
std::vector<std::uint8_t> Rgb24File(bool topDown, int rowsPresent = 2) {
    BmpBytes b = InfoFile(3, topDown ? -2 : 2, 24);
    const BmpBytes top = BmpBytes().Raw({0, 0, 255, 0, 255, 0, 255, 0, 0}).Fill(3, 0);
    const BmpBytes bottom = BmpBytes().Raw({255, 255, 255, 0, 0, 0, 255, 255, 255}).Fill(3, 0);
    const auto& first = topDown ? top.data : bottom.data;
    const auto& second = topDown ? bottom.data : top.data;
    b.data.insert(b.data.end(), first.begin(), first.end());
    if (rowsPresent == 2) b.data.insert(b.data.end(), second.begin(), second.end());
    return b.data;
}

TEST(BmpRead, RowZeroIsTheTopRowInBothStorageOrders) {
    for (bool topDown : {false, true}) {
        TBitmap bitmap;
        Load(bitmap, Rgb24File(topDown));
        EXPECT_EQ(bitmap.RasterFormat(), rf24Bit);
        EXPECT_EQ(bitmap.Width(), 3);
        EXPECT_EQ(bitmap.Height(), 2);
        EXPECT_EQ(bitmap.Image()->description.height, topDown ? -2 : 2);  // storage order kept
        EXPECT_EQ(Pixels(bitmap), (std::vector<std::uint32_t>{Red, Green, Blue, White, Black, White}));
        const std::uint8_t* row0 = bitmap.Row(0);
        EXPECT_EQ(row0[2], 255);  // red of the top-left pixel, stored blue, green, red
        EXPECT_EQ(bitmap.RowStep() < 0, !topDown);
    }
}

TEST(BmpRead, PixelDataCutShortLeavesMissingRowsBlack) {
    TBitmap bottomUp, topDown;
    Load(bottomUp, Rgb24File(false, 1));  // only the bottom row is stored
    Load(topDown, Rgb24File(true, 1));    // only the top row is stored
    EXPECT_EQ(Pixels(bottomUp), (std::vector<std::uint32_t>{Black, Black, Black, White, Black, White}));
    EXPECT_EQ(Pixels(topDown), (std::vector<std::uint32_t>{Red, Green, Blue, Black, Black, Black}));
}

TEST(BmpRead, ZeroLengthStreamEmptiesTheBitmap) {
    TBitmap bitmap;
    Load(bitmap, Rgb24File(false));
    Load(bitmap, {});
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
}

TEST(BmpRead, ColourTableSizes) {
    // 1 bit, colours used 0: two entries; 9 x 1 pixels, bits 1 0 ... 1 in one 4-byte row.
    BmpBytes oneBit = InfoFile(9, 1, 1);
    oneBit.Raw({0, 0, 255, 0, 0, 255, 0, 0});  // entry 0 red, entry 1 green (blue, green, red, 0)
    oneBit.Raw({0x80, 0x80, 0, 0});            // pixels 0 and 8 set
    TBitmap a;
    Load(a, oneBit.data);
    EXPECT_EQ(a.RasterFormat(), rf1Bit);
    ASSERT_EQ(a.ColorTable().size(), 2u);
    const auto p = Pixels(a);
    EXPECT_EQ(p[0], Green);
    EXPECT_EQ(p[1], Red);
    EXPECT_EQ(p[8], Green);

    // 8 bits, colours used 16: the pixel row follows the 16th entry directly.
    BmpBytes eightBit = InfoFile(2, 1, 8, 0, 16);
    for (int i = 0; i < 16; ++i) eightBit.Raw({std::uint8_t(i), 0, 0, 0});  // entry i: blue i
    eightBit.Raw({15, 3, 0, 0});
    TBitmap b;
    Load(b, eightBit.data);
    EXPECT_EQ(b.ColorTable().size(), 16u);
    EXPECT_EQ(Pixels(b), (std::vector<std::uint32_t>{15, 3}));
    EXPECT_EQ(b.Image()->description.clrUsed, 16u);

    // Core header, 8 bits: 256 entries of 3 bytes, then the row.
    BmpBytes core;
    core.U16(0x4D42).U32(0).U32(0).U32(0);     // file header, offset 0 (ignored)
    core.U32(12).U16(2).U16(1).U16(1).U16(8);  // core header: size, width 2, height 1, planes, bits
    for (int i = 0; i < 256; ++i) core.Raw({0, std::uint8_t(i), 0});  // entry i: green i
    core.Raw({7, 200, 0, 0});
    TBitmap c;
    Load(c, core.data);
    EXPECT_TRUE(c.Image()->coreHeader);
    EXPECT_EQ(c.ColorTable().size(), 256u);
    EXPECT_EQ(Pixels(c), (std::vector<std::uint32_t>{7 << 8, 200 << 8}));
}

TEST(BmpRead, ColoursUsedAbove256AreCutTo256) {
    // 300 entries stored, pixel offset after all of them.
    BmpBytes b = InfoFile(1, 1, 8, 0, 300, 14 + 40 + 300 * 4);
    for (int i = 0; i < 300; ++i) b.Raw({0, 0, std::uint8_t(i), 0});
    b.Raw({9, 0, 0, 0});
    TBitmap bitmap;
    Load(bitmap, b.data);
    EXPECT_EQ(bitmap.ColorTable().size(), 256u);
    EXPECT_EQ(Pixels(bitmap)[0], 0x090000u);
}

TEST(BmpRead, PixelOffsetIsHonouredOnlyPastTheTableAndInsideTheFile) {
    const auto file = [](std::uint32_t offBits) {
        BmpBytes b = InfoFile(1, 1, 8, 0, 2, offBits);
        b.Raw({0, 0, 255, 0, 255, 0, 0, 0});  // entry 0 red, entry 1 blue
        b.Raw({1, 0, 0, 0});                  // four bytes right after the table
        b.Raw({0, 0, 0, 0});                  // the row the offset points at: index 0
        return b.data;
    };
    const std::uint32_t tableEnd = 14 + 40 + 8;
    TBitmap gap, inside, beyond;
    Load(gap, file(tableEnd + 4));
    Load(inside, file(tableEnd - 4));
    Load(beyond, file(1000));
    EXPECT_EQ(Pixels(gap)[0], Red);
    EXPECT_EQ(Pixels(inside)[0], Blue);
    EXPECT_EQ(Pixels(beyond)[0], Blue);
}

TEST(BmpRead, SixteenAndThirtyTwoBitKinds) {
    const auto masked = [](int bits, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        BmpBytes f = InfoFile(1, 1, bits, 3);
        f.U32(r).U32(g).U32(b).Fill(4, 0xFF);  // masks, one white pixel row
        return f.data;
    };
    TBitmap b565, b555, bf32, plain16, plain32;
    Load(b565, masked(16, 0xF800, 0x07E0, 0x001F));
    Load(b555, masked(16, 0x7C00, 0x03E0, 0x001F));
    Load(bf32, masked(32, 0xFF0000, 0xFF00, 0xFF));
    Load(plain16, InfoFile(1, 1, 16).Raw({0xFF, 0x7F, 0, 0}).data);  // 5-5-5 white
    Load(plain32, InfoFile(1, 1, 32).Fill(4, 0xFF).data);
    EXPECT_EQ(b565.RasterFormat(), rf16Bit);
    EXPECT_EQ(b555.RasterFormat(), rfCustom);
    EXPECT_EQ(bf32.RasterFormat(), rfCustom);
    EXPECT_EQ(plain16.RasterFormat(), rf15Bit);
    EXPECT_EQ(plain32.RasterFormat(), rf32Bit);
    EXPECT_EQ(b565.Image()->masks[1], 0x07E0u);
    EXPECT_EQ(Pixels(b565)[0], White);
    EXPECT_EQ(Pixels(bf32)[0], White);
    EXPECT_EQ(Pixels(plain16)[0], White);
}

TEST(BmpRead, LongerHeadersCarryTheirMasks) {
    BmpBytes f;
    f.U16(0x4D42).U32(0).U32(0).U32(0);
    f.U32(56).U32(1).U32(1).U16(1).U16(32).U32(3).U32(0);      // 56-byte header, 1 x 1, 32 bits, bit fields
    f.U32(0).U32(0).U32(0).U32(0);                             // resolutions, colours
    f.U32(0x0000FF00).U32(0x00FF0000).U32(0xFF000000).U32(0);  // red, green, blue, alpha masks
    f.Raw({0, 0x11, 0x22, 0x33});                              // red 0x11, green 0x22, blue 0x33
    TBitmap bitmap;
    Load(bitmap, f.data);
    EXPECT_EQ(bitmap.RasterFormat(), rfCustom);
    EXPECT_EQ(Pixels(bitmap)[0], 0x112233u);
}

TEST(BmpRead, ResolutionsAndCountsAreKept) {
    BmpBytes f = InfoFile(1, 1, 8, 0, 1);
    f.Raw({1, 2, 3, 0}).Fill(4, 0);
    TBitmap bitmap;
    Load(bitmap, f.data);
    EXPECT_EQ(bitmap.Image()->description.xPelsPerMeter, 2835);
    EXPECT_EQ(bitmap.Image()->description.clrUsed, 1u);
    EXPECT_FALSE(bitmap.Image()->coreHeader);
}

TEST(BmpRead, DamagedFilesAreRefusedWithOurErrors) {
    const std::string readError = "EReadError: Stream read error";
    const std::string invalid = "EInvalidGraphic: Bitmap image is not valid";
    const std::string resources = "EOutOfResources: Out of system resources";
    const auto cut = [](std::vector<std::uint8_t> v, std::size_t n) {
        v.resize(n);
        return v;
    };
    const auto good = Rgb24File(false);
    BmpBytes bitFields8 = InfoFile(1, 1, 8, 3);
    bitFields8.Fill(1024 + 4, 0);
    BmpBytes tableCut = InfoFile(1, 1, 8, 0, 10);
    tableCut.Fill(12, 0);  // three of ten entries
    BmpBytes masksCut = InfoFile(1, 1, 16, 3);
    masksCut.U32(0xF800);
    BmpBytes planes = InfoFile(1, 1, 24);
    planes.data[26] = 2;
    BmpBytes shortHeader = BmpBytes().U16(0x4D42).U32(0).U32(0).U32(0).U32(16).Fill(40, 0);
    BmpBytes hugePalette = InfoFile(1, 1, 24, 0, 0x40000000);

    const std::vector<std::pair<std::vector<std::uint8_t>, std::string>> cases = {
        {cut(good, 13), readError},  // inside the file header
        {cut(good, 30), readError},  // inside the info header
        {BmpBytes().Raw({'B', 'A'}).Fill(60, 0).data, invalid},
        {shortHeader.data, invalid},  // header size 16
        {planes.data, invalid},
        {InfoFile(1, 1, 2).Fill(4, 0).data, invalid},      // 2 bits per pixel
        {InfoFile(1, 1, 24, 4).Fill(4, 0).data, invalid},  // embedded JPEG
        {bitFields8.data, invalid},
        {InfoFile(0, 1, 24).Fill(4, 0).data, invalid},
        {InfoFile(-3, 1, 24).Fill(12, 0).data, invalid},
        {InfoFile(1, 0, 24).Fill(4, 0).data, invalid},
        {InfoFile(1, INT_MIN, 24).Fill(4, 0).data, invalid},
        {InfoFile(70000, 70000, 24).Fill(4, 0).data, resources},
        {InfoFile(INT_MAX, INT_MAX, 32).Fill(4, 0).data, resources},
        {tableCut.data, readError},
        {masksCut.data, readError},
        {hugePalette.data, readError},
    };
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(LoadError(cases[i].first), cases[i].second) << "case " << i;
}

TEST(BmpRead, FailedReadKeepsTheOldRaster) {
    TBitmap bitmap;
    Load(bitmap, Rgb24File(false));
    auto damaged = Rgb24File(false);
    damaged.resize(20);
    EXPECT_THROW(Load(bitmap, damaged), EReadError);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(Pixels(bitmap)[0], Red);
}

TEST(BmpRead, ChangeIsNotifiedOnceAfterTheRasterIsIn) {
    TBitmap bitmap;
    int changes = 0, widthSeen = 0;
    bitmap.OnChange = [&](TGraphic& g) {
        ++changes;
        widthSeen = g.Width();
    };
    Load(bitmap, Rgb24File(false));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(widthSeen, 3);
}

}  // namespace

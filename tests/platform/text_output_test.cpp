#include <gtest/gtest.h>

#include <set>

#include "platform/DeviceContext.h"

namespace {

using namespace platform;

constexpr std::uint32_t Green32 = 0x00C800;  // 0x00RRGGBB row form

std::unique_ptr<Bitmap> Raster32(int width, int height) {
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = 32;
    auto bitmap = Bitmap::CreateDib(header, {});
    std::vector<std::uint32_t> row(std::size_t(width), Green32);
    for (int y = 0; y < height; ++y) WriteRow32(*bitmap, y, 0, width, row.data());
    return bitmap;
}

std::uint32_t At(const Bitmap& bitmap, int x, int y) {
    std::uint32_t value = 0;
    ReadRow32(bitmap, y, x, 1, &value);
    return value;
}

TEST(TextOutput, ExtentGrowsWithTextAndHeight) {
    DeviceContext dc;
    dc.SetFont("DejaVu Sans", 16);
    const TextSize empty = dc.GetTextExtent("");
    const TextSize one = dc.GetTextExtent("W");
    const TextSize two = dc.GetTextExtent("WW");
    EXPECT_EQ(empty.cx, 0);
    EXPECT_GT(empty.cy, 16 - 1);
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(two.cx, 2 * one.cx);
    EXPECT_EQ(one.cy, empty.cy);
    dc.SetFont("DejaVu Sans", 32);
    EXPECT_GT(dc.GetTextExtent("W").cy, one.cy);
}

TEST(TextOutput, OpaqueModeFillsTheCellTransparentModeOnlyTheLetters) {
    auto opaque = Raster32(80, 30);
    DeviceContext dc(opaque.get());
    dc.SetFont("DejaVu Sans", 14);
    dc.SetTextColor(0x0000FF);  // red
    dc.SetBkColor(0xFF0000);    // blue
    const TextSize cell = dc.GetTextExtent("Tg");
    dc.ExtTextOut(3, 2, "Tg");
    std::set<std::uint32_t> inCell;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            const bool inside = x >= 3 && x < 3 + cell.cx && y >= 2 && y < 2 + cell.cy;
            if (inside)
                inCell.insert(At(*opaque, x, y));
            else
                EXPECT_EQ(At(*opaque, x, y), Green32) << x << "," << y;
        }
    EXPECT_EQ(inCell, (std::set<std::uint32_t>{0xFF0000, 0x0000FF}));

    auto transparent = Raster32(80, 30);
    DeviceContext clear(transparent.get());
    clear.SetFont("DejaVu Sans", 14);
    clear.SetTextColor(0x0000FF);
    clear.SetBkMode(TRANSPARENT);
    clear.ExtTextOut(3, 2, "Tg");
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            const std::uint32_t c = At(*transparent, x, y);
            EXPECT_TRUE(c == Green32 || (c == 0xFF0000 && At(*opaque, x, y) == 0xFF0000)) << x << "," << y;
        }
}

TEST(TextOutput, HugeFontFarOffDrawsNothingAndStaysCheap) {
    auto raster = Raster32(16, 16);
    DeviceContext dc(raster.get());
    dc.SetFont("DejaVu Sans", 20000);
    dc.SetBkMode(TRANSPARENT);
    dc.ExtTextOut(100000, 100000, "Far away");
    dc.ExtTextOut(-100000, 0, "Far away");
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_EQ(At(*raster, x, y), Green32);
}

TEST(TextOutput, IndexedTargetGetsTheNearestTableColour) {
    BitmapInfoHeader header;
    header.width = 20;
    header.height = 20;
    header.bitCount = 1;
    auto mono = Bitmap::CreateDib(header, {RGBQuad{0, 0, 0, 0}, RGBQuad{255, 255, 255, 0}});
    std::vector<std::uint32_t> white(20, 0xFFFFFF);
    for (int y = 0; y < 20; ++y) WriteRow32(*mono, y, 0, 20, white.data());
    DeviceContext dc(mono.get());
    dc.SetFont("DejaVu Sans", 14);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(0x202020);  // near black
    dc.ExtTextOut(1, 1, "H");
    int black = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) black += At(*mono, x, y) == 0;
    EXPECT_GT(black, 5);
}

}  // namespace

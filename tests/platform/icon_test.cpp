#include "platform/Icon.h"

#include <gtest/gtest.h>

#include "platform/SystemMetrics.h"

namespace {

using platform::Bitmap;

std::unique_ptr<Bitmap> GreyTarget(int width, int height) {
    auto target = Bitmap::CreateDevice(width, height);
    std::vector<std::uint32_t> row(width, 0x808080);
    for (int y = 0; y < height; ++y) platform::WriteRow32(*target, y, 0, width, row.data());
    return target;
}

std::uint32_t PixelAt(const Bitmap& bmp, int x, int y) {
    std::uint32_t p = 0;
    platform::ReadRow32(bmp, y, x, 1, &p);
    return p & 0x00FFFFFF;
}

// A 4 x 1 icon showing the four combinations of mask and colour.
platform::IconHandle FourCases() {
    return platform::CreateIcon(4, 1, {0xFF0000, 0x000000, 0xFFFFFF, 0x00FF00}, {0, 1, 1, 0});
}

TEST(PlatformIcon, DrawingAndsTheMaskThenXorsTheColour) {
    auto target = GreyTarget(8, 2);
    platform::DeviceContext dc(target.get());
    platform::IconHandle icon = FourCases();
    ASSERT_TRUE(platform::DrawIconEx(dc, 1, 1, icon.get()));
    EXPECT_EQ(PixelAt(*target, 0, 1), 0x808080u);
    EXPECT_EQ(PixelAt(*target, 1, 1), 0xFF0000u);  // opaque
    EXPECT_EQ(PixelAt(*target, 2, 1), 0x808080u);  // transparent
    EXPECT_EQ(PixelAt(*target, 3, 1), 0x7F7F7Fu);  // transparent with colour: the target inverted
    EXPECT_EQ(PixelAt(*target, 4, 1), 0x00FF00u);
    EXPECT_EQ(PixelAt(*target, 1, 0), 0x808080u);
}

TEST(PlatformIcon, DrawingIsClippedToTheTarget) {
    auto target = GreyTarget(3, 1);
    platform::DeviceContext dc(target.get());
    platform::IconHandle icon = FourCases();
    EXPECT_TRUE(platform::DrawIconEx(dc, -2, 0, icon.get()));  // only the last two columns land
    EXPECT_EQ(PixelAt(*target, 0, 0), 0x7F7F7Fu);
    EXPECT_EQ(PixelAt(*target, 1, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(*target, 2, 0), 0x808080u);
    EXPECT_TRUE(platform::DrawIconEx(dc, 2, -5, icon.get()));
    EXPECT_TRUE(platform::DrawIconEx(dc, 9, 0, icon.get()));
    EXPECT_EQ(PixelAt(*target, 2, 0), 0x808080u);
}

TEST(PlatformIcon, IconsKeepTheirOwnCopiesOfTheRasters) {
    auto mask = Bitmap::CreateMonochrome(2, 2);
    auto color = Bitmap::CreateDevice(2, 2);
    platform::ICONINFO info{0xFFFFFFFFu, 0, 0, mask.get(), color.get()};
    platform::IconHandle icon = platform::CreateIconIndirect(info);
    ASSERT_NE(icon, nullptr);
    mask.reset();
    color.reset();
    platform::ICONINFO copies;
    ASSERT_TRUE(platform::GetIconInfo(icon.get(), copies));
    EXPECT_EQ(copies.fIcon, 0xFFFFFFFFu);
    ASSERT_NE(copies.hbmColor, nullptr);
    EXPECT_EQ(copies.hbmColor->Width(), 2);
    delete copies.hbmMask;
    delete copies.hbmColor;

    auto small = Bitmap::CreateDevice(1, 2);
    auto big = Bitmap::CreateMonochrome(2, 2);
    EXPECT_EQ(platform::CreateIconIndirect({1, 0, 0, big.get(), small.get()}), nullptr);
    EXPECT_EQ(platform::CreateIconIndirect({1, 0, 0, nullptr, small.get()}), nullptr);
    EXPECT_FALSE(platform::DestroyIcon(platform::DefaultApplicationIcon()));
    EXPECT_EQ(platform::GetSystemMetrics(platform::SM_CXICON), 32);
    EXPECT_EQ(platform::GetSystemMetrics(platform::SM_CXVSCROLL), 17);
}

TEST(PlatformIcon, FourBitConversionTakesTheNearestSystemColour) {
    auto source = Bitmap::CreateDevice(5, 2);
    const std::vector<std::uint32_t> top = {0x808080, 0xC0C0C0, 0xC80000, 0x000000, 0xFFFFFF};
    const std::vector<std::uint32_t> bottom = {0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF};
    platform::WriteRow32(*source, 0, 0, 5, top.data());
    platform::WriteRow32(*source, 1, 0, 5, bottom.data());
    platform::BitmapInfoHeader header;
    std::vector<platform::RGBQuad> colors;
    std::vector<std::uint8_t> bits;
    ASSERT_TRUE(platform::GetDIBits(*source, 4, header, colors, bits));
    EXPECT_EQ(header.height, 2);
    EXPECT_EQ(header.sizeImage, 8u);
    EXPECT_EQ(colors.size(), 16u);
    // Bottom-up rows, high nibble first: blue is 12, grey 7, silver 8, (200,0,0) red 9, black 0, white 15.
    EXPECT_EQ(bits, (std::vector<std::uint8_t>{0xCC, 0xCC, 0xC0, 0, 0x78, 0x90, 0xF0, 0}));
    EXPECT_FALSE(platform::GetDIBits(*source, 8, header, colors, bits));
}

}  // namespace

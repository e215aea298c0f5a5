// DeviceContext's side of the text-engine seam: what it asks an engine for and how it writes the
// glyphs the engine reports.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/DeviceContext.h"
#include "platform/QtTextEngine.h"

namespace {

using namespace platform;

// An engine with a fixed cell and a mask set by the test; it keeps the last request.
class FixedEngine : public TextEngine {
public:
    TextSize cell{6, 4};
    TextMask mask;
    TextFont font;
    TPoint at;

    TextSize Measure(const TextFont&, const std::string&) override { return cell; }
    TextMask Render(const TextFont& requested, const std::string&, TPoint position, int, int) override {
        font = requested, at = position;
        return mask;
    }
};

class TextEngineSeam : public ::testing::Test {
protected:
    void SetUp() override {
        InstallTextEngine(engine);
        BitmapInfoHeader header;
        header.width = 10;
        header.height = 8;
        header.bitCount = 8;
        std::vector<RGBQuad> table(256);
        for (int i = 0; i < 256; ++i)
            table[i] = RGBQuad{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
        table[1] = RGBQuad{0, 0, 255, 0}, table[2] = RGBQuad{255, 0, 0, 0};  // red, blue
        raster = Bitmap::CreateDib(header, table);
        std::vector<std::uint32_t> grey(10, 0x808080);
        for (int y = 0; y < 8; ++y) WriteRow32(*raster, y, 0, 10, grey.data());
    }
    void TearDown() override { InstallQtTextEngine(); }

    std::uint32_t At(int x, int y) const {
        std::uint32_t value = 0;
        ReadRow32(*raster, y, x, 1, &value);
        return value;
    }

    FixedEngine engine;
    std::unique_ptr<Bitmap> raster;
};

TEST_F(TextEngineSeam, CoveredPixelsTakeTheTextColourTheCellTheBackground) {
    // Covered: (3,2) and (5,2)-(6,2); the mask's area reaches outside the 6 x 4 cell at (2,1).
    engine.mask.area = TRect{3, 2, 9, 3};
    engine.mask.covered = {1, 0, 255, 1, 0, 0};
    DeviceContext dc(raster.get());
    dc.SetFont("Liberation Serif", -20, true, true, false, true);
    dc.SetTextColor(0x0000FF);  // red
    dc.SetBkColor(0xFF0000);    // blue
    dc.ExtTextOut(2, 1, "abc");

    EXPECT_EQ(engine.font.faceName, "Liberation Serif");
    EXPECT_EQ(engine.font.pixelHeight, -20);
    EXPECT_TRUE(engine.font.bold && engine.font.italic && !engine.font.underline && engine.font.strikeOut);
    EXPECT_EQ(engine.at, (TPoint{2, 1}));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool covered = y == 2 && (x == 3 || x == 5 || x == 6);
            const bool inCell = x >= 2 && x < 8 && y >= 1 && y < 5;
            const std::uint32_t expected = covered ? 0xFF0000 : inCell ? 0x0000FF : 0x808080;
            EXPECT_EQ(At(x, y), expected) << x << "," << y;
        }
}

TEST_F(TextEngineSeam, AMaskThatDoesNotFitTheRasterIsRefusedUnwritten) {
    DeviceContext dc(raster.get());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(0x0000FF);
    const TextMask misfits[] = {
        {TRect{8, 0, 11, 1}, {1, 1, 1}}, {TRect{-1, 0, 1, 1}, {1, 1}}, {TRect{0, 0, 3, 2}, {1, 1, 1}}};
    for (const TextMask& misfit : misfits) {
        engine.mask = misfit;
        EXPECT_THROW(dc.ExtTextOut(0, 0, "x"), std::logic_error);
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(At(x, y), 0x808080u) << x << "," << y;
}

}  // namespace

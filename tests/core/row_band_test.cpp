#include <gtest/gtest.h>

#include <stdexcept>

#include "core/RowBand.h"
#include "tests/core/EditsFixtures.h"

namespace {

// A band asked for past either edge keeps only the raster's rows there; exchanged twice, the
// raster is back as it was, exchanged once, only the band's rows hold what was kept.
TEST(RowBand, KeepsTheRowsInsideTheRasterAndExchangesThemBack) {
    struct Case {
        int top, bottom;
        int firstKept, rowsKept;
    } cases[] = {{1, 3, 1, 2}, {-4, 2, 0, 2}, {3, 9, 3, 2}, {-1, 9, 0, 5}, {7, 9, 0, 0}, {3, 1, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.top) + ".." + std::to_string(c.bottom));
        auto raster = MakeRaster24(3, 5, PositionColor);
        const auto before = Pixels24(*raster);
        RowBand band(*raster, c.top, c.bottom);
        EXPECT_EQ(band.Bytes(), std::size_t(c.rowsKept) * 12);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 3; ++x) raster->Surface().WritePixel(x, y, clRed);
        band.SwapWith(*raster);
        for (int y = 0; y < 5; ++y) {
            const bool kept = y >= c.firstKept && y < c.firstKept + c.rowsKept;
            EXPECT_EQ(Pixel24(*raster, 1, y), kept ? PositionColor(1, y) : clRed) << "row " << y;
        }
        band.SwapWith(*raster);
        EXPECT_EQ(Pixels24(*raster), std::vector<TColor>(15, clRed));
    }
}

// Rows go back only to a raster of the layout they came from, and a refusal writes nothing.
TEST(RowBand, RefusesARasterOfAnotherLayout) {
    auto raster = MakeRaster24(3, 5, PositionColor);
    RowBand band(*raster, 0, 2);
    for (TRasterFormat format : {rf32Bit, rf24Bit}) {
        auto other = MakeRaster24(format == rf24Bit ? 4 : 3, 5, [](int, int) { return clRed; });
        other->SetRasterFormat(format);
        EXPECT_THROW(band.SwapWith(*other), std::logic_error);
        other->SetRasterFormat(rf24Bit);
        EXPECT_EQ(Pixel24(*other, 0, 0), clRed);
    }
}

}  // namespace

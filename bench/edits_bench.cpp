// Picture edits on a 4000 x 3000 24-bit raster, each beside a plain copy of the same rows.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "core/InvertColors.h"
#include "core/RotateBitmap.h"
#include "core/ShiftBrightness.h"
#include "core/TBitmap.h"

namespace {

constexpr int Width = 4000, Height = 3000;

std::unique_ptr<TBitmap> Picture() {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetWidth(Width);
    bitmap->SetHeight(Height);
    bitmap->SetRasterFormat(rf24Bit);
    for (int y = 0; y < Height; ++y) {
        std::uint8_t* row = bitmap->Row(y);
        for (int i = 0; i < 3 * Width; ++i) row[i] = std::uint8_t(i * 7 + y * 13);
    }
    return bitmap;
}

void RowCopyBaseline(benchmark::State& state) {
    auto picture = Picture();
    const std::size_t bytes = std::size_t(3) * Width;
    std::vector<std::uint8_t> target(bytes * Height);
    for (auto _ : state) {
        for (int y = 0; y < Height; ++y) std::memcpy(target.data() + y * bytes, picture->Row(y), bytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}

void Invert(benchmark::State& state) {
    auto picture = Picture();
    for (auto _ : state) {
        InvertColors(*picture);
        benchmark::ClobberMemory();
    }
}

void Rotate(benchmark::State& state) {
    auto picture = Picture();
    const double angle = double(state.range(0));
    TBitmap rotated;
    for (auto _ : state) {
        RotateBitmap(*picture, rotated, {Width / 2, Height / 2}, angle);
        benchmark::ClobberMemory();
    }
}

void Brighten(benchmark::State& state) {
    auto picture = Picture();
    for (auto _ : state) {
        ShiftBrightness(*picture, 10, 10, 10);
        benchmark::ClobberMemory();
    }
}

BENCHMARK(RowCopyBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(Invert)->Unit(benchmark::kMillisecond);
BENCHMARK(Rotate)->Arg(90)->Arg(180)->Unit(benchmark::kMillisecond);
BENCHMARK(Brighten)->Unit(benchmark::kMillisecond);

}  // namespace

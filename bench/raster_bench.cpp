#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/TBitmap.h"

namespace {

constexpr int Width = 4000, Height = 3000;

// An 8-bit raster with every index in use.
void MakeIndexed(TBitmap& bmp) {
    bmp.SetRasterFormat(rf8Bit);
    bmp.SetWidth(Width);
    bmp.SetHeight(Height);
    for (int y = 0; y < Height; ++y) {
        std::uint8_t* row = bmp.Row(y);
        for (int x = 0; x < Width; ++x) row[x] = std::uint8_t(x * 7 + y);
    }
}

void BM_Convert8BitTo24Bit(benchmark::State& state) {
    TBitmap source;
    MakeIndexed(source);
    for (auto _ : state) {
        TBitmap bmp;
        bmp.CopyFrom(&source);
        bmp.SetRasterFormat(rf24Bit);
        benchmark::DoNotOptimize(bmp.Image().get());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Width) * Height * 3);
}
BENCHMARK(BM_Convert8BitTo24Bit)->Unit(benchmark::kMillisecond);

// Baseline: copying the 24-bit rows of the same picture.
void BM_MemcpyRows24Bit(benchmark::State& state) {
    const std::size_t stride = std::size_t(platform::RowStride(Width, 24));
    std::vector<std::uint8_t> from(stride * Height, 1), to(stride * Height);
    for (auto _ : state) {
        for (int y = 0; y < Height; ++y)
            std::memcpy(to.data() + y * stride, from.data() + y * stride, stride);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(stride) * Height);
}
BENCHMARK(BM_MemcpyRows24Bit)->Unit(benchmark::kMillisecond);

// Every pixel read and written once through the surface, as the brightness shift does.
void BM_ReadWritePixel24Bit(benchmark::State& state) {
    TBitmap bmp;
    bmp.SetRasterFormat(rf24Bit);
    bmp.SetWidth(Width);
    bmp.SetHeight(Height);
    TCanvas& surface = bmp.Surface();
    for (auto _ : state) {
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x) surface.WritePixel(x, y, surface.ReadPixel(x, y) ^ 0x010101);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(Width) * Height);
}
BENCHMARK(BM_ReadWritePixel24Bit)->Unit(benchmark::kMillisecond);

}  // namespace

// Loading a 4000 x 3000 24-bit BMP from memory, beside copying the same file bytes into new memory.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/TBitmap.h"
#include "core/TStream.h"
#include "formats/PictureKinds.h"

namespace {

constexpr int Width = 4000, Height = 3000;

// File header, 40-byte info header and bottom-up rows of a smooth pattern.
TMemoryStream BmpFile() {
    const std::uint32_t rowBytes = 3 * Width, pixelBytes = rowBytes * Height, offset = 54;
    std::vector<std::uint8_t> b;
    const auto put = [&](std::uint32_t v, int size) {
        for (int i = 0; i < size; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
    };
    put(0x4D42, 2), put(offset + pixelBytes, 4), put(0, 4), put(offset, 4);
    put(40, 4), put(Width, 4), put(Height, 4), put(1, 2), put(24, 2), put(0, 4), put(pixelBytes, 4);
    put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
    b.reserve(offset + pixelBytes);
    for (int y = 0; y < Height; ++y)
        for (std::uint32_t i = 0; i < rowBytes; ++i) b.push_back(std::uint8_t(i / 3 + y));
    TMemoryStream stream;
    stream.Write(b.data(), b.size());
    return stream;
}

void CopyFileBytes(benchmark::State& state) {
    TMemoryStream file = BmpFile();
    for (auto _ : state) {
        std::vector<std::uint8_t> copy(file.Data().begin(), file.Data().end());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * file.DataSize());
}

void LoadBmp(benchmark::State& state) {
    InstallPictureKinds();
    TMemoryStream file = BmpFile();
    for (auto _ : state) {
        file.SetPosition(0);
        TBitmap bitmap;
        bitmap.ReadFromStream(file);
        benchmark::DoNotOptimize(bitmap.Image().get());
    }
    state.SetBytesProcessed(state.iterations() * file.DataSize());
}

}  // namespace

BENCHMARK(CopyFileBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadBmp)->Unit(benchmark::kMillisecond);

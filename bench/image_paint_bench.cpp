// The first paint of the main window's upper image box (427 x 448, proportional, centred) holding
// a 4000 x 3000 JPEG picture, at a device pixel ratio of 1 and of 2 (and 1.5). The first paint
// decodes the picture at full size and draws it into the box's device pixels; the ratio only
// changes how many destination pixels the stretch fills. "vs_ratio1" is the median of this ratio's
// paints divided by the median at ratio 1, measured pairwise in the same run so that other work on
// the machine weighs on both alike. "Repaint" draws the already decoded picture again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/RunWindowBenchmarks.h"
#include "core/TStream.h"
#include "formats/PictureKinds.h"
#include "formats/TJPEGImage.h"
#include "tests/formats/JpegTestPictures.h"
#include "ui/TImage.h"

namespace {

constexpr int PhotoWidth = 4000, PhotoHeight = 3000;

// The picture's JPEG file, made once.
const TMemoryStream& PhotoJpeg() {
    static TMemoryStream bytes;
    if (bytes.DataSize() > 0) return bytes;
    TBitmap photo;
    MakePhoto(photo, PhotoWidth, PhotoHeight);
    TJPEGImage jpeg;
    jpeg.CopyFrom(&photo);
    jpeg.Encode(JpegSettingsAtQuality(50));
    jpeg.WriteToStream(bytes);
    return bytes;
}

// Image1 as the main window has it, holding a freshly read (not yet decoded) copy of the JPEG.
std::unique_ptr<TImage> UpperBoxWithPhoto() {
    auto box = std::make_unique<TImage>(nullptr, 0, 0, 427, 448);
    box->SetProportional(true);
    box->SetCenter(true);
    TMemoryStream bytes;
    bytes.WriteBuffer(PhotoJpeg().Memory(), std::size_t(PhotoJpeg().DataSize()));
    bytes.SetPosition(0);
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->ReadFromStream(bytes);
    box->Picture().AdoptGraphic(std::move(jpeg));
    return box;
}

// One paint of the box at `ratio` device pixels per logical pixel, in milliseconds.
double PaintMs(TImage& box, double ratio) {
    QImage device(qRound(box.width() * ratio), qRound(box.height() * ratio), QImage::Format_RGB32);
    device.setDevicePixelRatio(ratio);
    const auto start = std::chrono::steady_clock::now();
    box.render(&device);
    const auto end = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(device.constBits());
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Alternates a paint at ratio 1 with one at `ratio` and times only the paints.
void ComparePaints(benchmark::State& state, double ratio, bool first) {
    PhotoJpeg();
    std::vector<double> base, scaled;
    for (auto _ : state) {
        state.PauseTiming();
        auto one = UpperBoxWithPhoto(), other = UpperBoxWithPhoto();
        if (!first) PaintMs(*one, 1), PaintMs(*other, ratio);  // decoded beforehand
        state.ResumeTiming();
        // Which goes first alternates, so that neither pays for the other's memory traffic.
        if (base.size() % 2 == 0) {
            base.push_back(PaintMs(*one, 1));
            scaled.push_back(PaintMs(*other, ratio));
        } else {
            scaled.push_back(PaintMs(*other, ratio));
            base.push_back(PaintMs(*one, 1));
        }
    }
    state.counters["ms_ratio1"] = Median(base);
    state.counters["ms_this_ratio"] = Median(scaled);
    state.counters["vs_ratio1"] = Median(scaled) / Median(base);
}

void BM_FirstPaintImage1_Ratio2(benchmark::State& state) {
    ComparePaints(state, 2, true);
}
void BM_FirstPaintImage1_Ratio1_5(benchmark::State& state) {
    ComparePaints(state, 1.5, true);
}
void BM_RepaintImage1_Ratio2(benchmark::State& state) {
    ComparePaints(state, 2, false);
}

BENCHMARK(BM_FirstPaintImage1_Ratio2)->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_FirstPaintImage1_Ratio1_5)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RepaintImage1_Ratio2)->Unit(benchmark::kMillisecond)->Iterations(7);

}  // namespace

int main(int argc, char** argv) {
    return RunWidgetBenchmarks(argc, argv);
}

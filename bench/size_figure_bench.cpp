// The main window's size figure for a 4000 x 3000 picture (offscreen): the slider is dragged over a
// few positions, 15 ms apart, and stops; timed is the span from the last move to the exact figure
// (no "≈"). Every move abandons the run before it, so this includes waiting for that run to stop.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSlider>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/RunWindowBenchmarks.h"
#include "core/TBitmap.h"
#include "formats/PictureKinds.h"
#include "tests/formats/JpegTestPictures.h"
#include "ui/Forms.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"

namespace {

using Clock = std::chrono::steady_clock;

bool ExactFigure() {
    const std::string caption = Form1->Label9->Caption();
    return !caption.empty() && caption.rfind("≈", 0) != 0;
}

// Runs the event loop until the exact figure is shown; the milliseconds since `from`.
double WaitForFigure(Clock::time_point from) {
    while (!ExactFigure()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

void Drag(const std::vector<int>& positions) {
    for (int position : positions) {
        Form1->TrackBar1->setValue(position);
        const auto until = Clock::now() + std::chrono::milliseconds(15);
        while (Clock::now() < until) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

void BM_SizeFigureAfterTheSliderStops_4000x3000(benchmark::State& state) {
    const std::string path =
        std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/size-figure.bmp";
    TBitmap photo;
    MakePhoto(photo, 4000, 3000);
    photo.WriteToFile(path);
    CreateForms();
    Form1->OpenSourcePicture(path);
    WaitForFigure(Clock::now());
    std::vector<double> spans;
    int start = 20;
    for (auto _ : state) {
        Drag({start, start + 5, start + 10, start + 15});
        spans.push_back(WaitForFigure(Clock::now()));
        state.SetIterationTime(spans.back() / 1000);
        start = start == 20 ? 60 : 20;
    }
    std::sort(spans.begin(), spans.end());
    state.counters["median_ms"] = spans[spans.size() / 2];
    state.counters["max_ms"] = spans.back();
    DestroyForms();
    std::remove(path.c_str());
}

BENCHMARK(BM_SizeFigureAfterTheSliderStops_4000x3000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

}  // namespace

int main(int argc, char** argv) {
    return RunWidgetBenchmarks(argc, argv);
}

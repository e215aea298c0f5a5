// The main window's history on a 4000 x 3000 picture: an edit made through the window with its
// history (TForm1::EditPicture) against the same edit made on the same picture without one, runs
// alternating so that both sides see the same machine load ("vs_without": the medians' ratio, goal
// at most 1.1), and the undo of the edit just made ("ms_undo", goal at most 20 ms). The history runs
// full (20 steps), as after a while of work, so each edit also lets the oldest step go. The copy of
// the picture into place before each run is not timed; the handlers are, and "ms_undo_shown" adds the
// box's repaint of the restored picture.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "bench/RunWindowBenchmarks.h"
#include "core/ApplyEdit.h"
#include "core/TBitmap.h"
#include "core/TPicture.h"
#include "formats/PictureKinds.h"
#include "platform/QtTextEngine.h"
#include "tests/formats/JpegTestPictures.h"
#include "ui/Forms.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"
#include "ui/WorkingPictureEdit.h"

namespace {

constexpr int Width = 4000, Height = 3000;

const TBitmap& Photo() {
    static TBitmap photo;
    if (photo.Width() == 0) MakePhoto(photo, Width, Height);
    return photo;
}

double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void Settle(TPicture& picture) {
    picture.AdoptGraphic(PrivateCopyOf(Photo()));
    QCoreApplication::processEvents();
}

void FillHistory(const PictureEdit& edit) {
    Settle(Form1->Image1->Picture());
    for (std::size_t step = 0; step < EditHistory::DefaultMaxSteps; ++step) Form1->EditPicture(edit);
}

void EditWithAndWithoutHistory(benchmark::State& state, const PictureEdit& edit) {
    TPicture& working = Form1->Image1->Picture();
    FillHistory(edit);
    std::vector<double> with, without, undo, undoShown;
    for (auto _ : state) {
        Settle(working);
        with.push_back(Milliseconds([&] { Form1->EditPicture(edit); }));
        QCoreApplication::processEvents();
        undo.push_back(Milliseconds([] { Form1->UndoItemClick(); }));
        QCoreApplication::processEvents();
        Form1->RedoItemClick();
        QCoreApplication::processEvents();
        undoShown.push_back(Milliseconds([] {
            Form1->UndoItemClick();
            Form1->Image1->repaint();
        }));
        Form1->RedoItemClick();
        Settle(working);
        without.push_back(Milliseconds([&] {
            Form1->SizeProbe->LetGoOfRows();
            EditWorkingPicture(working, [&](TPicture& picture) { ApplyEdit(picture, edit); });
        }));
        QCoreApplication::processEvents();
    }
    state.counters["ms_with"] = Median(with);
    state.counters["ms_without"] = Median(without);
    state.counters["vs_without"] = Median(with) / Median(without);
    state.counters["ms_undo"] = Median(undo);
    state.counters["ms_undo_shown"] = Median(undoShown);
}

void Invert(benchmark::State& state) {
    EditWithAndWithoutHistory(state, PictureEdit::Inversion());
}
void Darken(benchmark::State& state) {
    EditWithAndWithoutHistory(state, PictureEdit::BrightnessStep(-10));
}
void Lighten(benchmark::State& state) {
    EditWithAndWithoutHistory(state, PictureEdit::BrightnessStep(10));
}
void Rotate90(benchmark::State& state) {
    EditWithAndWithoutHistory(state, PictureEdit::Rotation(90));
}
void Caption(benchmark::State& state) {
    EditWithAndWithoutHistory(state,
                              PictureEdit::CaptionAt("Brelvik", 10, 10, "MS Sans Serif", 8, clWindowText));
}

BENCHMARK(Invert)->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(Darken)->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(Lighten)->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(Rotate90)->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(Caption)->Unit(benchmark::kMillisecond)->Iterations(7);

}  // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}

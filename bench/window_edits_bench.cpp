// Each edit of the main window's menu and dialogs on an 8000 x 6000 picture, run by the window's
// own handler (the working picture in its shown image box) against the same edit run by
// brelvik-cli in-process (ApplyEdit on a bare picture holder). Runs alternate, so that both sides
// see the same machine load; "vs_cli" is the window's median over brelvik-cli's (goal: at most 1.2).
// The copy of the picture into place before each run is not timed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "bench/RunWindowBenchmarks.h"
#include "cli/Edits.h"
#include "core/TBitmap.h"
#include "core/TPicture.h"
#include "formats/PictureKinds.h"
#include "platform/QtTextEngine.h"
#include "tests/formats/JpegTestPictures.h"
#include "ui/Forms.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit6.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPComboBox.h"
#include "widgets/TXPEdit.h"

namespace {

constexpr int Width = 8000, Height = 6000;

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

struct MenuEdit {
    std::function<void()> inWindow;
    EditStep inCli;
};

EditStep Step(EditStep::Kind kind, int step = 0, double angle = 0) {
    EditStep edit;
    edit.kind = kind;
    edit.step = step;
    edit.angle = angle;
    return edit;
}

void CompareEdit(benchmark::State& state, const MenuEdit& edit) {
    std::vector<double> window, cli;
    TPicture cliPicture;
    for (auto _ : state) {
        Form1->Image1->Picture().AdoptGraphic(PrivateCopyOf(Photo()));
        QCoreApplication::processEvents();  // the box repaints the new picture first, untimed
        window.push_back(Milliseconds(edit.inWindow));
        QCoreApplication::processEvents();
        Form1->Image1->Picture().ReplaceGraphic(nullptr);
        cliPicture.AdoptGraphic(PrivateCopyOf(Photo()));
        cli.push_back(Milliseconds([&] { ApplyEdit(cliPicture, edit.inCli); }));
        cliPicture.ReplaceGraphic(nullptr);
    }
    state.counters["ms_window"] = Median(window);
    state.counters["ms_cli"] = Median(cli);
    state.counters["vs_cli"] = Median(window) / Median(cli);
}

void Invert(benchmark::State& state) {
    CompareEdit(state, {[] { Form1->N2Click(); }, Step(EditStep::Invert)});
}
void Rotate90(benchmark::State& state) {
    CompareEdit(state, {[] { Form1->N901Click(); }, Step(EditStep::Rotate, 0, 90)});
}
void Rotate180(benchmark::State& state) {
    CompareEdit(state, {[] { Form1->N101Click(); }, Step(EditStep::Rotate, 0, 180)});
}
void Lighten(benchmark::State& state) {
    Form2->XPComboBox1->setCurrentIndex(1);  // "10"
    CompareEdit(state, {[] { emit Form2->FancyButton1->clicked(); }, Step(EditStep::Brightness, 10)});
}
void Darken(benchmark::State& state) {
    Form3->XPComboBox1->setCurrentIndex(0);  // "-10"
    CompareEdit(state, {[] { emit Form3->FancyButton2->clicked(); }, Step(EditStep::Brightness, -10)});
}
void Caption(benchmark::State& state) {
    Form6->XPEdit1->setText("Brelvik");
    EditStep caption = Step(EditStep::Caption);
    caption.text = "Brelvik";
    caption.x = caption.y = 10;
    CompareEdit(state, {[] { emit Form6->FancyButton1->clicked(); }, caption});
}

BENCHMARK(Invert)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Rotate90)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Rotate180)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Lighten)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Darken)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Caption)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}

#pragma once
#include <QApplication>
#include <cstdlib>
#include <memory>

#include "bench/RunBenchmarks.h"
#include "core/TBitmap.h"
#include "formats/PictureKinds.h"
#include "platform/QtTextEngine.h"
#include "ui/Forms.h"
#include "ui/Unit1.h"

// Runs `body` with the toolkit up (offscreen) and the picture kinds installed, as widgets need.
template <class Body>
int WithOffscreenToolkit(int& argc, char** argv, Body body) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InstallPictureKinds();
    return body();
}

// The main of a benchmark of widgets.
inline int RunWidgetBenchmarks(int& argc, char** argv) {
    return WithOffscreenToolkit(argc, argv, [&] { return RunBenchmarks(argc, argv); });
}

// The main of a benchmark of the windows: also the text engine, as the program has it at start-up,
// and the main window shown, so that its image box really repaints.
inline int RunWindowBenchmarks(int& argc, char** argv) {
    return WithOffscreenToolkit(argc, argv, [&] {
        platform::InstallQtTextEngine();
        CreateForms();
        Form1->show();
        const int status = RunBenchmarks(argc, argv);
        DestroyForms();
        return status;
    });
}

// A copy of `source` with pixels of its own, so that an edit of it shares (and copies) nothing.
inline std::unique_ptr<TBitmap> PrivateCopyOf(const TBitmap& source) {
    auto copy = std::make_unique<TBitmap>();
    copy->CopyFrom(const_cast<TBitmap*>(&source));
    copy->Row(0);  // the first write makes the store the copy's own
    return copy;
}

#pragma once
#include <QApplication>
#include <cstdlib>

#include "bench/RunBenchmarks.h"
#include "formats/PictureKinds.h"
#include "platform/QtTextEngine.h"
#include "ui/Forms.h"
#include "ui/Unit1.h"

// The main of a benchmark of the windows: the toolkit (offscreen) and the text engine, as the
// program has them at start-up, and the main window shown, so that its image box really repaints.
inline int RunWindowBenchmarks(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    platform::InstallQtTextEngine();
    InstallPictureKinds();
    CreateForms();
    Form1->show();
    const int status = RunBenchmarks(argc, argv);
    DestroyForms();
    return status;
}

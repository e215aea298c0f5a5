#include "tests/TestMain.h"

#include <cstdlib>

#include "platform/FontSubstitutes.h"
#include "platform/QtTextEngine.h"

namespace {

// The one place where every test program installs the programs' text engine, so that text in a
// test is measured and drawn as in the programs: the toolkit's, in-process, as the windows do.
void InstallTextEngine() {
    platform::InstallQtTextEngine();
}

}  // namespace

void UseOffscreenUnlessTold() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

void InstallPlatformServices() {
    platform::InstallFontSubstitutes();
    InstallTextEngine();
}

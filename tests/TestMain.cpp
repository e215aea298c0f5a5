#include "tests/TestMain.h"

#include <cstdlib>

#include "platform/FontSubstitutes.h"

namespace {

// The one place where every test program installs the programs' text engine, so that text in a
// test is measured and drawn as in the programs. Today there is none to choose: the platform's
// text output draws with the toolkit directly.
void InstallTextEngine() {}

}  // namespace

void UseOffscreenUnlessTold() { setenv("QT_QPA_PLATFORM", "offscreen", 0); }

void InstallPlatformServices() {
    platform::InstallFontSubstitutes();
    InstallTextEngine();
}

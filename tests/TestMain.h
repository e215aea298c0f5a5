#pragma once
#include <gtest/gtest.h>

// The start every test program shares. Each level has its own main (tests/platform,
// tests/formats, tests/widgets) that picks the application object its layer may use and what
// its layer installs; a test program links only the main of its level.

// Offscreen unless the environment says otherwise; called before the application object is made.
void UseOffscreenUnlessTold();

// What the programs install below the picture formats at start-up: the font substitutes and the
// text engine. Every test program calls it, so text is measured and drawn as in the programs.
void InstallPlatformServices();

template <class Application>
int RunTestsWith(int argc, char** argv, void (*installLayer)() = nullptr) {
    UseOffscreenUnlessTold();
    Application app(argc, argv);
    InstallPlatformServices();
    if (installLayer) installLayer();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

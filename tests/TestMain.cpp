#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "formats/PictureLoading.h"
#include "platform/FontSubstitutes.h"
#include "platform/QtTextEngine.h"

// Every test program runs with a QApplication (offscreen unless told otherwise) and the picture
// formats, font substitutes and the toolkit's text engine installed, as the program itself does at
// start-up.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InstallPictureFormats();
    platform::InstallFontSubstitutes();
    platform::InstallQtTextEngine();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

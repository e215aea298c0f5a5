#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "formats/PictureLoading.h"
#include "platform/FontSubstitutes.h"

// Every test program runs with a QApplication (offscreen unless told otherwise) and the picture
// formats and font substitutes installed, as the program itself does at start-up.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InstallPictureFormats();
    platform::InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include <QApplication>

#include "formats/PictureKinds.h"
#include "tests/TestMain.h"

// The widgets and windows tests: a QApplication (offscreen unless told otherwise) and the picture
// formats, as the program has at start-up.
int main(int argc, char** argv) {
    return RunTestsWith<QApplication>(argc, argv, InstallPictureKinds);
}

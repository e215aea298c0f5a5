#include <QGuiApplication>

#include "formats/PictureKinds.h"
#include "tests/TestMain.h"

// The formats and brelvik-cli tests: as below, with the picture formats installed as the programs
// install them.
int main(int argc, char** argv) {
    return RunTestsWith<QGuiApplication>(argc, argv, InstallPictureKinds);
}

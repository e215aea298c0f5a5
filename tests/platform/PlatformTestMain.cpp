#include <QGuiApplication>

#include "tests/TestMain.h"

// The platform and core tests: fonts need a QGuiApplication, and nothing of Qt Widgets is linked.
int main(int argc, char** argv) {
    return RunTestsWith<QGuiApplication>(argc, argv);
}

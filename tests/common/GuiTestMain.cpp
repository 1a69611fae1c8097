// The entry point of the suites that make no widget: fonts, images and printing need only a GUI
// application, as plenova-cli has.
#include "SuiteSetup.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
    UseOffScreenUnlessTold();
    QGuiApplication app(argc, argv);
    return RunSuite(argc, argv);
}

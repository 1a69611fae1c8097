// The entry point of the suites that make widgets (the grid, the capture controls): a widget
// application, off-screen.
#include "SuiteSetup.h"

#include <QApplication>

int main(int argc, char** argv) {
    UseOffScreenUnlessTold();
    QApplication app(argc, argv);
    return RunSuite(argc, argv);
}

// Test entry for the Qt front end and the program's windows.
#include "OffscreenMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    return runOffscreenTests<QApplication>(argc, argv, "rendered windows");
}

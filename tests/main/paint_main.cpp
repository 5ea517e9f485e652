// Test entry for layers that paint without widgets (print-outs to PDF).
#include "OffscreenMain.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
    return runOffscreenTests<QGuiApplication>(argc, argv, "printed pages");
}

// velmor: the program a person starts.
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::fputs("velmor: the program window is being built; nothing to run yet.\n", stderr);
    return 1;
}

// velmor: the program a person starts. For now it knows the demo command; the main window,
// the command line of the component's operations and scripts come next.
#include "app/velmor/DisplayCheck.h"
#include "app/velmor/GalleryDemo.h"
#include "app/velmor/ProgramOptions.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

namespace {
QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}
}  // namespace

int main(int argc, char** argv) {
    using vel::ProgramOptions;
    const ProgramOptions options = ProgramOptions::parse(argumentsOf(argc, argv));
    if (options.command == ProgramOptions::Command::Help) {
        std::fputs(qPrintable(ProgramOptions::usage()), stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "velmor: %s\n\n%s", qPrintable(options.error),
                     qPrintable(ProgramOptions::usage()));
        return 2;
    }
    bool headless = options.headless;
    QString missing;
    if (!headless && !vel::displayAvailable(&missing)) {
        std::fprintf(stderr, "velmor: no display (%s); running the demo headless.\n",
                     qPrintable(missing));
        headless = true;
    }
    if (headless) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        return vel::GalleryDemo::runHeadless(out);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Velmor"));
    return vel::GalleryDemo::runOnDesktop();
}

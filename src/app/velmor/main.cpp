// velmor: the program a site administrator starts. It opens a system in a data folder and calls
// the command class's operations from its main window, from the command line or from a script.
#include "app/velmor/DemoSiteRun.h"
#include "app/velmor/DisplayCheck.h"
#include "app/velmor/GalleryDemo.h"
#include "app/velmor/HeadlessRun.h"
#include "app/velmor/HeapPages.h"
#include "app/velmor/MainWindow.h"
#include "app/velmor/ProgramOptions.h"
#include "app/velmor/RecentFolders.h"
#include "component/OperationCatalog.h"
#include "host/ReferenceSystem.h"
#include "platform/print/PrintOutput.h"
#include "services/ApplicationTitle.h"
#include "ui/qt/QtPrintOutput.h"
#include "ui/qt/QtUi.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTextStream>

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// Whether the command shows windows; false when it was asked to run headless or no display is
// there (which it says).
bool windowsWanted(const vel::ProgramOptions& options) {
    using Command = vel::ProgramOptions::Command;
    if (options.headless || options.command == Command::Call ||
        options.command == Command::Script || options.command == Command::NewDemo) {
        return false;
    }
    QString missing;
    if (!vel::displayAvailable(&missing)) {
        std::fprintf(stderr, "velmor: no display (%s); running headless.\n", qPrintable(missing));
        return false;
    }
    return true;
}

// The system the main window worked on last, when it still opens.
std::unique_ptr<vel::ReferenceSystem> openLastSystem() {
    const std::vector<vel::RecentFolder> recent = vel::RecentFolders::load();
    if (recent.empty()) {
        return nullptr;
    }
    QString error;
    return vel::openSystem(recent.front().folder, recent.front().system, &error);
}

int runWindow(std::unique_ptr<vel::ReferenceSystem> system) {
    vel::QtUi ui;
    vel::ScopedUi scope(ui);
    vel::MainWindow window(ui, std::move(system));
    vel::QtPrintOutput printOutput(vel::QtPrintOutput::Mode::Preview, &window);
    vel::ScopedPrintOutput printing(printOutput);  // listings and reports open the print preview
    window.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    vel::preferHugeHeapPages();
    using vel::ProgramOptions;
    using Command = ProgramOptions::Command;
    const ProgramOptions options = ProgramOptions::parse(argumentsOf(argc, argv));
    QTextStream out(stdout);
    QTextStream errors(stderr);
    if (options.command == Command::Help) {
        out << ProgramOptions::usage();
        return 0;
    }
    if (options.command == Command::Version) {
        out << "velmor " << VELMOR_VERSION << '\n';
        return 0;
    }
    if (!options.error.isEmpty()) {
        errors << "velmor: " << options.error << "\n\n" << ProgramOptions::usage();
        return 2;
    }
    vel::setApplicationTitle(QStringLiteral("Velmor"));
    const bool windows = windowsWanted(options);
    std::unique_ptr<QCoreApplication> app;
    if (windows) {
        app = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationDisplayName(QStringLiteral("Velmor"));
    } else if (options.command == Command::Call &&
               vel::OperationCatalog::paintsNothing(options.operation)) {
        // A call that paints no page starts without the graphical application: its platform
        // plugin and font set-up would be a good part of the start of an unattended export.
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else if (options.command == Command::Call || options.command == Command::Script) {
        // Unattended print-outs are painted into PDF files, which needs the graphical
        // application; without a display it paints offscreen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !vel::displayAvailable(nullptr)) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    QString error;
    switch (options.command) {
        case Command::Gallery:
            return windows ? vel::GalleryDemo::runOnDesktop() : vel::GalleryDemo::runHeadless(out);
        case Command::Call:
            return vel::runCall(options, out, errors);
        case Command::Script:
            return vel::runScript(options, out, errors);
        case Command::NewDemo:
            if (!vel::makeFreshDemoSite(options.file, options.largeSite, &error)) {
                errors << "velmor: " << error << '\n';
                return 1;
            }
            out << "Created a demo site in " << options.file << '\n';
            return 0;
        case Command::Demo: {
            const QString folder =
                options.dataFolder.isEmpty() ? vel::defaultDemoFolder() : options.dataFolder;
            if (!vel::makeFreshDemoSite(folder, options.largeSite, &error)) {
                errors << "velmor: " << error << '\n';
                return 1;
            }
            std::unique_ptr<vel::ReferenceSystem> system = vel::openSystem(folder, 1, &error);
            if (!windows) {
                out << "Demo site: " << folder << '\n';
                return vel::runScriptText(*system, vel::eCMDScript, vel::headlessDemoScript(folder),
                                          out, errors);
            }
            return runWindow(std::move(system));
        }
        case Command::Window:
        case Command::Help:
            break;
    }
    std::unique_ptr<vel::ReferenceSystem> system;
    if (!options.dataFolder.isEmpty()) {
        system = vel::openSystem(options.dataFolder, options.systemNumber, &error);
        if (!system) {
            errors << "velmor: " << error << '\n';
            return 2;
        }
    } else if (windows) {
        system = openLastSystem();
    }
    if (!windows) {
        errors << "velmor: the main window needs a display; use call or script without one\n";
        return 2;
    }
    return runWindow(std::move(system));
}

#include "app/velmor/ProgramOptions.h"

namespace vel {

ProgramOptions ProgramOptions::parse(const QStringList& arguments) {
    ProgramOptions options;
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            options.command = Command::Help;
            return options;
        }
        if (argument == QStringLiteral("--headless")) {
            options.headless = true;
        } else if (argument == QStringLiteral("demo") && options.command == Command::None) {
            options.command = Command::Demo;
        } else {
            options.error = QStringLiteral("unknown argument \"%1\"").arg(argument);
            return options;
        }
    }
    if (options.command == Command::None) {
        options.error = QStringLiteral("no command given");
    } else if (options.headless && options.command != Command::Demo) {
        options.error = QStringLiteral("--headless goes with a command that shows windows");
    }
    return options;
}

QString ProgramOptions::usage() {
    return QStringLiteral(
        "Usage: velmor COMMAND [OPTIONS]\n"
        "\n"
        "Commands:\n"
        "  demo          Show the control gallery: one window with every kind of control.\n"
        "\n"
        "Options:\n"
        "  --headless    Run the demo without windows: a short script types, ticks, picks,\n"
        "                edits a grid cell and presses OK; the transcript goes to standard\n"
        "                output. Chosen by itself when no display is available.\n"
        "  -h, --help    Show this text.\n");
}

}  // namespace vel

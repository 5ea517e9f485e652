#include "app/velmor/ProgramOptions.h"

#include "component/OperationCatalog.h"

namespace vel {

namespace {

bool takesValue(const QString& option) {
    return option == u"--data" || option == u"--system" || option == u"--size" ||
           option == u"--pdf";
}

}  // namespace

ProgramOptions ProgramOptions::parse(const QStringList& arguments) {
    ProgramOptions options;
    bool commandSeen = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const auto fail = [&](const QString& error) {
            options.error = error;
            return options;
        };
        if (argument == u"--help" || argument == u"-h") {
            options.command = Command::Help;
            return options;
        }
        if (argument == u"--version") {
            options.command = Command::Version;
            return options;
        }
        if (takesValue(argument)) {
            if (i + 1 >= arguments.size()) {
                return fail(argument + QStringLiteral(" needs a value"));
            }
            const QString value = arguments[++i];
            if (argument == u"--data") {
                options.dataFolder = value;
            } else if (argument == u"--pdf") {
                options.pdfFile = value;
            } else if (argument == u"--system") {
                bool ok = false;
                options.systemNumber = value.toInt(&ok);
                if (!ok || options.systemNumber < 1) {
                    return fail(QStringLiteral("--system takes a system number from 1"));
                }
            } else if (value == u"small" || value == u"large") {
                options.largeSite = value == u"large";
            } else {
                return fail(QStringLiteral("--size is small or large"));
            }
        } else if (argument == u"--headless") {
            options.headless = true;
        } else if (argument == u"--yes" || argument == u"--no") {
            options.answers = argument == u"--yes" ? Answers::Yes : Answers::No;
        } else if (commandSeen && options.command == Command::Call && options.operation.isEmpty()) {
            options.operation = argument;
        } else if (commandSeen && options.command == Command::Call) {
            const qsizetype equals = argument.indexOf(u'=');
            if (equals <= 0) {
                return fail(QStringLiteral("arguments of an operation are NAME=VALUE, not \"%1\"").arg(argument));
            }
            options.arguments.insert(argument.left(equals), argument.mid(equals + 1));
        } else if (commandSeen && (options.command == Command::Script || options.command == Command::NewDemo) &&
                   options.file.isEmpty()) {
            options.file = argument;
        } else if (!commandSeen) {
            static const QHash<QString, Command> commands{
                {QStringLiteral("call"), Command::Call},       {QStringLiteral("script"), Command::Script},
                {QStringLiteral("new-demo"), Command::NewDemo}, {QStringLiteral("demo"), Command::Demo},
                {QStringLiteral("gallery"), Command::Gallery}};
            if (!commands.contains(argument)) {
                return fail(QStringLiteral("unknown command \"%1\"").arg(argument));
            }
            options.command = commands.value(argument);
            commandSeen = true;
        } else {
            return fail(QStringLiteral("unexpected argument \"%1\"").arg(argument));
        }
    }
    const bool needsData = options.command == Command::Call || options.command == Command::Script;
    if (needsData && options.dataFolder.isEmpty()) {
        options.error = QStringLiteral("--data FOLDER is needed to call operations or run scripts");
    } else if (options.command == Command::Call && options.operation.isEmpty()) {
        options.error = QStringLiteral("call needs an operation; velmor --help lists them");
    } else if ((options.command == Command::Script || options.command == Command::NewDemo) &&
               options.file.isEmpty()) {
        options.error = options.command == Command::Script ? QStringLiteral("script needs a file")
                                                           : QStringLiteral("new-demo needs a folder");
    }
    return options;
}

QString ProgramOptions::usage() {
    QString text = QStringLiteral(
        "Usage:\n"
        "  velmor [--data FOLDER] [--system N]      the main window on a system\n"
        "  velmor --data FOLDER [--system N] call OPERATION [NAME=VALUE ...] [--yes|--no]\n"
        "                                           runs one operation; questions get the default\n"
        "                                           button, or Yes / No with --yes / --no\n"
        "  velmor --data FOLDER [--system N] script FILE\n"
        "                                           runs a script (docs/scripts.md)\n"
        "  --pdf FILE with call or script           print-outs go to that PDF file; without it\n"
        "                                           to PDF files named after their titles in\n"
        "                                           the current folder\n"
        "  velmor new-demo FOLDER [--size small|large]\n"
        "                                           creates a demo site in FOLDER\n"
        "  velmor demo [--headless] [--size small|large]\n"
        "                                           the main window on a fresh demo site; headless,\n"
        "                                           a short script on it\n"
        "  velmor gallery [--headless]              one window with every kind of control\n"
        "  velmor --version                         the program's version\n"
        "\n"
        "call and script print a transcript: window:, status:, message:, error: and result: lines.\n"
        "Exit status of call and script: 0 when the run ended without an error report (and, for a\n"
        "script, every expectation was met); 1 when an error was reported, a script expectation\n"
        "failed, or a call showed a warning or error message that nobody could read; 2 for a bad\n"
        "command line or a data folder without the system.\n"
        "\n"
        "Operations:\n");
    for (const QString& line : OperationCatalog::usageLines()) {
        text += QStringLiteral("  ") + line + u'\n';
    }
    return text;
}

}  // namespace vel

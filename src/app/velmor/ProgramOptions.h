#pragma once
// ProgramOptions: what the command line asks the program to do.
//     velmor [--data FOLDER] [--system N]                    the main window on a system
//     velmor --data FOLDER [--system N] call OPERATION [NAME=VALUE ...] [--yes|--no] [--pdf F]
//     velmor --data FOLDER [--system N] script FILE [--pdf F]
//     velmor new-demo FOLDER [--size small|large]            creates a demo site
//     velmor demo [--headless] [--size small|large]          the main window on a fresh demo site
//     velmor gallery [--headless]                            every kind of control in one window
//     velmor --help                                          usage and every operation
#include <QHash>
#include <QString>
#include <QStringList>

namespace vel {

struct ProgramOptions {
    enum class Command { Window, Help, Version, Gallery, Demo, NewDemo, Call, Script };
    enum class Answers { DefaultButton, Yes, No };

    Command command = Command::Window;
    QString dataFolder;
    int systemNumber = 1;
    bool headless = false;
    bool largeSite = false;
    QString operation;                  // call
    QHash<QString, QString> arguments;  // call: NAME=VALUE
    QString file;                       // script: the script; new-demo: the folder
    QString pdfFile;                    // call, script: where the print-outs go (empty: by title)
    Answers answers = Answers::DefaultButton;
    QString error;  // set when the command line cannot be understood

    static ProgramOptions parse(const QStringList& arguments);  // without the program name
    static QString usage();
};

}  // namespace vel

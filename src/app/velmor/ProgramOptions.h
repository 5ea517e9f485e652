#pragma once
// ProgramOptions: what the command line asks the program to do.
//     velmor demo [--headless]     the control gallery, on the desktop or headless
//     velmor --help                the usage text
#include <QString>
#include <QStringList>

namespace vel {

struct ProgramOptions {
    enum class Command { None, Help, Demo };

    Command command = Command::None;
    bool headless = false;
    QString error;  // set when the command line cannot be understood

    static ProgramOptions parse(const QStringList& arguments);  // without the program name
    static QString usage();
};

}  // namespace vel

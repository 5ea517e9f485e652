// vxbase: a command-line look at xBase tables and their indexes.
#include "XbaseTool.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    vel::xbase::XbaseTool tool;
    const int code = tool.run(arguments);
    std::fwrite(tool.output().constData(), 1, size_t(tool.output().size()), stdout);
    std::fwrite(tool.errors().constData(), 1, size_t(tool.errors().size()), stderr);
    return code;
}

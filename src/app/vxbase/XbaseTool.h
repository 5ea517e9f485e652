#pragma once
// The vxbase command-line tool: look at, dump, check, pack and reindex xBase tables.
#include <QByteArray>
#include <QStringList>

namespace vel::xbase {

class XbaseTool {
  public:
    // Runs one command line (without the program name); returns the exit code.
    int run(const QStringList& arguments);

    // What the command wrote to standard output and standard error (UTF-8).
    const QByteArray& output() const { return output_; }
    const QByteArray& errors() const { return errors_; }

    static QString usage();

  private:
    int info(const QString& path);
    int dump(const QString& path);
    int check(const QString& path, const QStringList& indexes);
    int pack(const QString& path, const QStringList& indexes);
    int repair(const QString& path, const QStringList& indexes);
    int reindex(const QString& path, const QStringList& indexes);
    void print(const QString& text);
    int fail(const QString& message);

    QByteArray output_;
    QByteArray errors_;
};

}  // namespace vel::xbase

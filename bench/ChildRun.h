#pragma once
// Runs a program as a child process and measures it as a whole: wall time, the child's own
// processor time (user + system) and its peak memory, from wait4(), so that a peer tool and our
// own command are measured the same way.
#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <chrono>
#include <vector>

extern char** environ;

namespace vel::bench {

struct ChildRun {
    int exitCode = -1;  // -1: it did not start or did not end normally
    double realMs = 0;
    double cpuMs = 0;
    double peakMb = 0;  // the child's maximum resident set
};

// Runs program with arguments; standard input from inputFile (empty: /dev/null), standard output
// and error to outputFile (empty: /dev/null).
inline ChildRun runChild(const QString& program, const QStringList& arguments,
                         const QString& inputFile = {}, const QString& outputFile = {}) {
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString& argument : arguments) {
        storage.push_back(argument.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& text : storage) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    const QByteArray input =
        inputFile.isEmpty() ? QByteArray("/dev/null") : QFile::encodeName(inputFile);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.constData(), O_RDONLY, 0);
    const QByteArray output =
        outputFile.isEmpty() ? QByteArray("/dev/null") : QFile::encodeName(outputFile);
    posix_spawn_file_actions_addopen(&actions, 1, output.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return run;
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        return run;
    }
    run.realMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const auto milliseconds = [](const timeval& time) {
        return double(time.tv_sec) * 1000.0 + double(time.tv_usec) / 1000.0;
    };
    run.cpuMs = milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
    run.peakMb = double(usage.ru_maxrss) / 1024.0;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace vel::bench

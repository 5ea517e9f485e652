#pragma once
// What the benchmarks over the large demo site share: the site made once in a temporary folder
// before any timing, with a headless Ui that answers every message with its default button, and
// the sqlite3 command as the peer tool.
#include "PeerRatio.h"
#include "host/DemoSite.h"
#include "host/ReferenceSystem.h"
#include "ui/HeadlessUi.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

namespace vel::bench {

// What every benchmark program over a demo site sets up first: the application, a headless Ui
// that answers every message with its default button, and a temporary folder for the site.
struct HeadlessBenchmarkSetting {
    HeadlessBenchmarkSetting(int& argc, char** argv) : app(argc, argv) {
        ui.setUnanswered(HeadlessUi::Unanswered::DefaultButton);
    }
    QCoreApplication app;
    HeadlessUi ui;
    ScopedUi scope{ui};
    QTemporaryDir temporary;
};

// Runs the registered benchmarks on a fresh large demo site; folder and site point at the
// temporary folder and the site's system while they run.
inline int runOnLargeDemoSite(int argc, char** argv, QTemporaryDir*& folder, ReferenceSystem*& site,
                              std::vector<PeerPair> pairs) {
    HeadlessBenchmarkSetting setting(argc, argv);
    folder = &setting.temporary;
    QString error;
    const QString data = setting.temporary.filePath(QStringLiteral("site"));
    if (!createDemoSite(data, DemoSize::Large, &error)) {
        qFatal("%s", qPrintable(error));
    }
    ReferenceSystem system(data, 1);
    system.errors().setEchoToStandardError(true);
    site = &system;
    runWithPeerRatios(argc, argv, std::move(pairs));
    site = nullptr;
    folder = nullptr;
    return 0;
}

// Runs sqlite3 with the arguments and the script on its input; its exit code, -1 when it did
// not finish.
inline int runSqlite(const QStringList& arguments, const QByteArray& input) {
    QProcess process;
    process.start(QStringLiteral("sqlite3"), arguments);
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(600000) ? process.exitCode() : -1;
}

// User and system time of the finished child processes, in milliseconds.
inline double childProcessorMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto milliseconds = [](const timeval& time) {
        return double(time.tv_sec) * 1000.0 + double(time.tv_usec) / 1000.0;
    };
    return milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
}

}  // namespace vel::bench

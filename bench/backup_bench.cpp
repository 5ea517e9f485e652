// The full backup of the large demo site as the user runs it unattended: `velmor --headless call
// Backup BackupType=0 Filename=... --yes` (program start, the file list, packing at the default
// compression level 6 into the temporary zip, the copy onto the target), against `zip -r -6` of
// the same files from the data folder. Both are child processes timed the same way
// (ChildBenchmark.h): wall clock, processor time from wait4 (cpu_ms) and peak memory (peak_MB),
// five repetitions each; the ratios of the medians come last. The target is removed before each
// run, so neither side updates an archive it wrote before.
//
//   BackupFullCommand   the command, as above
//   ZipTheSameFiles     zip -r -6 -q of the files the backup packed, under the same names
#include "ChildBenchmark.h"
#include "PeerRatio.h"

#include "platform/transfer/ZipArchive.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

using vel::bench::oneChildRunEach;
using vel::bench::runChild;
using vel::bench::timeChild;

QTemporaryDir* folder = nullptr;
qint64 packedBytes = 0;

QString site() {
    return folder->filePath(QStringLiteral("site"));
}
QString transcript() {
    return folder->filePath(QStringLiteral("last-run.txt"));
}
QString ourZip() {
    return folder->filePath(QStringLiteral("backup.zip"));
}
QString peerZip() {
    return folder->filePath(QStringLiteral("peer.zip"));
}

vel::bench::ChildRun runBackup() {
    return runChild(
        vel::bench::velmorProgram(),
        {QStringLiteral("--headless"), QStringLiteral("--data"), site(), QStringLiteral("call"),
         QStringLiteral("Backup"), QStringLiteral("BackupType=0"),
         QStringLiteral("Filename=") + ourZip(), QStringLiteral("--yes")},
        {}, transcript());
}

void BackupFullCommand(benchmark::State& state) {
    timeChild(
        state, 0, transcript(), [] { QFile::remove(ourZip()); }, runBackup);
    QFile::remove(ourZip());
    if (runBackup().exitCode == 0) {
        state.counters["zip_MB"] = double(QFileInfo(ourZip()).size()) / (1024.0 * 1024.0);
    }
}
BENCHMARK(BackupFullCommand)->Apply(oneChildRunEach);

// The names the backup packed (one backup made first when there is none yet).
QStringList packedNames() {
    if (!QFile::exists(ourZip()) && runBackup().exitCode != 0) {
        qFatal("the backup failed");
    }
    const vel::ZipResult listing = vel::ZipArchive::entryNames(ourZip());
    if (!listing.ok || listing.files.isEmpty()) {
        qFatal("cannot list the backup: %s", qPrintable(listing.error));
    }
    return listing.files;
}

void ZipTheSameFiles(benchmark::State& state) {
    const QStringList names = packedNames();
    packedBytes = 0;
    for (const QString& name : names) {
        packedBytes += QFileInfo(site() + u'/' + name).size();
    }
    // zip stores the names as given, relative to its working folder: the data folder.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(site());
    timeChild(
        state, 0, transcript(), [] { QFile::remove(peerZip()); },
        [&] {
            return runChild(QStringLiteral("zip"),
                            QStringList{QStringLiteral("-r"), QStringLiteral("-6"),
                                        QStringLiteral("-q"), peerZip()} +
                                names,
                            {}, transcript());
        });
    QDir::setCurrent(previous);
    state.counters["zip_MB"] = double(QFileInfo(peerZip()).size()) / (1024.0 * 1024.0);
    state.counters["files"] = double(names.size());
}
BENCHMARK(ZipTheSameFiles)->Apply(oneChildRunEach);

}  // namespace

int main(int argc, char** argv) {
    vel::bench::runOnLargeDemoSiteOfChild(argc, argv, folder,
                                          {{"BackupFullCommand", "ZipTheSameFiles"}});
    std::printf("backup: %.1f MB of files packed\n", double(packedBytes) / (1024.0 * 1024.0));
    return 0;
}

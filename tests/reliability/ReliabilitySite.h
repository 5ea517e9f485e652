#pragma once
// Sites, worker processes and file snapshots for the reliability tests. Sizes come from the
// environment so that scripts/reliability-rounds can run the same tests at full size:
// VELMOR_RELIABILITY_<NAME> (e.g. VELMOR_RELIABILITY_KILLS=50).
#include "data/records/AssociateRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "host/ReferenceSystem.h"
#include "services/IniSettings.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace vel::testing {

inline int sizeFromEnvironment(const char* name, int inSuite) {
    const QByteArray value = qgetenv((QByteArray("VELMOR_RELIABILITY_") + name).constData());
    return value.isEmpty() ? inSuite : value.toInt();
}

inline QDateTime workerNow() {
    return QDateTime(QDate(2024, 3, 13), QTime(10, 30));
}

struct WorkerRun {
    int exitCode = 0;
    bool killed = false;
    QStringList lines;
    qint64 points() const {
        for (const QString& line : lines) {
            if (line.startsWith(QStringLiteral("points "))) {
                return line.mid(7).toLongLong();
            }
        }
        return -1;
    }
};

inline QString workerPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/velmor_reliability_worker");
}

inline void startWorker(QProcess& process, const QStringList& arguments) {
    process.setProgram(workerPath());
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
}

// Starts two workers and lets them begin their work at the same moment, once both are ready.
inline void startTogether(QProcess& first, const QStringList& firstArguments, QProcess& second,
                          const QStringList& secondArguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMOR_WORKER_START_ON_GO"), QStringLiteral("1"));
    first.setProcessEnvironment(environment);
    second.setProcessEnvironment(environment);
    startWorker(first, firstArguments);
    startWorker(second, secondArguments);
    for (QProcess* process : {&first, &second}) {
        while (!process->canReadLine() && process->waitForReadyRead(-1)) {
        }
        EXPECT_EQ(process->readLine().trimmed(), QByteArray("ready"));
    }
    first.write("go\n");
    second.write("go\n");
    first.waitForBytesWritten(-1);  // a QProcess writes only when asked to wait
    second.waitForBytesWritten(-1);
}

inline WorkerRun finishWorker(QProcess& process) {
    process.waitForFinished(-1);
    WorkerRun run;
    run.killed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = process.exitCode();
    run.lines = QString::fromLocal8Bit(process.readAllStandardOutput())
                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

inline WorkerRun runWorker(const QStringList& arguments) {
    QProcess process;
    startWorker(process, arguments);
    return finishWorker(process);
}

inline QString killPointsLibrary() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/velmor_kill_points.so");
}

// Runs the worker with the kill points preloaded (KillPoints.cpp: every file operation of any
// library); killAt 0 only counts them.
inline WorkerRun runKillable(const QStringList& arguments, qint64 killAt) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_PRELOAD"), killPointsLibrary());
    environment.insert(QStringLiteral("VELMOR_KILL_AT"), QString::number(killAt));
    process.setProcessEnvironment(environment);
    startWorker(process, arguments);
    return finishWorker(process);
}

inline qint64 filePoints(const WorkerRun& run) {
    for (const QString& line : run.lines) {
        if (line.startsWith(QStringLiteral("file points "))) {
            return line.mid(12).toLongLong();
        }
    }
    return -1;
}

// A system 1 with work centers W1 and W2, grouping G1 and the given number of associates
// A00001... in work center W1; room for up to 99,999 associates.
inline void buildSite(const QString& folder, int associates) {
    MasterfileSettings settings;
    settings.title = QStringLiteral("Reliability Site");
    settings.firstYear = 2024;
    settings.fields = 20;
    QString error;
    ASSERT_TRUE(ReferenceSystem::createEmptySystem(folder, 1, settings, &error))
        << error.toStdString();
    ReferenceSystem system(folder, 1, {workerNow, nullptr, false});
    system.errors().setEchoToStandardError(false);
    IniSettings ini(IniSettings::locationFor(folder, 1));
    ini.selectSection(QStringLiteral("System"));
    ASSERT_TRUE(ini.writeText(QStringLiteral("MaxAssociates"), QStringLiteral("99999")));
    auto& centers = system.workCenters();
    ASSERT_TRUE(centers.open());
    for (const char* code : {"W1", "W2"}) {
        WorkCenterRecord center;
        center.Code = QString::fromLatin1(code);
        centers.setRecord(centers.freeRecord(), center);
    }
    ASSERT_TRUE(centers.save());
    auto& groupings = system.groupings();
    ASSERT_TRUE(groupings.open());
    GroupingRecord grouping;
    grouping.Code = QStringLiteral("G1");
    groupings.setRecord(1, grouping);
    ASSERT_TRUE(groupings.save());
    auto& table = system.associates();
    ASSERT_TRUE(table.open());
    for (int number = 1; number <= associates; ++number) {
        AssociateRecord record;
        record.Code = QStringLiteral("A%1").arg(number, 5, 10, QLatin1Char('0'));
        record.LastName = QStringLiteral("Before");
        record.FirstName = QStringLiteral("Old%1").arg(number);
        record.WorkCenter = 1;
        table.setRecord(number, record);
    }
    ASSERT_TRUE(table.save());
    table.close();
}

inline void copyFolder(const QString& from, const QString& to) {
    QDir(to).removeRecursively();
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files)) {
        ASSERT_TRUE(QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name));
    }
}

// The record bytes of a table (everything after the header up to the header's count).
inline QByteArray recordBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12) {
        return bytes;
    }
    const auto* raw = reinterpret_cast<const uchar*>(bytes.constData());
    const quint32 count = raw[4] | raw[5] << 8 | raw[6] << 16 | quint32(raw[7]) << 24;
    const int headerLength = raw[8] | raw[9] << 8;
    const int recordLength = raw[10] | raw[11] << 8;
    return bytes.mid(headerLength, qsizetype(count) * recordLength);
}

// Every xBase table of the folder (its files that start as a dBase III table does).
inline QStringList tablesIn(const QString& folder) {
    QStringList tables;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        QFile file(folder + QLatin1Char('/') + name);
        if (file.open(QIODevice::ReadOnly) && file.read(1) == QByteArray(1, '\x03')) {
            tables << file.fileName();
        }
    }
    return tables;
}

}  // namespace vel::testing

// Files written outside the tables: the activity-detail export (CSV, TXT, XLSX, DBF) and the
// report templates. Worker processes are killed at every kind of file operation of any library
// (the preloaded kill points) and two of them write the same file at once. The file under its
// name is always whole, the old one or a new one; what a killed writer leaves is never taken
// for the file, and the next writer removes it once it is stale.
#include "ReliabilitySite.h"

#include "data/RecordedWork.h"
#include "data/records/ActivityRecord.h"
#include "platform/transfer/ZipArchive.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <cstdio>

namespace vel::testing {
namespace {

const QStringList firstWeek{QStringLiteral("2024-03-04"), QStringLiteral("2024-03-08")};
const QStringList secondWeek{QStringLiteral("2024-03-11"), QStringLiteral("2024-03-15")};

// The kill points of a run of `points`: every one when they are few, else a seeded sample,
// half of it among the last 20 where the file is finished and renamed.
QList<qint64> killPointsOf(qint64 points, int wanted, quint32 seed) {
    QList<qint64> chosen;
    if (points <= wanted) {
        for (qint64 point = 1; point <= points; ++point) {
            chosen << point;
        }
        return chosen;
    }
    QRandomGenerator random(seed);
    for (int round = 0; round < wanted; ++round) {
        const qint64 span = round % 2 == 0 ? points : std::min<qint64>(points, 20);
        chosen << points - qint64(random.bounded(quint32(span)));
    }
    return chosen;
}

// A site whose production sheets hold 8 lines a day for every associate in two weeks of March.
void buildDetailSite(const QString& folder) {
    buildSite(folder, 100);
    ReferenceSystem system(folder, 1, {workerNow, nullptr, false});
    system.errors().setEchoToStandardError(false);
    auto& activities = system.activities();
    ASSERT_TRUE(activities.open());
    ActivityRecord pick;
    pick.Code = QStringLiteral("PICK");
    pick.Desc = QStringLiteral("Case \"Picking\", frozen");
    activities.setRecord(1, pick);
    ASSERT_TRUE(activities.save());
    activities.close();
    std::vector<ProductionLineRecord> lines;
    for (QDate day(2024, 3, 4); day <= QDate(2024, 3, 15); day = day.addDays(1)) {
        for (int associate = 1; associate <= 100; ++associate) {
            for (int line = 0; line < 8; ++line) {
                ProductionLineRecord record;
                record.Date = day;
                record.Associate = associate;
                record.WorkCenter = 1;
                record.Activity = 1;
                record.Hours = 0.25 + line * 0.125;
                record.Units[0] = double(associate + line + day.day());
                record.Cost = 4.5 * record.Hours;
                lines.push_back(record);
            }
        }
    }
    ASSERT_TRUE(system.recordedWork().addLines(lines)) << system.errors().reports().size();
}

// What an export holds, independent of when it was made: a spreadsheet's sheet, a table's bytes
// after its date of last change, a text file's bytes. Empty when the file cannot be read whole.
QByteArray contentOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (path.endsWith(QStringLiteral(".xlsx"))) {
        QTemporaryDir unpacked;
        if (!ZipArchive::extractAll(path, unpacked.path()).ok) {
            return {};
        }
        QFile sheet(unpacked.filePath(QStringLiteral("xl/worksheets/sheet1.xml")));
        return sheet.open(QIODevice::ReadOnly) ? sheet.readAll() : QByteArray();
    }
    return path.endsWith(QStringLiteral(".dbf")) ? bytes.mid(4) : bytes;
}

// Every file of the folder (hidden ones too) but the named ones.
QStringList othersIn(const QString& folder, const QStringList& known) {
    QStringList others;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden);
    while (entries.hasNext()) {
        entries.next();
        if (!known.contains(entries.fileName())) {
            others << entries.fileName();
        }
    }
    others.sort();
    return others;
}

// Makes the files look as if they had not changed for two hours.
void age(const QString& folder, const QStringList& names) {
    for (const QString& name : names) {
        QFile file(folder + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-7200),
                                     QFileDevice::FileModificationTime));
    }
}

struct ExportFixture {
    QTemporaryDir scratch;
    QString site = scratch.filePath(QStringLiteral("site"));
    QString out = scratch.filePath(QStringLiteral("out"));

    ExportFixture() {
        QDir().mkpath(site);
        QDir().mkpath(out);
        buildDetailSite(site);
    }
    QStringList exportArguments(const QString& file, const QStringList& week) const {
        return {QStringLiteral("export"), site, file, week[0], week[1]};
    }
    // The content a finished export of the week gives, made in a folder of its own.
    QByteArray reference(const QString& name, const QStringList& week) const {
        const QString folder = scratch.filePath(QStringLiteral("reference"));
        QDir().mkpath(folder);
        const QString file = folder + QLatin1Char('/') + name;
        const WorkerRun run = runWorker(exportArguments(file, week));
        EXPECT_EQ(run.exitCode, 0) << run.lines.join(QLatin1Char(' ')).toStdString();
        const QByteArray content = contentOf(file);
        QFile::remove(file);
        return content;
    }
    // One output type: the file's name and path, and what an export of either week holds.
    struct Output {
        QString name;
        QString target;
        QByteArray firstWeek;
        QByteArray secondWeek;
    };
    Output output(const QString& type) const {
        const QString name = QStringLiteral("detail.") + type;
        Output made{name, out + QLatin1Char('/') + name, reference(name, vel::testing::firstWeek),
                    reference(name, vel::testing::secondWeek)};
        EXPECT_FALSE(made.firstWeek.isEmpty());
        EXPECT_FALSE(made.secondWeek.isEmpty());
        EXPECT_NE(made.firstWeek, made.secondWeek);
        return made;
    }
};

TEST(OutputFiles, AnExportKilledAtAnyFileOperationLeavesTheOldOrTheNewFileAndNoLitter) {
    ExportFixture site;
    const int wanted = sizeFromEnvironment("OUTPUT_KILLS", 10);
    for (const QString type : {"csv", "txt", "xlsx", "dbf"}) {
        SCOPED_TRACE(type.toStdString());
        const auto [name, target, before, after] = site.output(type);
        const QStringList newExport = site.exportArguments(target, secondWeek);
        ASSERT_EQ(runWorker(site.exportArguments(target, firstWeek)).exitCode, 0);
        const QByteArray oldBytes = [&] {
            QFile file(target);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        const qint64 points = filePoints(runKillable(newExport, 0));
        ASSERT_GT(points, 2);

        int oldState = 0;
        int newState = 0;
        for (const qint64 killAt : killPointsOf(points, wanted, quint32(points))) {
            SCOPED_TRACE(
                QStringLiteral("killed at %1 of %2").arg(killAt).arg(points).toStdString());
            QFile::remove(target);
            QFile old(target);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write(oldBytes);
            old.close();
            EXPECT_TRUE(runKillable(newExport, killAt).killed);
            const QByteArray now = contentOf(target);
            EXPECT_TRUE(now == before || now == after) << "a torn file under the export's name";
            ++(now == before ? oldState : newState);
        }
        // The litter is hidden, never a file the export would be taken for; a later export
        // leaves a live writer's fresh file alone and removes the stale ones.
        QStringList litter = othersIn(site.out, {name});
        for (const QString& left : std::as_const(litter)) {
            EXPECT_TRUE(left.startsWith(QLatin1Char('.') + name + QLatin1Char('.')) &&
                        left.endsWith(QStringLiteral(".tmp")))
                << left.toStdString();
        }
        ASSERT_EQ(runWorker(newExport).exitCode, 0);
        EXPECT_EQ(contentOf(target), after);
        EXPECT_EQ(othersIn(site.out, {name}), litter);
        age(site.out, litter);
        ASSERT_EQ(runWorker(site.exportArguments(target, firstWeek)).exitCode, 0);
        EXPECT_EQ(contentOf(target), before);
        EXPECT_EQ(othersIn(site.out, {name}), QStringList()) << "stale files were left";
        std::printf(
            "[figures] %s export: %lld file operations, %d kills, %d old file, %d new "
            "file, %lld left temporary files\n",
            qPrintable(type), points, oldState + newState, oldState, newState,
            qint64(litter.size()));
        std::fflush(stdout);
        QFile::remove(target);
    }
}

TEST(OutputFiles, TwoExportsOfOneFileAtOnceLeaveOneWholeFile) {
    ExportFixture site;
    const int rounds = sizeFromEnvironment("OUTPUT_ROUNDS", 3);
    for (const QString type : {"csv", "txt", "xlsx", "dbf"}) {
        SCOPED_TRACE(type.toStdString());
        const auto [name, target, first, second] = site.output(type);
        for (int round = 0; round < rounds; ++round) {
            QProcess one;
            QProcess two;
            startTogether(one, site.exportArguments(target, firstWeek), two,
                          site.exportArguments(target, secondWeek));
            const WorkerRun runs[2] = {finishWorker(one), finishWorker(two)};
            EXPECT_EQ(runs[0].exitCode, 0) << runs[0].lines.join(QLatin1Char(' ')).toStdString();
            EXPECT_EQ(runs[1].exitCode, 0) << runs[1].lines.join(QLatin1Char(' ')).toStdString();
            const QByteArray now = contentOf(target);
            EXPECT_TRUE(now == first || now == second) << "round " << round;
            EXPECT_EQ(othersIn(site.out, {name}), QStringList());
        }
        QFile::remove(target);
    }
}

// The report templates' files of a Reports folder, by name.
QHash<QString, QByteArray> templatesIn(const QString& folder) {
    QHash<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.TPL")}, QDir::Files)) {
        QFile file(folder + QLatin1Char('/') + name);
        if (file.open(QIODevice::ReadOnly)) {
            files.insert(name, file.readAll());
        }
    }
    return files;
}

TEST(OutputFiles, TemplatesWrittenTwiceAtOnceOrKilledAnywhereStayWholeAndLeaveNoLitter) {
    QTemporaryDir scratch;
    const QString reference = scratch.filePath(QStringLiteral("reference"));
    ASSERT_EQ(runWorker({QStringLiteral("templates"), reference}).exitCode, 0);
    const QHash<QString, QByteArray> fresh = templatesIn(reference + QStringLiteral("/Reports"));
    ASSERT_EQ(fresh.size(), 8);

    // Older templates of other titles, each file of which a killed writer may or may not have
    // replaced: every file is whole, the older one or the new one.
    const QString site = scratch.filePath(QStringLiteral("site"));
    const QString reports = site + QStringLiteral("/Reports");
    const auto writeOlder = [&] {
        QDir(reports).removeRecursively();
        QDir().mkpath(reports);
        for (auto file = fresh.cbegin(); file != fresh.cend(); ++file) {
            QFile older(reports + QLatin1Char('/') + file.key());
            ASSERT_TRUE(older.open(QIODevice::WriteOnly));
            older.write(QByteArray(file.value()).replace("Title=", "Title=Older "));
        }
    };
    const QStringList arguments{QStringLiteral("templates"), site};
    writeOlder();
    const qint64 points = filePoints(runKillable(arguments, 0));
    ASSERT_GE(points, 8 * 3);
    QStringList litter;
    int replaced = 0;
    for (qint64 killAt = 1; killAt <= points; ++killAt) {
        SCOPED_TRACE(QStringLiteral("killed at %1 of %2").arg(killAt).arg(points).toStdString());
        writeOlder();
        EXPECT_TRUE(runKillable(arguments, killAt).killed);
        const QHash<QString, QByteArray> now = templatesIn(reports);
        ASSERT_EQ(now.size(), fresh.size());
        for (auto file = now.cbegin(); file != now.cend(); ++file) {
            const QByteArray& wanted = fresh.value(file.key());
            EXPECT_TRUE(file.value() == wanted ||
                        file.value() == QByteArray(wanted).replace("Title=", "Title=Older "))
                << file.key().toStdString();
            replaced += file.value() == wanted ? 1 : 0;
        }
        litter << othersIn(reports, fresh.keys());
    }
    EXPECT_GT(replaced, 0);
    // A killed writer's leftover is a name the report lists never take ("TBAA1.TPL.x7Qb2Z");
    // the next writer removes it when it is stale.
    ASSERT_FALSE(litter.isEmpty());
    for (const QString& left : std::as_const(litter)) {
        EXPECT_FALSE(left.endsWith(QStringLiteral(".TPL"))) << left.toStdString();
    }
    QStringList leftover;
    for (qint64 killAt = points; killAt > 0 && leftover.isEmpty(); --killAt) {
        writeOlder();
        EXPECT_TRUE(runKillable(arguments, killAt).killed);
        leftover = othersIn(reports, fresh.keys());
    }
    ASSERT_EQ(leftover.size(), 1);
    ASSERT_EQ(runWorker(arguments).exitCode, 0);
    EXPECT_EQ(othersIn(reports, fresh.keys()), leftover) << "a fresh file was taken away";
    age(reports, leftover);
    ASSERT_EQ(runWorker(arguments).exitCode, 0);
    EXPECT_EQ(othersIn(reports, fresh.keys()), QStringList());
    EXPECT_EQ(templatesIn(reports), fresh);

    // Two writers at once leave every template whole and nothing else.
    for (int round = 0; round < 3; ++round) {
        writeOlder();
        QProcess one;
        QProcess two;
        startTogether(one, arguments, two, arguments);
        EXPECT_EQ(finishWorker(one).exitCode, 0);
        EXPECT_EQ(finishWorker(two).exitCode, 0);
        EXPECT_EQ(templatesIn(reports), fresh);
        EXPECT_EQ(othersIn(reports, fresh.keys()), QStringList());
    }
    std::printf(
        "[figures] report templates: %lld file operations, each killed once, %d of %lld "
        "files replaced, %lld left temporary files\n",
        points, replaced, qint64(points * fresh.size()), qint64(litter.size()));
}

}  // namespace
}  // namespace vel::testing

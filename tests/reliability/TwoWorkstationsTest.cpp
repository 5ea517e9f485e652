// Two worker processes on one site at the same time: imports of distinct associates, and a soak
// of imports and edits of each one's own associates. Afterwards every table passes the check,
// every import that said it succeeded is there exactly once, one that said it did not is absent,
// and every associate holds the last edit its process reported as saved.
#include "ReliabilitySite.h"

#include "data/records/AllocationRecord.h"
#include "platform/xbase/TableChecker.h"

#include <QHash>
#include <cstdio>

namespace vel::testing {
namespace {

// Every record's code and one text of it, reading the site as the program does.
template <class Record>
QHash<QString, QStringList> recordsByCode(const QString& folder,
                                          Table<Record>& (ReferenceSystem::*tableOf)(),
                                          QString Record::*text) {
    ReferenceSystem system(folder, 1, {workerNow, nullptr, false});
    system.errors().setEchoToStandardError(false);
    auto& table = (system.*tableOf)();
    EXPECT_TRUE(table.open()) << table.lastError().toStdString();
    QHash<QString, QStringList> found;
    for (int number = 1; number <= table.recordCount(); ++number) {
        if (table.isActive(number)) {
            const Record record = table.record(number);
            found[record.Code.trimmed()] << record.*text;
        }
    }
    return found;
}

QHash<QString, QStringList> associatesByCode(const QString& folder) {
    return recordsByCode(folder, &ReferenceSystem::associates, &AssociateRecord::FirstName);
}

void expectSoundTables(const QString& folder) {
    for (const QString& table : tablesIn(folder)) {
        const xbase::Status status = xbase::TableChecker().checkTable(table);
        EXPECT_TRUE(status.ok()) << status.message().toStdString();
    }
}

TEST(TwoWorkstations, TwoImportsAtOnceEachLandWholeOrSayTheyDidNot) {
    const int rounds = sizeFromEnvironment("IMPORT_ROUNDS", 2);
    const int lines = sizeFromEnvironment("IMPORT_LINES", 500);
    int bothLanded = 0;
    int oneRefused = 0;
    for (int round = 0; round < rounds; ++round) {
        QTemporaryDir folder;
        buildSite(folder.path(), 10);
        QStringList files;
        for (int worker = 1; worker <= 2; ++worker) {
            QFile file(folder.filePath(QStringLiteral("import%1.csv").arg(worker)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            for (int line = 1; line <= lines; ++line) {
                file.write(QStringLiteral("P%1N%2,Import,%1,W1\n").arg(worker).arg(line).toUtf8());
            }
            files << file.fileName();
        }
        QProcess first;
        QProcess second;
        startWorker(first, {QStringLiteral("import"), folder.path(), files[0]});
        startWorker(second, {QStringLiteral("import"), folder.path(), files[1]});
        const WorkerRun runs[2] = {finishWorker(first), finishWorker(second)};
        expectSoundTables(folder.path());
        const QHash<QString, QStringList> stored = associatesByCode(folder.path());
        int landed = 0;
        for (int worker = 1; worker <= 2; ++worker) {
            const WorkerRun& run = runs[worker - 1];
            ASSERT_FALSE(run.killed);
            const bool said = run.exitCode == 0;
            landed += said ? 1 : 0;
            for (int line = 1; line <= lines; ++line) {
                const QString code = QStringLiteral("P%1N%2").arg(worker).arg(line);
                ASSERT_EQ(stored.value(code).size(), said ? 1 : 0)
                    << code.toStdString() << " of a worker that said "
                    << run.lines.join(QLatin1Char(' ')).toStdString();
            }
        }
        EXPECT_GE(landed, 1);
        EXPECT_EQ(stored.size(), 10 + landed * lines);
        (landed == 2 ? bothLanded : oneRefused) += 1;
    }
    std::printf(
        "[figures] two imports at once: %d rounds x 2 x %d lines, %d both landed, "
        "%d one refused while the other worked\n",
        rounds, lines, bothLanded, oneRefused);
}

// Two imports run by schedulers on two workstations at once, of associates and of allocations,
// with some codes in both files: the second waits for the first to let the table go, so both
// land and every code is there once.
TEST(TwoWorkstations, TwoUnattendedImportsAtOnceWaitTheirTurnAndBothLand) {
    struct Kind {
        QString command;
        QString line;  // %1 the worker, %2 the line
        std::function<QHash<QString, QStringList>(const QString&)> stored;
        int lines;
    };
    const int associateLines = sizeFromEnvironment("IMPORT_LINES", 500) / 2;
    const Kind kinds[] = {
        {QStringLiteral("unattended"), QStringLiteral("U%1N%2,Import,%1,W1\n"), associatesByCode,
         associateLines},
        {QStringLiteral("allocations"), QStringLiteral("L%1N%2,Allocation %1,\n"),
         [](const QString& folder) {
             return recordsByCode(folder, &ReferenceSystem::allocations, &AllocationRecord::Desc);
         },
         std::min(associateLines, 400)},  // a system holds at most 999 allocations
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.command.toStdString());
        const int lines = kind.lines;
        QTemporaryDir folder;
        buildSite(folder.path(), 10);
        const qsizetype before = kind.stored(folder.path()).size();
        QStringList files;
        for (int worker = 1; worker <= 2; ++worker) {
            QFile file(folder.filePath(QStringLiteral("import%1.csv").arg(worker)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            for (int line = 1; line <= lines; ++line) {
                file.write(kind.line.arg(worker).arg(line).toUtf8());
                if (line % 10 == 0) {  // codes both files hold: added once, then updated
                    file.write(kind.line.arg(QStringLiteral("B")).arg(line).toUtf8());
                }
            }
            files << file.fileName();
        }
        QProcess first;
        QProcess second;
        startTogether(first, {kind.command, folder.path(), files[0]}, second,
                      {kind.command, folder.path(), files[1]});
        const WorkerRun runs[2] = {finishWorker(first), finishWorker(second)};
        expectSoundTables(folder.path());
        const QHash<QString, QStringList> stored = kind.stored(folder.path());
        for (int worker = 1; worker <= 2; ++worker) {
            EXPECT_EQ(runs[worker - 1].exitCode, 0)
                << runs[worker - 1].lines.join(QLatin1Char(' ')).toStdString();
            for (int line = 1; line <= lines; ++line) {
                const QString code = kind.line.arg(worker).arg(line).section(u',', 0, 0);
                ASSERT_EQ(stored.value(code).size(), 1) << code.toStdString();
            }
        }
        for (int line = 10; line <= lines; line += 10) {
            const QString code = kind.line.arg(QStringLiteral("B")).arg(line).section(u',', 0, 0);
            ASSERT_EQ(stored.value(code).size(), 1) << code.toStdString();
        }
        EXPECT_EQ(stored.size(), before + 2 * lines + lines / 10);
    }
}

TEST(TwoWorkstations, EditsAndImportsOfTwoProcessesLoseAndDoubleNothing) {
    const int operations = sizeFromEnvironment("SOAK_OPERATIONS", 40);
    QTemporaryDir folder;
    buildSite(folder.path(), 20);
    QProcess first;
    QProcess second;
    startWorker(first, {QStringLiteral("soak"), folder.path(), QStringLiteral("1"),
                        QString::number(operations)});
    startWorker(second, {QStringLiteral("soak"), folder.path(), QStringLiteral("2"),
                         QString::number(operations)});
    const WorkerRun runs[2] = {finishWorker(first), finishWorker(second)};
    expectSoundTables(folder.path());
    const QHash<QString, QStringList> stored = associatesByCode(folder.path());
    QHash<QString, QString> expected;  // code: the first name its last saved change gave it
    int imports = 0;
    int refused = 0;
    int edits = 0;
    int failedEdits = 0;
    for (int worker = 1; worker <= 2; ++worker) {
        const WorkerRun& run = runs[worker - 1];
        ASSERT_FALSE(run.killed);
        for (const QString& line : run.lines) {
            const QStringList words = line.split(QLatin1Char(' '));
            if (words[0] == QLatin1String("added")) {
                for (const QString& code : words.mid(1)) {
                    expected[code] = QString::number(worker);
                }
            } else if (words[0] == QLatin1String("import")) {
                ++(words[1] == QLatin1String("ok") ? imports : refused);
            } else if (words[0] == QLatin1String("edit") && words.size() >= 4) {
                if (words[3] == QLatin1String("ok")) {
                    expected[words[1]] = words[2];
                    ++edits;
                } else {
                    ++failedEdits;
                }
            }
        }
    }
    for (auto entry = expected.cbegin(); entry != expected.cend(); ++entry) {
        ASSERT_EQ(stored.value(entry.key()).size(), 1) << entry.key().toStdString();
        EXPECT_EQ(stored.value(entry.key()).front(), entry.value()) << entry.key().toStdString();
    }
    EXPECT_EQ(stored.size(), 20 + expected.size()) << "an associate no process reported";
    EXPECT_GT(imports, 0);
    EXPECT_GT(edits, 0);
    std::printf(
        "[figures] soak: 2 x %d operations, %d imports landed, %d refused while the "
        "other imported, %d edits saved, %d edits refused\n",
        operations, imports, refused, edits, failedEdits);
}

}  // namespace
}  // namespace vel::testing

// A worker process for the reliability tests: one associate import, one editor-style save of
// every associate, or a soak of small edits and imports, against a site in a data folder. With
// a kill point it kills itself (SIGKILL) at that file operation that changes something (a
// write, truncate, sync, rename, link or remove; an odd point first writes half of the bytes),
// so that a test crashes it at a chosen, reproducible point without waiting.
//
//   velmor_reliability_worker import FOLDER FILE [KILL_AT]
//   velmor_reliability_worker edit FOLDER VALUE [KILL_AT]
//   velmor_reliability_worker soak FOLDER ID OPERATIONS
//   velmor_reliability_worker unattended FOLDER FILE            (as ImportAssociates runs)
//   velmor_reliability_worker allocations FOLDER FILE           (as ImportAllocations runs)
//   velmor_reliability_worker export FOLDER FILE FROM TO      (activity detail, dates yyyy-MM-dd)
//   velmor_reliability_worker templates FOLDER                (the report templates)
//   velmor_reliability_worker lookup FOLDER ROUND          (the punch lookup's rebuild, held)
//
// With VELMOR_WORKER_START_ON_GO set it says "ready" and waits for a line on its standard input
// before it starts, so that a test can start two workers' work at the same moment.
// Prints what it did, one line each ("import ok 2000", "edit S1K3A V7 ok"), then "points N":
// the changing file operations it made through the xBase layer. Exit 0 when the last action
// succeeded. The export and the templates are written outside the xBase layer; the tests crash
// those through the preloaded kill points (KillPoints.cpp).
#include "data/CAssocLookup.h"
#include "data/records/AssociateRecord.h"
#include "host/ReferenceReportModule.h"
#include "host/ReferenceSystem.h"
#include "maintenance/ActivityDetailExport.h"
#include "maintenance/AssociateImport.h"
#include "maintenance/UnattendedImports.h"
#include "ui/HeadlessUi.h"
#include "ui/Ui.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <csignal>
#include <cstdio>

namespace vel {
namespace {

class KillingOperations : public xbase::FileOperations {
  public:
    explicit KillingOperations(qint64 killAt) : killAt_(killAt) {}

    ssize_t writeAt(int descriptor, const void* buffer, size_t size, off_t offset) override {
        if (point() && size > 1) {
            FileOperations::writeAt(descriptor, buffer, size / 2, offset);  // a torn write
        }
        dieIfDue();
        return FileOperations::writeAt(descriptor, buffer, size, offset);
    }
    int truncateFile(int descriptor, off_t size) override {
        point();
        dieIfDue();
        return FileOperations::truncateFile(descriptor, size);
    }
    int syncFile(int descriptor) override {
        point();
        dieIfDue();
        return FileOperations::syncFile(descriptor);
    }
    int linkFile(const QByteArray& existing, const QByteArray& created) override {
        point();
        dieIfDue();
        return FileOperations::linkFile(existing, created);
    }
    int renameFile(const QByteArray& from, const QByteArray& to) override {
        point();
        dieIfDue();
        return FileOperations::renameFile(from, to);
    }
    int removeFile(const QByteArray& path) override {
        point();
        dieIfDue();
        return FileOperations::removeFile(path);
    }
    qint64 points() const { return points_; }

  private:
    // Counts a point; true when this is the kill point and it is odd (a torn write first).
    bool point() {
        ++points_;
        return points_ == killAt_ && killAt_ % 2 == 1;
    }
    void dieIfDue() const {
        if (points_ == killAt_) {
            std::fflush(stdout);
            ::raise(SIGKILL);
        }
    }

    qint64 killAt_;
    qint64 points_ = 0;
};

QDateTime fixedNow() {
    return QDateTime(QDate(2024, 3, 13), QTime(10, 30));
}

void say(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

bool runImport(ReferenceSystem& system, const QString& file) {
    AssociateImport import(system, fixedNow().date());
    const bool ok = import.importUpdates({file, 0, 0, false, {}});
    say(QStringLiteral("import %1 %2")
            .arg(ok ? QStringLiteral("ok") : QStringLiteral("refused"))
            .arg(import.counts().added + import.counts().updated));
    return ok;
}

bool runEdit(ReferenceSystem& system, const QString& value) {
    auto& associates = system.associates();
    if (!associates.open()) {
        say(QStringLiteral("edit failed ") + associates.lastError());
        return false;
    }
    for (int number = 1; number <= associates.recordCount(); ++number) {
        if (associates.isActive(number)) {
            AssociateRecord record = associates.record(number);
            record.LastName = value;
            associates.setRecord(number, record);
        }
    }
    const bool ok = associates.save();
    say(ok ? QStringLiteral("edit ok") : QStringLiteral("edit failed ") + associates.lastError());
    associates.close();
    return ok;
}

bool editOne(ReferenceSystem& system, const QString& code, const QString& value) {
    auto& associates = system.associates();
    if (!associates.open()) {
        say(QStringLiteral("edit %1 %2 failed %3").arg(code, value, associates.lastError()));
        return false;
    }
    const int number = associates.find(code);
    bool ok = number != 0;
    if (ok) {
        AssociateRecord record = associates.record(number);
        record.FirstName = value;
        associates.setRecord(number, record);
        ok = associates.save();
    }
    say(QStringLiteral("edit %1 %2 %3")
            .arg(code, value,
                 ok ? QStringLiteral("ok") : QStringLiteral("failed ") + associates.lastError()));
    associates.close();
    return ok;
}

// Imports two new associates every fourth operation and edits an own associate otherwise.
bool runSoak(ReferenceSystem& system, const QString& folder, const QString& id, int operations) {
    QStringList mine;
    const QString file = folder + QStringLiteral("/soak") + id + QStringLiteral(".csv");
    bool ok = true;
    for (int operation = 0; operation < operations; ++operation) {
        if (operation % 4 == 0 || mine.isEmpty()) {
            const QStringList codes{QStringLiteral("S%1K%2A").arg(id).arg(operation),
                                    QStringLiteral("S%1K%2B").arg(id).arg(operation)};
            QFile csv(file);
            if (!csv.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                return false;
            }
            for (const QString& code : codes) {
                csv.write(
                    (code + QStringLiteral(",Soak,") + id + QStringLiteral(",W1\n")).toUtf8());
            }
            csv.close();
            ok = runImport(system, file);
            if (ok) {
                mine << codes;
                say(QStringLiteral("added ") + codes.join(QLatin1Char(' ')));
            }
        } else {
            ok = editOne(system, mine[operation % mine.size()],
                         QStringLiteral("V%1").arg(operation));
        }
    }
    return ok;
}

bool runUnattended(ReferenceSystem& system, const QString& command, const QString& file) {
    const bool ok = command == QLatin1String("unattended")
                        ? importAssociatesUnattended(system, file, 0, 0, false)
                        : importAllocationsUnattended(system, file, 0, 0, false, 0, false);
    say(command + (ok ? QStringLiteral(" ok") : QStringLiteral(" refused")));
    return ok;
}

bool runExport(ReferenceSystem& system, const QStringList& arguments) {
    const QDate from = QDate::fromString(arguments.value(3), Qt::ISODate);
    const QDate to = QDate::fromString(arguments.value(4), Qt::ISODate);
    const bool ok = ActivityDetailExport(system, system.masterfile())
                        .WriteActivityDetailData(arguments[2], QString(), from, to);
    say(ok ? QStringLiteral("export ok") : QStringLiteral("export failed"));
    return ok;
}

bool runTemplates(const QString& folder) {
    QString error;
    const bool ok = ReferenceReportModule::writeDemoTemplates(folder, &error);
    say(ok ? QStringLiteral("templates ok") : QStringLiteral("templates failed ") + error);
    return ok;
}

// Rebuilds the punch lookup file (system 1) in folder as an import does, holding the file: round
// 0 puts C0..C299 in, round 1 C150..C599, which take their old records, the cleared ones and new
// ones. Written outside the xBase layer's file operations: crashed through the kill points.
bool runLookupRebuild(const QString& folder, int round) {
    CAssocLookup lookup;
    lookup.setDataFolder(folder);
    lookup.setSysNum(QStringLiteral("1"));
    bool ok = lookup.OpenTable() == xbase::r4success && lookup.LockAll() == xbase::r4success &&
              lookup.ClearRecords() >= 0;
    for (int number = round == 0 ? 0 : 150; ok && number < (round == 0 ? 300 : 600); ++number) {
        ok = lookup.AddRec(QStringLiteral("C%1").arg(number),
                           round == 0 ? QStringLiteral("Old") : QStringLiteral("New"),
                           QStringLiteral("F%1").arg(number)) >= 0;
    }
    ok = lookup.UnlockAll() >= 0 && ok;
    ok = lookup.CloseTable() >= 0 && ok;
    say(ok ? QStringLiteral("lookup ok") : QStringLiteral("lookup failed"));
    return ok;
}

}  // namespace
}  // namespace vel

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() < 2) {
        std::fputs("usage: velmor_reliability_worker COMMAND FOLDER ...\n", stderr);
        return 2;
    }
    const QString command = arguments[0];
    const QString folder = arguments[1];
    if (command == QLatin1String("lookup")) {
        vel::HeadlessUi ui;  // a refusal is a message; nobody reads it
        ui.setUnanswered(vel::HeadlessUi::Unanswered::DefaultButton);
        vel::ScopedUi scope(ui);
        return vel::runLookupRebuild(folder, arguments.value(2).toInt()) ? 0 : 1;
    }
    const bool takesKillPoint =
        command == QLatin1String("import") || command == QLatin1String("edit");
    const qint64 killAt = takesKillPoint ? arguments.value(3).toLongLong() : 0;
    vel::KillingOperations operations(killAt);
    vel::ReferenceSystem system(folder, 1, {vel::fixedNow, &operations, false});
    system.errors().setEchoToStandardError(false);
    vel::HeadlessUi ui;
    ui.setUnanswered(vel::HeadlessUi::Unanswered::DefaultButton);
    vel::ScopedUi scope(ui);
    if (qEnvironmentVariableIsSet("VELMOR_WORKER_START_ON_GO")) {
        // Started beside another worker: both begin their work at the same moment.
        vel::say(QStringLiteral("ready"));
        char line[8];
        if (std::fgets(line, sizeof line, stdin) == nullptr) {
            return 2;
        }
    }
    bool ok = false;
    if (command == QLatin1String("import") && arguments.size() >= 3) {
        ok = vel::runImport(system, arguments[2]);
    } else if (command == QLatin1String("edit") && arguments.size() >= 3) {
        ok = vel::runEdit(system, arguments[2]);
    } else if (command == QLatin1String("soak") && arguments.size() >= 4) {
        ok = vel::runSoak(system, folder, arguments[2], arguments[3].toInt());
    } else if ((command == QLatin1String("unattended") ||
                command == QLatin1String("allocations")) &&
               arguments.size() >= 3) {
        ok = vel::runUnattended(system, command, arguments[2]);
    } else if (command == QLatin1String("export") && arguments.size() >= 5) {
        ok = vel::runExport(system, arguments);
    } else if (command == QLatin1String("templates")) {
        ok = vel::runTemplates(folder);
    }
    vel::say(QStringLiteral("points %1").arg(operations.points()));
    return ok ? 0 : 1;
}

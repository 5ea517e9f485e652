#include "maintenance/AssociateImport.h"

#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "data/records/AssociateRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "maintenance/ImportFile.h"
#include "maintenance/ImportValues.h"
#include "maintenance/TableAccessWait.h"
#include "services/ErrorReport.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"

namespace vel {

namespace {

constexpr int codeWidth = 10;
constexpr int badgeWidth = 20;
const QString lineBreak = QStringLiteral("\n");

// Field positions (from 1) of the update file.
enum Column {
    CodeColumn = 1, LastNameColumn, FirstNameColumn, WorkCenterColumn, SsnColumn,
    FirstBadgeColumn,  // badges 1 to 5 in 6 to 10
    ShiftColumn = 11, HireDateColumn, WageRateColumn, GoalColumn, GroupingColumn,
    OnPayrollColumn, PayIncentiveColumn, BaseIncentiveColumn, PolicyDateColumn,
    IncludeInPerformanceColumn, IncludeInQualityColumn, RecordNumberColumn,
    SixthBadgeColumn  // badges 6 to 10 in 23 to 27
};

int badgeColumn(int slot) {  // slot from 1
    return slot <= 5 ? FirstBadgeColumn + slot - 1 : SixthBadgeColumn + slot - 6;
}

// The field at a position from 1, and whether the line reaches it with a value.
QString fieldAt(const QStringList& fields, int column) {
    return fields.value(column - 1);
}
bool present(const QStringList& fields, int column) {
    return column <= fields.size() && !fields[column - 1].isEmpty();
}

}  // namespace

struct AssociateImport::Settings {
    QStringList mustMatchWorkCenters;
    QStringList keepWorkCenters;
    QString mergeCode;
    bool deleteNonImported = false;
    QStringList badgeFilters;  // one per slot, empty: no filter
};

QStringList AssociateImport::updateFileLabels() {
    QStringList labels{QStringLiteral("Code:"), QStringLiteral("Last Name:"),
                       QStringLiteral("FirstName:"), QStringLiteral("Work Center:"),
                       QStringLiteral("Social Security:")};
    for (int slot = 1; slot <= 5; ++slot) {
        labels << QStringLiteral("Badge %1:").arg(slot);
    }
    labels << QStringLiteral("Shift:") << QStringLiteral("Hire Date:") << QStringLiteral("Wage Rate:")
           << QStringLiteral("Goal:") << QStringLiteral("Grouping:") << QStringLiteral("On Payroll?:")
           << QStringLiteral("Pay Incentive?:") << QStringLiteral("Base Incentive:")
           << QStringLiteral("Policy Date:") << QStringLiteral("Include in PPA:")
           << QStringLiteral("Include in Quality:") << QStringLiteral("Record Number:");
    for (int slot = 6; slot <= AssociateRecord::Badges; ++slot) {
        labels << QStringLiteral("Badge %1:").arg(slot);
    }
    return labels;
}

QStringList AssociateImport::codeFileLabels() {
    return {QStringLiteral("Old Code:"), QStringLiteral("New Code:"), QStringLiteral("Other Fields:")};
}

AssociateImport::AssociateImport(VelmorSystem& system, QDate today)
    : system_(system), today_(today) {}

int AssociateImport::message(const QString& text, int style) {
    return MessageWithSound(text, style, caption_.isEmpty() ? system_.Program().title() : caption_);
}

bool AssociateImport::guardedRun(const QString& procedureSuffix, bool intoEditorsTable,
                                 const std::function<bool()>& run) {
    auto& associates = system_.associates();
    changes_.emplace(associates, intoEditorsTable);
    bool ok = false;
    if (!guarded(procedureSuffix, [&] { ok = run(); })) {
        // Whatever the run changed is dropped; the failure is in the error report.
        dropChanges(intoEditorsTable);
        system_.logChange(associates, QString(), QStringLiteral("Error Importing"),
                          procedureSuffix.trimmed());
        closeTables();
    }
    return ok;
}

bool AssociateImport::importUpdates(const AssociateImportRequest& request) {
    caption_.clear();
    return guardedRun(QStringLiteral(" - frmEmployee:ProcessImportFile"),
                      request.intoEditorsTable, [&] { return readUpdateFile(request); });
}

bool AssociateImport::importCodeChanges(const AssociateImportRequest& request) {
    caption_ = QStringLiteral("Change Codes");
    return guardedRun(QStringLiteral(" - frmEmployee:ProcessCodeFile"), request.intoEditorsTable,
                      [&] { return readCodeFile(request); });
}

void AssociateImport::skip(qint64 line, const QString& reason) {
    ++counts_.skipped;
    remarks_ << QStringLiteral("Line %1: %2").arg(line).arg(reason);
}

int AssociateImport::findCode(const QString& code, bool workCenters) const {
    return workCenters ? system_.workCenters().find(code) : system_.groupings().find(code);
}

// --- tables ---------------------------------------------------------------------------------

bool AssociateImport::openTables(int tableWaitSeconds) {
    const auto openOne = [](TableObject& table, bool& opened) {
        if (table.isOpen()) {
            return true;
        }
        opened = table.open();
        return opened;
    };
    if (!openOne(system_.workCenters(), openedWorkCenters_)) {
        message(QStringLiteral("Could not open the Work Center Table."), MB_ICONEXCLAMATION);
        return false;
    }
    if (system_.workCenters().activeCount() == 0) {
        message(QStringLiteral("There must be at least one ") + system_.workCenters().name() +
                    QStringLiteral(" record active before editing ") + system_.associates().name(),
                MB_ICONEXCLAMATION);
        return false;
    }
    if (!openOne(system_.groupings(), openedGroupings_)) {
        message(QStringLiteral("Could not open the Grouping Table."), MB_ICONEXCLAMATION);
        return false;
    }
    // An import changes the associates as their editor does: it takes the tables for changes,
    // so that a second import or an editor elsewhere waits for it instead of writing over it.
    // Run from an editor that has the table open, the editor holds them already.
    if (!system_.associates().isOpen()) {
        accessTaken_ = true;
        if (!takeTablesForChanges(system_, QStringLiteral("A"), system_.associates().name(),
                                  tableWaitSeconds)) {
            message(prefix_ + QStringLiteral("The ") + system_.associates().name() +
                        QStringLiteral(" Table is being changed at another workstation. Nothing "
                                       "was imported; try again when it is free."),
                    MB_ICONEXCLAMATION);
            return false;
        }
    }
    if (!openOne(system_.associates(), openedAssociates_)) {
        message(QStringLiteral("Error opening the ") + system_.associates().name(),
                MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void AssociateImport::closeTables() {
    const auto closeOne = [](TableObject& table, bool& opened) {
        if (opened) {
            table.close();
        }
        opened = false;
    };
    closeOne(system_.associates(), openedAssociates_);
    closeOne(system_.groupings(), openedGroupings_);
    closeOne(system_.workCenters(), openedWorkCenters_);
    if (accessTaken_) {
        system_.endTableAccess();
        accessTaken_ = false;
    }
}

void AssociateImport::dropChanges(bool intoEditorsTable) {
    // The editor's own unsaved edits stay: only what this import wrote is put back.
    intoEditorsTable ? changes_->putBack() : system_.associates().cancel();
    pendingLog_.clear();
}

bool AssociateImport::finishEdits(bool ok, bool intoEditorsTable) {
    auto& associates = system_.associates();
    if (!ok) {
        dropChanges(intoEditorsTable);
        return false;
    }
    if (intoEditorsTable) {
        // Saved with the editor's list; the change log takes the entries at once, as it does
        // for the editor's own edits.
        system_.logChanges(associates, pendingLog_.lines());
        pendingLog_.clear();
        return true;
    }
    // The records and their change-log entries land together, or neither does.
    if (!system_.saveWithLog(associates, pendingLog_.size(),
                             [this](size_t index) { return pendingLog_.line(index); })) {
        message(QStringLiteral("Error Importing: ") + associates.lastError(), MB_ICONCRITICAL);
        system_.logChange(associates, QString(), QStringLiteral("Error Importing"),
                          associates.lastError());
        associates.cancel();
        pendingLog_.clear();
        return false;
    }
    pendingLog_.clear();
    return true;
}

// --- the update file ---------------------------------------------------------------------------

bool AssociateImport::checkSettings(const Settings& settings) {
    const auto matchesAny = [this](const QStringList& codes) {
        return std::ranges::any_of(codes, [this](const QString& code) { return findCode(code, true) != 0; });
    };
    if ((!settings.mustMatchWorkCenters.isEmpty() && !matchesAny(settings.mustMatchWorkCenters)) ||
        (!settings.keepWorkCenters.isEmpty() && !matchesAny(settings.keepWorkCenters))) {
        message(prefix_ + QStringLiteral("The setting to Keep Associates in certain Work Centers is "
                                         "set, but did not match any Work Centers."),
                MB_ICONEXCLAMATION);
        return false;
    }
    if (settings.deleteNonImported && !settings.mergeCode.isEmpty() &&
        system_.associates().find(settings.mergeCode) == 0) {
        message(prefix_ + QStringLiteral("The setting to Delete Non Imported Associates is set, but "
                                         "the setting to merge their data into an existing "
                                         "Assoicate, did not match any Associates."),
                MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

bool AssociateImport::lineAccepted(const QStringList& fields, const Settings& settings) const {
    for (int slot = 1; slot <= AssociateRecord::Badges; ++slot) {
        const QString& filter = settings.badgeFilters[slot - 1];
        if (!filter.isEmpty() &&
            !badgePassesFilter(fieldAt(fields, badgeColumn(slot)).toUpper(), filter.toUpper())) {
            return false;
        }
    }
    return settings.mustMatchWorkCenters.isEmpty() || fields.size() < WorkCenterColumn ||
           settings.mustMatchWorkCenters.contains(fieldAt(fields, WorkCenterColumn).toUpper());
}

QString AssociateImport::applyFields(const QStringList& fields, AssociateRecord& record) {
    QString problem;
    const auto text = [&](int column, QString& target, bool upper = false) {
        if (present(fields, column)) {
            target = upper ? fieldAt(fields, column).toUpper() : fieldAt(fields, column);
        }
    };
    const auto name = [&](int column, QString& target) {
        if (present(fields, column)) {
            target = properCaseName(fieldAt(fields, column));
        }
    };
    const auto parsed = [&](int column, auto parse, auto& target, const char* kind) {
        if (!present(fields, column) || !problem.isEmpty()) {
            return;
        }
        if (const auto value = parse(fieldAt(fields, column))) {
            target = *value;
        } else {
            problem = QStringLiteral("field %1 \"%2\" is not a %3")
                          .arg(column)
                          .arg(fieldAt(fields, column), QString::fromLatin1(kind));
        }
    };
    const auto lookup = [&](int column, int& target, bool workCenters) {
        if (present(fields, column)) {
            target = findCode(fieldAt(fields, column).toUpper(), workCenters);
        }
    };
    name(LastNameColumn, record.LastName);
    name(FirstNameColumn, record.FirstName);
    lookup(WorkCenterColumn, record.WorkCenter, true);
    text(SsnColumn, record.SSN);
    for (int slot = 1; slot <= AssociateRecord::Badges; ++slot) {
        text(badgeColumn(slot), record.Badge[size_t(slot - 1)], true);
        if (record.Badge[size_t(slot - 1)].size() > badgeWidth) {
            problem = QStringLiteral("badge %1 is longer than %2 characters").arg(slot).arg(badgeWidth);
        }
    }
    parsed(ShiftColumn, parseImportWholeNumber, record.Shift, "whole number");
    parsed(HireDateColumn, parseImportDate, record.HireDate, "date");
    if (fields.size() >= HireDateColumn && fieldAt(fields, HireDateColumn).isEmpty() &&
        !record.HireDate.isValid()) {
        record.HireDate = today_;
    }
    parsed(WageRateColumn, parseImportNumber, record.WageRate, "number");
    parsed(GoalColumn, parseImportNumber, record.PerfGoal, "number");
    lookup(GroupingColumn, record.Grouping, false);
    parsed(OnPayrollColumn, parseYesNo, record.OnPayRoll, "yes or no");
    parsed(PayIncentiveColumn, parseYesNo, record.PayIncentive, "yes or no");
    parsed(BaseIncentiveColumn, parseImportNumber, record.BaseIncentive, "number");
    parsed(PolicyDateColumn, parseImportDate, record.PolicyDate, "date");
    parsed(IncludeInPerformanceColumn, parseYesNo, record.IncludeinPerf, "yes or no");
    parsed(IncludeInQualityColumn, parseYesNo, record.IncludeinQuality, "yes or no");
    return problem;
}

bool AssociateImport::readUpdates(const AssociateImportRequest& request, const Settings& settings,
                                  ImportedNumbers& imported) {
    ImportFile file(system_, request.rowsToSkip, request.fieldsToSkip);
    file.confirmFirstRecordWith(request.confirmFirstRecord);
    if (!file.open(request.fileName)) {
        message(file.error(), MB_ICONEXCLAMATION);
        return false;
    }
    auto& associates = system_.associates();
    QStringList fields;
    QStringList lastNames;
    QString lastChanged;
    bool addingAnnounced = false;
    while (file.next(fields)) {
        const QString code = fieldAt(fields, CodeColumn).toUpper();
        // Whatever becomes of the line, the associate it names is in the file.
        int number = code.isEmpty() ? 0 : associates.find(code);
        if (number != 0) {
            imported.add(number);
        }
        if (!lineAccepted(fields, settings)) {
            ++counts_.skipped;
            continue;
        }
        if (const QString problem = codeProblem(code, codeWidth); !problem.isEmpty()) {
            skip(file.lineNumber(), problem);
            continue;
        }
        const bool isNew = number == 0;
        if (isNew) {
            number = associates.freeRecord();
            if (number == 0) {
                message(prefix_ + QStringLiteral("Cannot add additional Associates, the maximum of ") +
                            QString::number(associates.maximum()) + QStringLiteral(" has been reached"),
                        MB_ICONEXCLAMATION);
                // The lines not read may name any associate: nobody is deleted.
                readWholeFile_ = false;
                break;
            }
            // Said once; the reader's percentage of the file shows how far the adding is.
            if (!addingAnnounced) {
                system_.StatusText(QStringLiteral("Adding Associate to Tallybook"));
                addingAnnounced = true;
            }
        }
        const AssociateRecord before = isNew ? AssociateRecord{} : associates.record(number);
        AssociateRecord after = before;
        after.Code = code;
        if (const QString problem = applyFields(fields, after); !problem.isEmpty()) {
            skip(file.lineNumber(), problem);
            continue;
        }
        imported.add(number);  // a new associate
        // The lines of one file mostly change the same fields: their log lines share one text,
        // joined once.
        QStringList changedNames = changedFields(before, after);
        if (changedNames != lastNames) {
            lastChanged = changedNames.join(QStringLiteral(", "));
            lastNames = std::move(changedNames);
        }
        const QString& changed = lastChanged;
        if (isNew) {
            ++counts_.added;
            changes_->setRecord(number, after);
            pendingLog_.add(code, QStringLiteral("Add"), changed);
        } else {
            ++counts_.updated;
            if (!changed.isEmpty()) {
                changes_->setRecord(number, after);
                pendingLog_.add(code, QStringLiteral("Updated"), changed);
            }
        }
    }
    if (file.stoppedByPerson()) {
        return false;
    }
    if (!file.error().isEmpty()) {
        message(file.error(), MB_ICONEXCLAMATION);
        return false;
    }
    counts_.skipped += int(file.unreadableLines());
    if (file.unreadableLines() > 0) {
        readWholeFile_ = false;  // the associates on those lines are not known
    }
    return true;
}

void AssociateImport::deleteNonImported(const Settings& settings, const ImportedNumbers& imported) {
    if (!settings.deleteNonImported || !readWholeFile_) {
        return;
    }
    if (settings.mergeCode.isEmpty()) {
        message(prefix_ + QStringLiteral("The setting to Delete Associates that aren't in the Import "
                                         "file is set, but the setting for the Associate Code to "
                                         "merge their data is not set."),
                MB_ICONEXCLAMATION);
        return;
    }
    auto& associates = system_.associates();
    const int merge = associates.find(settings.mergeCode);
    QList<int> absent;
    for (int number = 1; number <= associates.recordCount(); ++number) {
        if (!associates.isActive(number) || imported.contains(number) || number == merge) {
            continue;
        }
        const int workCenter = associates.record(number).WorkCenter;
        const QString centerCode =
            workCenter > 0 ? system_.workCenters().code(workCenter).trimmed().toUpper() : QString();
        if (!settings.keepWorkCenters.contains(centerCode)) {
            absent << number;
        }
    }
    if (absent.isEmpty()) {
        return;
    }
    const QString question =
        prefix_ + QString::number(counts_.updated) + QStringLiteral(" records were updated.") +
        lineBreak + QString::number(counts_.added) + QStringLiteral(" records were added.") + lineBreak +
        QStringLiteral("There are ") + QString::number(absent.size()) +
        QStringLiteral(" that are currently in Velmor, but were not in the Import file.") + lineBreak +
        QStringLiteral("Would you like to attempt to delete the Associates that were not in the "
                       "Import file?");
    if (MessageWithSound(question, MB_YESNO | MB_ICONQUESTION, QStringLiteral("Import of Associates")) !=
        IDYES) {
        return;
    }
    for (int number : std::as_const(absent)) {
        const QString code = associates.code(number).trimmed();
        const QString where = associates.usedOn(number);
        if (!where.isEmpty()) {
            ++counts_.notDeleted;
            pendingLog_.add(code, QStringLiteral("Cannot Delete"),
                            QStringLiteral("Used on:") + where);
        } else if (!associates.remove(number, merge)) {
            ++counts_.notDeleted;
            pendingLog_.add(code, QStringLiteral("Canceled Deletions"), {});
        } else {
            ++counts_.deleted;
            pendingLog_.add(code, QStringLiteral("Delete"), {});
        }
    }
}

void AssociateImport::reportUpdates() {
    QString parts;
    const auto part = [&parts](int count, const char* text) {
        if (count > 0) {
            parts += QString::number(count) + QString::fromLatin1(text);
        }
    };
    part(counts_.added, " records added, and ");
    part(counts_.updated, " records updated, and ");
    part(counts_.skipped, " records skipped, and ");
    part(counts_.deleted, " records were deleted");
    if (parts.endsWith(QStringLiteral(", and "))) {
        parts.chop(6);
    }
    const QString report = prefix_ + QStringLiteral("Importing Complete.  There were: ") + lineBreak + parts;
    system_.logChange(system_.associates(), QString(), QStringLiteral("Imported"), parts);
    message(report, MB_ICONINFORMATION);
}

bool AssociateImport::readUpdateFile(const AssociateImportRequest& request) {
    counts_ = {};
    remarks_.clear();
    pendingLog_.clear();
    readWholeFile_ = true;
    prefix_ = request.fileName.contains(QStringLiteral("CORPASSOC.CSV"), Qt::CaseInsensitive)
                  ? QStringLiteral("Corporate ")
                  : QString();
    if (!openTables(request.tableWaitSeconds)) {
        closeTables();
        return false;
    }
    IniSettings store(system_.settingsLocation());
    store.selectSection(QStringLiteral("ImportFiles"));
    Settings settings;
    settings.mustMatchWorkCenters = parseCodeList(store.readValue(QStringLiteral("AssocMustMatchWorkCenter"), {}));
    settings.keepWorkCenters = parseCodeList(store.readValue(QStringLiteral("AssocDeleteKeepWC"), {}));
    settings.mergeCode = store.readValue(QStringLiteral("AssocMergeCode"), {}).trimmed().toUpper();
    settings.deleteNonImported = request.deleteNonImported.value_or(
        settingIsOn(store.readValue(QStringLiteral("AssocDeleteNonImported"), QStringLiteral("0"))));
    for (int slot = 1; slot <= AssociateRecord::Badges; ++slot) {
        settings.badgeFilters << store.readValue(QString::number(slot) + QStringLiteral("AssocBadgeFilter"), {}).trimmed();
    }

    ImportedNumbers imported;
    bool ok = checkSettings(settings) && readUpdates(request, settings, imported);
    if (ok) {
        deleteNonImported(settings, imported);
    }
    ok = finishEdits(ok, request.intoEditorsTable);
    if (ok) {
        reportUpdates();
        if (afterImport_) {
            afterImport_();
        }
    }
    closeTables();
    return ok;
}

// --- the code-change file -----------------------------------------------------------------------

bool AssociateImport::readCodeFile(const AssociateImportRequest& request) {
    counts_ = {};
    remarks_.clear();
    pendingLog_.clear();
    if (!openTables(request.tableWaitSeconds)) {
        closeTables();
        return false;
    }
    auto& associates = system_.associates();
    int notFound = 0;
    bool ok = true;
    {
        ImportFile file(system_, request.rowsToSkip, request.fieldsToSkip,
                        QStringLiteral("Importing Code File"));
        file.confirmFirstRecordWith(request.confirmFirstRecord);
        ok = file.open(request.fileName);
        QStringList fields;
        while (ok && file.next(fields)) {
            const QString oldCode = fieldAt(fields, 1).toUpper();
            const QString newCode = fieldAt(fields, 2).toUpper();
            const int number = oldCode.isEmpty() ? 0 : associates.find(oldCode);
            if (number == 0) {
                ++notFound;
            } else if (!codeProblem(newCode, codeWidth).isEmpty() ||
                       (associates.find(newCode) != 0 && associates.find(newCode) != number)) {
                skip(file.lineNumber(), QStringLiteral("the new code \"") + newCode +
                                            QStringLiteral("\" is blank, too long or already in use"));
            } else {
                AssociateRecord record = associates.record(number);
                record.Code = newCode;
                changes_->setRecord(number, record);
                ++counts_.updated;
                pendingLog_.add(newCode, QStringLiteral("Codes Changed"), oldCode);
            }
        }
        if (file.stoppedByPerson()) {
            ok = false;
        } else if (!file.error().isEmpty()) {
            message(file.error(), MB_ICONEXCLAMATION);
            ok = false;
        }
    }
    ok = finishEdits(ok, request.intoEditorsTable);
    if (ok) {
        message(QStringLiteral("Importing Complete.  There were: ") + QString::number(counts_.updated) +
                    QStringLiteral(" codes updated, and") + lineBreak + QString::number(notFound) +
                    QStringLiteral(" codes not found"),
                MB_ICONINFORMATION);
        if (afterImport_) {
            afterImport_();
        }
    }
    closeTables();
    return ok;
}

}  // namespace vel

#include "maintenance/AllocationImport.h"

#include "data/ProgramObject.h"
#include "data/records/ActivityRecord.h"
#include "data/records/AllocationRecord.h"
#include "maintenance/ImportFile.h"
#include "maintenance/ImportValues.h"
#include "maintenance/TableAccessWait.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"

namespace vel {

namespace {
constexpr int codeWidth = 10;
constexpr int descriptionWidth = 30;
const QString lineBreak = QStringLiteral("\n");
}  // namespace

QStringList AllocationImport::fileLabels() {
    return {QStringLiteral("Code:"), QStringLiteral("Description:"), QStringLiteral("SystemID:")};
}

int AllocationImport::message(const QString& text, int style) {
    return MessageWithSound(text, style, system_.Program().title());
}

bool AllocationImport::readFile(const AllocationImportRequest& request, const QString& systemId) {
    ImportFile file(system_, request.rowsToSkip, request.fieldsToSkip);
    file.confirmFirstRecordWith(request.confirmFirstRecord);
    if (!file.open(request.fileName)) {
        message(file.error(), MB_ICONEXCLAMATION);
        return false;
    }
    auto& allocations = system_.allocations();
    QStringList fields;
    while (file.next(fields)) {
        const QString code = fields.value(0).toUpper();
        const QString description = fields.value(1);
        const QString lineSystem = fields.value(2);
        if (!lineSystem.isEmpty() && !systemId.isEmpty() &&
            lineSystem.compare(systemId, Qt::CaseInsensitive) != 0) {
            ++counts_.skipped;
            continue;
        }
        QString problem = codeProblem(code, codeWidth);
        if (problem.isEmpty() && description.size() > descriptionWidth) {
            problem = QStringLiteral("the description is longer than 30 characters");
        }
        if (!problem.isEmpty()) {
            ++counts_.skipped;
            remarks_ << QStringLiteral("Line %1: ").arg(file.lineNumber()) + problem;
            continue;
        }
        int number = allocations.find(code);
        AllocationRecord record = number ? allocations.record(number) : AllocationRecord{};
        if (number == 0) {
            number = allocations.freeRecord();
            if (number == 0) {
                message(QStringLiteral("Cannot add any Allocations, the maximum of ") +
                            QString::number(allocations.maximum()) + QStringLiteral(" has been reached"),
                        MB_ICONEXCLAMATION);
                break;
            }
            system_.StatusText(QStringLiteral("Adding Allocation to Tallybook"));
            record.Code = code;
            record.Desc = description;
            changes_->setRecord(number, record);
            added_ << number;
            ++counts_.added;
            pendingLog_.push_back({code, QStringLiteral("Add"), {}});
        } else {
            ++counts_.updated;
            if (!description.isEmpty() && description != record.Desc.trimmed()) {
                record.Desc = description;
                changes_->setRecord(number, record);
                pendingLog_.push_back({code, QStringLiteral("Updated"), QStringLiteral("Desc")});
            }
        }
        imported_.insert(number);
    }
    if (file.stoppedByPerson()) {
        return false;
    }
    if (!file.error().isEmpty()) {
        message(file.error(), MB_ICONEXCLAMATION);
        return false;
    }
    counts_.skipped += int(file.unreadableLines());
    return true;
}

void AllocationImport::deleteNonImported() {
    auto& allocations = system_.allocations();
    QList<int> absent;
    for (int number = 1; number <= allocations.recordCount(); ++number) {
        if (allocations.isActive(number) && !imported_.contains(number)) {
            absent << number;
        }
    }
    if (absent.isEmpty() ||
        message(QStringLiteral("There are ") + QString::number(absent.size()) +
                    QStringLiteral(" that are currently in Velmor, but were not in the Import file.") +
                    lineBreak +
                    QStringLiteral("Would you like to attempt to delete the Allocations that were not "
                                   "in the Import file?"),
                MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    for (int number : std::as_const(absent)) {
        const QString code = allocations.code(number).trimmed();
        const QString where = allocations.usedOn(number);
        if (!where.isEmpty() || !allocations.remove(number, 0)) {
            ++counts_.notDeleted;
            pendingLog_.push_back({code, QStringLiteral("Cannot Delete"), QStringLiteral("Used on:") + where});
        } else {
            ++counts_.deleted;
            pendingLog_.push_back({code, QStringLiteral("Delete"), {}});
        }
    }
    if (counts_.deleted > 0 || counts_.notDeleted > 0) {
        message(QString::number(counts_.deleted) + QStringLiteral(" records were deleted.  And, ") +
                    QString::number(counts_.notDeleted) +
                    QStringLiteral(" could not be deleted, because they were in use.  Check the "
                                   "TBEditLog file for details."),
                MB_ICONINFORMATION);
    }
}

bool AllocationImport::addAccounts() {
    int highest = 0;
    for (int number : std::as_const(added_)) {
        highest = qMax(highest, number);
    }
    if (highest <= system_.allocationAccounts()) {
        return true;
    }
    system_.StatusText(QStringLiteral("Adding Allocations"));
    if (!system_.addAllocationAccount(highest)) {
        message(QStringLiteral("Could not add the new Allocations' accounts to the Tallybook Master file."),
                MB_ICONCRITICAL);
        return false;
    }
    return true;
}

int AllocationImport::addToActivities(VelmorSystem& system, const QList<int>& allocations) {
    const auto message = [&system](const QString& text) {
        MessageWithSound(text, MB_ICONEXCLAMATION, system.Program().title());
    };
    auto& activities = system.activities();
    if (!system.beginTableAccess(QStringLiteral("A"), true, false)) {
        system.endTableAccess();
        message(QStringLiteral("Error opening Activity Table Exclusively.  Cannot Update new Allocations."));
        return -1;
    }
    const bool wasOpen = activities.isOpen();
    if (!wasOpen && !activities.open()) {
        system.endTableAccess();
        message(QStringLiteral("Error opening Activity Table.  Cannot Update new Allocations."));
        return -1;
    }
    int changedActivities = 0;
    QString firstChanged;  // the activity named when the save fails
    system.StatusText(QStringLiteral("Updating Activities"));
    for (int number = 1; number <= activities.recordCount(); ++number) {
        if (!activities.isActive(number)) {
            continue;
        }
        ActivityRecord activity = activities.record(number);
        if (activity.Allocate == 0) {
            continue;
        }
        // A new allocation starts with the activity's own standards.
        ActivityRecord::SlotStandards standards{};
        for (int slot = 0; slot < ActivityRecord::ElementSlots; ++slot) {
            standards[size_t(slot)] = activity.Elements[size_t(slot)].Standard;
        }
        bool changed = false;
        for (int allocation : allocations) {
            changed = activity.AllocationStandards.emplace(allocation, standards).second || changed;
        }
        if (changed) {
            activities.setRecord(number, activity);
            ++changedActivities;
            firstChanged = firstChanged.isEmpty() ? activity.Code.trimmed() : firstChanged;
        }
    }
    const bool saved = activities.save();
    if (!saved) {
        message(QStringLiteral("Error Updating Allocation: ") +
                system.allocations().code(allocations.value(0)).trimmed() +
                QStringLiteral(" on Activity: ") + firstChanged);
        activities.cancel();
    }
    if (!wasOpen) {
        activities.close();
    }
    system.endTableAccess();
    return saved ? changedActivities : -1;
}

void AllocationImport::report() {
    const QString counts = QString::number(counts_.added) + QStringLiteral(" added, ") +
                           QString::number(counts_.updated) + QStringLiteral(" updated") +
                           (counts_.deleted || counts_.notDeleted
                                ? QStringLiteral(", ") + QString::number(counts_.deleted) +
                                      QStringLiteral(" deleted, ") + QString::number(counts_.notDeleted) +
                                      QStringLiteral(" not able to be deleted.")
                                : QString());
    system_.logChange(system_.allocations(), QString(), QStringLiteral("Imported"), counts);
    message(QStringLiteral("Importing Complete.  There were: ") + lineBreak + counts, MB_ICONINFORMATION);
}

bool AllocationImport::run(const AllocationImportRequest& request) {
    counts_ = {};
    remarks_.clear();
    activitiesChanged_ = 0;
    imported_.clear();
    added_.clear();
    forActivities_.clear();
    pendingLog_.clear();
    IniSettings store(system_.settingsLocation());
    store.selectSection(QStringLiteral("ExportDay"));
    QString systemId = request.systemId;
    if (systemId.isEmpty()) {
        systemId = store.readValue(QStringLiteral("SystemID"), {});
    } else {
        store.writeText(QStringLiteral("SystemID"), systemId);
    }
    store.selectSection(QStringLiteral("ImportFiles"));
    const bool deleteAbsent = request.deleteNonImported.value_or(
        settingIsOn(store.readValue(QStringLiteral("AllocDeleteNonImported"), QStringLiteral("0"))));

    auto& allocations = system_.allocations();
    const bool wasOpen = allocations.isOpen();
    // An import changes the allocations as their editor does: it takes them for changes, so
    // that a second import or the editor on another workstation cannot number new allocations
    // alongside it. Run from the editor, which has the table open, the editor holds them.
    if (!wasOpen && !takeTablesForChanges(system_, QStringLiteral("AO"), allocations.name(),
                                          request.tableWaitSeconds)) {
        system_.endTableAccess();
        message(QStringLiteral("The ") + allocations.name() +
                    QStringLiteral(" Table is being changed at another workstation. Nothing was "
                                   "imported; try again when it is free."),
                MB_ICONEXCLAMATION);
        return false;
    }
    if (!wasOpen && !allocations.open()) {
        system_.endTableAccess();
        message(QStringLiteral("Error opening the ") + allocations.name(), MB_ICONEXCLAMATION);
        return false;
    }
    changes_.emplace(allocations, request.intoEditorsTable);
    bool ok = readFile(request, systemId);
    if (ok && deleteAbsent) {
        deleteNonImported();
    }
    // Into an editor's table the changes are saved with the editor's list; the change log takes
    // their entries at once, as it does for the editor's own edits.
    const auto keepChanges = [&] {
        if (request.intoEditorsTable) {
            system_.logChanges(allocations, pendingLog_);
            return true;
        }
        return system_.saveWithLog(allocations, pendingLog_);
    };
    ok = ok && addAccounts() && keepChanges();
    if (!ok) {
        if (!allocations.lastError().isEmpty()) {
            message(QStringLiteral("Error Importing: ") + allocations.lastError(), MB_ICONCRITICAL);
        }
        // Into an editor's table only what this import wrote is put back.
        request.intoEditorsTable ? changes_->putBack() : allocations.cancel();
    } else {
        report();
        const auto askToAdd = [this] {
            return message(QStringLiteral("Would you like to add the new Allocations to the "
                                          "Activities that use Allocations?"),
                           MB_YESNO | MB_ICONQUESTION) == IDYES;
        };
        if (!added_.isEmpty() && (request.addToActivities ? *request.addToActivities : askToAdd())) {
            if (request.intoEditorsTable) {
                forActivities_ = added_;
            } else {
                activitiesChanged_ = qMax(0, addToActivities(system_, added_));
            }
        }
    }
    if (!wasOpen) {
        allocations.close();
        system_.endTableAccess();
    }
    return ok;
}

}  // namespace vel

#pragma once
// The Velmor system object: everything the component asks of the system it works on. The host
// owns it and every object it hands out; the component holds references for one call only.
#include "data/SystemFeatures.h"
#include "data/TableObject.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace vel {

class Masterfile;
class NewSystemBuilder;
class ProgramObject;
class RecordedWork;
class ReportModule;
class TBPrint;
struct ActivityRecord;
struct AllocationRecord;
struct AssociateRecord;
struct DataFieldRecord;
struct ElementRecord;
struct GroupingRecord;
struct LocationRecord;
struct MachineRecord;
struct MistakeRecord;
struct ScheduleRecord;
struct StandardRecord;
struct TypeOfWorkRecord;
struct WorkCenterRecord;

// One entry of the change log, for logChanges.
struct ChangeLogLine {
    QString recordCode;
    QString action;
    QString changedSettings;
};

// One associate's membership of one grouping.
struct GroupingMember {
    int grouping = 0;
    int associate = 0;
    bool operator==(const GroupingMember&) const = default;
};

// One entry of the system's day file: a posted day and its file, and nine figures of the day's
// recorded work, in this order: production-sheet lines, associates who worked, total hours,
// measured hours, earned hours, units, cost, audited units, failed units (catch, check and
// audit failures together).
struct DayEntry {
    static constexpr int Values = 9;
    QDate fileDate;
    QDate date;
    QString times;
    std::array<double, Values> values{};
};

// What writing the activity detail came to: the rows written, or why nothing was written.
struct ActivityDetailResult {
    qint64 rows = 0;
    QString problem;  // empty when the file was written
};

class VelmorSystem {
public:
    virtual ~VelmorSystem() = default;

    virtual ProgramObject& Program() = 0;

    // The host's status display.
    virtual void StatusFileInit(const QString& fileName, int count) = 0;
    virtual void StatusText(const QString& text) = 0;
    virtual void StatusPercent(int percent) = 0;
    virtual void StatusDone() = 0;

    // Messages through the host: styles and answers are the Windows codes.
    virtual void ShowMessage(const QString& prompt, int style, const QString& caption) = 0;
    virtual int AskMessage(const QString& prompt, int style, const QString& caption) = 0;

    // The table objects, one per table; the same object on every call.
    virtual Table<ActivityRecord>& activities() = 0;
    virtual Table<AllocationRecord>& allocations() = 0;
    virtual Table<AssociateRecord>& associates() = 0;
    virtual Table<WorkCenterRecord>& workCenters() = 0;
    virtual Table<ElementRecord>& elements() = 0;
    virtual Table<StandardRecord>& standards() = 0;
    virtual Table<TypeOfWorkRecord>& typesOfWork() = 0;
    virtual Table<MistakeRecord>& mistakes() = 0;
    virtual Table<GroupingRecord>& groupings() = 0;
    virtual Table<ScheduleRecord>& schedules() = 0;
    virtual Table<LocationRecord>& locations() = 0;
    virtual Table<MachineRecord>& machines() = 0;
    virtual Table<DataFieldRecord>& dataFields() = 0;
    // The corporate control copies of the activity, element and type-of-work tables.
    virtual Table<ActivityRecord>& corporateActivities() = 0;
    virtual Table<ElementRecord>& corporateElements() = 0;
    virtual Table<TypeOfWorkRecord>& corporateTypesOfWork() = 0;

    virtual SystemFeatures features() const = 0;

    // Printer support: the system's standard device set-up, and the page header every print-out
    // of the system starts its pages with.
    virtual void standardDeviceSetup(TBPrint& printer) = 0;
    virtual void standardPageHeader(TBPrint& printer) = 0;
    virtual Masterfile& masterfile() = 0;

    // Where a settings object attaches (the subkey is empty for the system's own settings).
    virtual QString settingsLocation(const QString& subKey = {}) const = 0;

    // Table access between workstations. begin answers whether the work on the table (code "A"
    // for the activity family, "AO" for allocations) may start; asked with offerChoice, whether
    // the view-or-modify choice is to be offered. forModification takes the tables for changes
    // and fails when another workstation holds them. end is always called after begin.
    virtual bool beginTableAccess(const QString& tableCode, bool forModification,
                                  bool offerChoice) = 0;
    virtual void endTableAccess() = 0;

    // The day file: false when it cannot be opened.
    virtual bool openDayFile() = 0;
    virtual std::vector<DayEntry> dayEntries() = 0;
    virtual void closeDayFile() = 0;

    virtual bool shutdownPending() const = 0;

    // One change-log entry: the table, the record's code, the action word ("Add", "Edit",
    // "Delete", "Update", ...) and the ", "-joined names of the changed settings.
    virtual void logChange(const TableObject& table, const QString& recordCode,
                           const QString& action, const QString& changedSettings) = 0;

    virtual void showHelp(int context) = 0;

    // The earned-hours methods (0 to 6) that an activity may still be given: an activity stored
    // as unmeasured stays unmeasured, a measured one stays measured, a new one may take any.
    virtual QList<int> earnedHoursMethodsAllowed(int activityNumber) = 0;

    // The data-field pool: the fields allocated in the master file, each free or held by one
    // purpose ("Actual Hours" of an activity, an element's units, ...). assignDataField takes
    // a free field for the description and answers its number (0: none free); releaseDataField
    // frees one. Both change the data-field table in memory: save it with dataFields().save().
    virtual int freeDataFieldCount() = 0;
    virtual int assignDataField(const QString& description) = 0;
    virtual bool releaseDataField(int number) = 0;

    // The associates (record numbers) of a grouping: for a number of 900 or more those whose home
    // work center is number - 900, else those whose primary grouping it is.
    virtual QList<int> groupingMembers(int grouping) = 0;

    // Whether a production-sheet line records the activity on the allocation (record numbers),
    // so that the activity editor keeps the allocation valid for it.
    virtual bool allocationUsedWithActivity(int activityNumber, int allocationNumber) = 0;

    // Changes the stored grouping membership in one write: with emptyWorkCenterGroupings every
    // grouping of 900 or more is emptied first, then the leave entries are taken out and the join
    // entries put in (an entry with grouping 0 is ignored; a member already in stays once).
    // From the first change on, groupingMembers() lists the stored membership. False when the
    // membership could not be written; nothing is changed then.
    virtual bool changeGroupingMembers(const QList<GroupingMember>& leave,
                                       const QList<GroupingMember>& join,
                                       bool emptyWorkCenterGroupings) = 0;

    // An associate's recorded data dated before a date: the dates that hold some, oldest
    // first; and the removal of that data (false when it could not be written).
    virtual QList<QDate> associateDataBefore(int associate, const QDate& date) = 0;
    virtual bool clearAssociateDataBefore(int associate, const QDate& date) = 0;

    // Several change-log entries of one table (an import's), written together.
    virtual void logChanges(const TableObject& table, const std::vector<ChangeLogLine>& lines) {
        for (const ChangeLogLine& line : lines) {
            logChange(table, line.recordCode, line.action, line.changedSettings);
        }
    }

    // Saves the table's edits and writes its change-log entries as one unit: both land, or
    // (after a failure or a crash) neither. False when nothing was saved; the reason is in the
    // table's lastError() or, when the log could not be written, in the error report.
    virtual bool saveWithLog(TableObject& table, const std::vector<ChangeLogLine>& lines) {
        if (!table.save()) {
            return false;
        }
        logChanges(table, lines);
        return true;
    }
    // The same for many lines (an import's), each made by line(index) as it is written, so
    // that they are never all in memory as entries at once.
    virtual bool saveWithLog(TableObject& table, size_t count,
                             const std::function<ChangeLogLine(size_t index)>& line) {
        std::vector<ChangeLogLine> lines;
        lines.reserve(count);
        for (size_t index = 0; index < count; ++index) {
            lines.push_back(line(index));
        }
        return saveWithLog(table, lines);
    }

    // The allocations' accounts in the master file: accounts 1 to the answer exist, so an
    // allocation numbered above it has no account yet ("allocated" counts them).
    virtual int allocationAccounts() = 0;
    // Creates the missing accounts up to the number; false when the master file refuses.
    virtual bool addAllocationAccount(int number) = 0;

    // A builder of a new system in the same data folder, for the new-system window.
    virtual std::unique_ptr<NewSystemBuilder> newSystemBuilder() = 0;

    // The week-end processing over the owner window; interactive: it may ask the person. True
    // when it succeeded.
    virtual bool weekEndProcess(quintptr ownerHandle, bool interactive) = 0;
    // Whether the site wants the follow-up report after a week-end processing.
    virtual bool followUpWanted() = 0;
    // The follow-up job in a mode on the system, for a date; false when it failed.
    virtual bool runFollowUp(int mode, const QDate& date) = 0;
    // The activity table object's rebuild of the standards from the activities (the activity
    // table open); false when the standards could not be written.
    virtual bool rebuildStandards() = 0;
    // The table objects write the local control activity file ("TBCCACT.--" + number) that a
    // corporate system publishes; false when it could not be written (the reason is reported).
    virtual bool writeCorporateControlData() = 0;

    // Hands the data fields that the system maintains for a purpose over to the users: every
    // field in use whose description begins with the holder ("Quality ", "PPA ") keeps its
    // figures but is no longer the system's. Answers how many were handed over. Changes the
    // data-field table in memory: save it with dataFields().save().
    virtual int convertDataFieldsToUserDefined(const QString& holder) = 0;

    // Whether a type of work that tracks quality lacks data fields that its posted quality
    // data updates (a system from before those fields), and the conversion that gives them
    // (showing its progress and, when it fails, the reason); false when it did not convert.
    virtual bool qualityDataFieldsMissing() = 0;
    virtual bool convertQualityDataFields() = 0;

    // The recorded work of the system: production-sheet lines, posted figures and histories.
    virtual RecordedWork& recordedWork() = 0;

    // Writes the activity detail of the date range (inclusive) to the file in the export
    // writer's output type: one row per production-sheet line, by date (docs/export.md gives
    // the columns). With nonZeroOnly, lines without hours, units, earned hours and cost are
    // left out. A range without work gives a file without rows.
    virtual ActivityDetailResult writeActivityDetail(const QString& file,
                                                     const QString& outputType, const QDate& from,
                                                     const QDate& to, bool nonZeroOnly) = 0;
    // The system's report module (report templates and the reports built from them); nullptr
    // when the system has none.
    virtual ReportModule* reportModule() { return nullptr; }
};

}  // namespace vel

#pragma once
// The reference host's Velmor system object over the xBase files of one system in a data folder.
// The master tables, the master file, the change log, the day file and the settings file live in
// the data folder under the catalogue's names (see SystemTables.h and docs/host.md); the rules
// the editors ask of the host (where a record is used, what may change, the data-field pool)
// are answered by SystemRules.
#include "data/VelmorSystem.h"
#include "host/ChangeLog.h"
#include "host/DayFileRecord.h"
#include "host/GroupingMembership.h"
#include "host/ReferenceMasterfile.h"
#include "host/ReferenceProgram.h"
#include "host/SystemTables.h"

#include <QDateTime>
#include <QSet>

namespace vel {

class ReferenceReportModule;
class SystemRules;
class ReferenceRecordedWork;

struct ReferenceSystemOptions {
    std::function<QDateTime()> now;  // the clock; the current date and time when empty
    xbase::FileOperations* fileOperations = nullptr;  // failure injection in tests
    bool createMissingFiles = false;  // tables are created when missing (new systems only)
};

class ReferenceSystem : public VelmorSystem {
  public:
    // The settings of the system's features: section "Features" of its settings file.
    static constexpr QLatin1StringView featuresSection{"Features"};

    ReferenceSystem(const QString& dataFolder, int systemNumber,
                    ReferenceSystemOptions options = {});
    ~ReferenceSystem() override;

    static constexpr int activityMaximum = 999;

    // Creates every file of a new, empty system; false with the reason in error.
    static bool createEmptySystem(const QString& dataFolder, int systemNumber,
                                  const MasterfileSettings& settings, QString* error);
    // Told the file being created, the step it is and the number of steps; last with an
    // empty name and the step equal to the steps.
    using FileProgress = std::function<void(const QString& fileName, int step, int steps)>;
    // Creates the tables, day file, data-field pool and settings of a system whose master file
    // exists; false with the reason in error.
    static bool createSystemFiles(const QString& dataFolder, int systemNumber,
                                  const FileProgress& progress, QString* error);

    ProgramObject& Program() override { return program_; }
    ReferenceProgram& program() { return program_; }
    RecordingErrorReporter& errors() { return program_.recordingReporter(); }

    // Shows the name of the file a job starts on ("Activity ...").
    void StatusFileInit(const QString& fileName, int count) override;
    void StatusText(const QString& text) override;
    void StatusPercent(int percent) override;
    void StatusDone() override;
    void ShowMessage(const QString& prompt, int style, const QString& caption) override;
    int AskMessage(const QString& prompt, int style, const QString& caption) override;

    Table<ActivityRecord>& activities() override { return *tables_.activities; }
    Table<AllocationRecord>& allocations() override { return *tables_.allocations; }
    Table<AssociateRecord>& associates() override { return *tables_.associates; }
    Table<WorkCenterRecord>& workCenters() override { return *tables_.workCenters; }
    Table<ElementRecord>& elements() override { return *tables_.elements; }
    Table<StandardRecord>& standards() override { return *tables_.standards; }
    Table<TypeOfWorkRecord>& typesOfWork() override { return *tables_.typesOfWork; }
    Table<MistakeRecord>& mistakes() override { return *tables_.mistakes; }
    Table<GroupingRecord>& groupings() override { return *tables_.groupings; }
    Table<ScheduleRecord>& schedules() override { return *tables_.schedules; }
    Table<LocationRecord>& locations() override { return *tables_.locations; }
    Table<MachineRecord>& machines() override { return *tables_.machines; }
    Table<DataFieldRecord>& dataFields() override { return *tables_.dataFields; }
    Table<ActivityRecord>& corporateActivities() override { return *tables_.corporateActivities; }
    Table<ElementRecord>& corporateElements() override { return *tables_.corporateElements; }
    Table<TypeOfWorkRecord>& corporateTypesOfWork() override {
        return *tables_.corporateTypesOfWork;
    }
    // The production-sheet lines that make master records "in use".
    Table<ProductionLineRecord>& productionLines() { return *tables_.productionLines; }
    const SystemTables& tables() const { return tables_; }

    SystemFeatures features() const override;
    // Letter, portrait, titled with the system's title; the header names the system and the
    // time of printing on its left and the page number on its right.
    void standardDeviceSetup(TBPrint& printer) override;
    void standardPageHeader(TBPrint& printer) override;
    Masterfile& masterfile() override { return masterfile_; }
    ReferenceMasterfile& referenceMasterfile() { return masterfile_; }
    QString settingsLocation(const QString& subKey = {}) const override;

    bool beginTableAccess(const QString& tableCode, bool forModification,
                          bool offerChoice) override;
    void endTableAccess() override;

    bool openDayFile() override;
    XbaseTable<DayFileRecord>& dayFile() { return *dayFile_; }
    std::vector<DayEntry> dayEntries() override;
    void closeDayFile() override;

    // True while the marker file "velmor" + number + ".shutdown" is in the data folder.
    bool shutdownPending() const override;
    QString shutdownMarkerPath() const;

    void logChange(const TableObject& table, const QString& recordCode, const QString& action,
                   const QString& changedSettings) override;
    void logChanges(const TableObject& table, const std::vector<ChangeLogLine>& lines) override;
    bool saveWithLog(TableObject& table, const std::vector<ChangeLogLine>& lines) override;
    bool saveWithLog(TableObject& table, size_t count,
                     const std::function<ChangeLogLine(size_t index)>& line) override;
    ChangeLog& changeLog() { return changeLog_; }

    void showHelp(int context) override { program_.showHelp(context); }

    QList<int> earnedHoursMethodsAllowed(int activityNumber) override;
    int freeDataFieldCount() override;
    int assignDataField(const QString& description) override;
    bool releaseDataField(int number) override;
    QList<int> groupingMembers(int grouping) override;
    bool changeGroupingMembers(const QList<GroupingMember>& leave,
                               const QList<GroupingMember>& join,
                               bool emptyWorkCenterGroupings) override;
    // An associate's recorded data is its production-sheet lines.
    QList<QDate> associateDataBefore(int associate, const QDate& date) override;
    bool clearAssociateDataBefore(int associate, const QDate& date) override;
    // The master file's [Master] "Accounts", read afresh from the file; adding raises it to the
    // number (never lowers it) within the allocation table's maximum.
    int allocationAccounts() override;
    bool addAllocationAccount(int number) override;
    bool allocationUsedWithActivity(int activityNumber, int allocationNumber) override;
    // A builder of new systems in this system's data folder; a system it creates and opens is
    // passed to the hook set by setNewSystemOpened (the host then works on it).
    std::unique_ptr<NewSystemBuilder> newSystemBuilder() override;
    void setNewSystemOpened(std::function<void(int systemNumber)> hook) {
        newSystemOpened_ = std::move(hook);
    }
    // Week-end processing and its follow-up: see WeekEndProcessing.h.
    bool weekEndProcess(quintptr ownerHandle, bool interactive) override;
    bool followUpWanted() override;
    bool runFollowUp(int mode, const QDate& date) override;
    bool rebuildStandards() override { return tables_.activities->rebuildStandards(); }
    // See CorporateControlFile.h.
    bool writeCorporateControlData() override;

    // The table maxima that the settings choose: allocations 999 or 9999 ("System" section,
    // "MaxAllocations"), work centers up to 99 ("MaxWorkCenters", default 99).
    int maximumAllocations() const;
    int maximumAssociatesAllowed() const;
    int maximumWorkCenters() const;
    // The path of a catalogue name of this system in its data folder.
    QString filePath(const QString& catalogueName) const;
    QDate today() const { return now_().date(); }

    // A field is user-defined once its description begins with "User: "; converting puts that
    // before the description, so the system's holders no longer match it.
    int convertDataFieldsToUserDefined(const QString& holder) override;
    bool qualityDataFieldsMissing() override;
    bool convertQualityDataFields() override;
    static constexpr QLatin1StringView userDefinedPrefix{"User: "};

    // See ReferenceRecordedWork.h.
    RecordedWork& recordedWork() override;
    ActivityDetailResult writeActivityDetail(const QString& file, const QString& outputType,
                                             const QDate& from, const QDate& to,
                                             bool nonZeroOnly) override;
    ReferenceRecordedWork& referenceRecordedWork();

    // The report module over the templates in the data folder's "Reports" folder.
    ReportModule* reportModule() override;

  private:
    void buildTables(const ReferenceSystemOptions& options);
    QString settingValue(const QString& section, const QString& key,
                         const QString& defaultText) const;
    QString corporatePath(const QString& catalogueName) const;
    // The memberships as the associates say (before any membership is stored).
    QList<GroupingMember> derivedGroupingMembers();

    QString dataFolder_;
    int systemNumber_;
    std::function<QDateTime()> now_;
    ReferenceProgram program_;
    ReferenceMasterfile masterfile_;
    ChangeLog changeLog_;
    SystemLockFile accessLock_;
    QSet<qint64> heldAccess_;
    SystemTables tables_;
    std::unique_ptr<XbaseTable<DayFileRecord>> dayFile_;
    std::unique_ptr<SystemRules> rules_;
    std::unique_ptr<GroupingMembership> membership_;
    std::unique_ptr<ReferenceRecordedWork> recordedWork_;
    std::function<void(int)> newSystemOpened_;
    std::unique_ptr<ReferenceReportModule> reportModule_;
};

}  // namespace vel

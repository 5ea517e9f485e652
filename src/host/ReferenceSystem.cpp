#include "host/ReferenceSystem.h"

#include "host/ActivityDetailWriter.h"
#include "host/ReferenceReportModule.h"

#include "data/SettingsObject.h"
#include "data/TableCatalogue.h"
#include "host/CorporateControlFile.h"
#include "host/ReferenceNewSystem.h"
#include "host/ReferenceRecordedWork.h"
#include "host/SaveUnit.h"
#include "host/SystemRules.h"
#include "host/WeekEndProcessing.h"
#include "platform/print/TBPrint.h"
#include "services/AddSlash.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"
#include "ui/Ui.h"

#include <QFileInfo>
#include <algorithm>

namespace vel {

namespace {

constexpr int maximumActivities = ReferenceSystem::activityMaximum;
constexpr int maximumElements = 999;
constexpr int maximumTypesOfWork = WorkCenterRecord::TypesOfWork;
constexpr int maximumMistakes = 99;
constexpr int maximumAssociates = 9999;
constexpr int maximumGroupings = GroupingRecord::WorkCenterBase - 1;
constexpr int maximumSchedules = 99;
constexpr int maximumLocations = 9999;
constexpr int maximumMachines = 999;
constexpr int unlimited = 10000000;

// The byte of the lock file that stands for a table code: the same in every process.
qint64 accessByte(const QString& tableCode) {
    quint32 folded = 0;
    for (QChar character : tableCode.trimmed().toUpper()) {
        folded = folded * 31 + character.unicode();
    }
    return 1 + qint64(folded % 100000);
}

}  // namespace

ReferenceSystem::ReferenceSystem(const QString& dataFolder, int systemNumber,
                                 ReferenceSystemOptions options)
    : dataFolder_(dataFolder),
      systemNumber_(systemNumber),
      now_(options.now ? options.now : [] { return QDateTime::currentDateTime(); }),
      program_(dataFolder, systemNumber),
      masterfile_(TableCatalogue(dataFolder, systemNumber).path(catalogue::masterFile),
                  TableCatalogue(dataFolder, systemNumber).path(hostFiles::accessLock)),
      changeLog_(TableCatalogue(dataFolder, systemNumber).path(catalogue::editLog), now_,
                 StoreOptions{true, options.fileOperations, StoreOptions().lockPolicy}),
      accessLock_(TableCatalogue(dataFolder, systemNumber).path(hostFiles::accessLock)),
      rules_(std::make_unique<SystemRules>(*this)) {
    masterfile_.setChangeLogWriter(
        [this](const QString& table, const QString& code, const QString& action) {
            return changeLog_.append(table, code, action, {});
        });
    buildTables(options);
}

ReferenceSystem::~ReferenceSystem() {
    endTableAccess();
}

QString ReferenceSystem::filePath(const QString& catalogueName) const {
    return TableCatalogue(dataFolder_, systemNumber_).path(catalogueName);
}

QString ReferenceSystem::settingValue(const QString& section, const QString& key,
                                      const QString& defaultText) const {
    IniSettings settings(settingsLocation());
    settings.selectSection(section);
    return settings.readValue(key, defaultText);
}

QString ReferenceSystem::corporatePath(const QString& catalogueName) const {
    const QString local = TableCatalogue(dataFolder_, systemNumber_).corporateSubfolder();
    return TableCatalogue(local, systemNumber_).path(catalogueName);
}

void ReferenceSystem::buildTables(const ReferenceSystemOptions& options) {
    const StoreOptions master{options.createMissingFiles, options.fileOperations,
                              StoreOptions().lockPolicy};
    const StoreOptions side{true, options.fileOperations, StoreOptions().lockPolicy};
    const StoreOptions corporate{false, options.fileOperations, StoreOptions().lockPolicy};
    const auto report = [this](const QString& message) { errors().report(message, 0, false); };
    const auto rules = [&](const QString& name, const QString& active, int maximum,
                           std::function<QString(int)> usedOn = {}) {
        TableRules result{name, active, active, [maximum] { return maximum; }, std::move(usedOn),
                          {},   report};
        return result;
    };
    const QString code = QStringLiteral("Code");
    const QString desc = QStringLiteral("Desc");
    SystemRules& answers = *rules_;
    using std::placeholders::_1;

    tables_.standards = std::make_unique<XbaseTable<StandardRecord>>(
        filePath(hostFiles::standards),
        rules(QStringLiteral("Standards"), QStringLiteral("Activity"), unlimited), side);
    TableRules activityRules = rules(QStringLiteral("Activity"), code, maximumActivities,
                                     std::bind(&SystemRules::activityUsedOn, &answers, _1));
    activityRules.moveData = [&answers](int from, int to, UndoList& undo, QString& error) {
        return answers.moveActivityData(from, to, undo, error);
    };
    tables_.activities = std::make_unique<ActivityTable>(
        filePath(catalogue::activityTable), activityRules, tables_.standards.get(), master);

    TableRules allocationRules = rules(QStringLiteral("Allocation"), code, 0,
                                       std::bind(&SystemRules::allocationUsedOn, &answers, _1));
    allocationRules.maximum = [this] { return maximumAllocations(); };
    allocationRules.moveData = [&answers](int from, int to, UndoList& undo, QString& error) {
        return answers.moveAllocationData(from, to, undo, error);
    };
    tables_.allocations = std::make_unique<XbaseTable<AllocationRecord>>(
        filePath(hostFiles::allocations), allocationRules, master);

    TableRules associateRules = rules(QStringLiteral("Associate"), code, 0,
                                      std::bind(&SystemRules::associateUsedOn, &answers, _1));
    associateRules.maximum = [this] { return maximumAssociatesAllowed(); };
    associateRules.moveData = [&answers](int from, int to, UndoList& undo, QString& error) {
        return answers.moveAssociateData(from, to, undo, error);
    };
    tables_.associates = std::make_unique<XbaseTable<AssociateRecord>>(
        filePath(hostFiles::associates), associateRules, master,
        QHash<QString, QString>{{QStringLiteral("WorkCenter"), QStringLiteral("HOMEWC")},
                                {QStringLiteral("LastName"), QStringLiteral("LNAME")},
                                {QStringLiteral("FirstName"), QStringLiteral("FNAME")},
                                {QStringLiteral("Grouping"), QStringLiteral("GROUP")},
                                {QStringLiteral("PayIncentive"), QStringLiteral("ONINCENTIV")},
                                {QStringLiteral("BaseIncentive"), QStringLiteral("BASEINC")},
                                {QStringLiteral("PolicyDate"), QStringLiteral("TENUREDATE")},
                                {QStringLiteral("IncludeinPerf"), QStringLiteral("TESTPERF")},
                                {QStringLiteral("IncludeinQuality"), QStringLiteral("TESTQUAL")}});

    TableRules workCenterRules = rules(QStringLiteral("Work Center"), code, 0,
                                       std::bind(&SystemRules::workCenterUsedOn, &answers, _1));
    workCenterRules.maximum = [this] { return maximumWorkCenters(); };
    workCenterRules.moveData = [&answers](int from, int to, UndoList& undo, QString& error) {
        return answers.moveWorkCenterData(from, to, undo, error);
    };
    tables_.workCenters = std::make_unique<XbaseTable<WorkCenterRecord>>(
        filePath(hostFiles::workCenters), workCenterRules, master,
        QHash<QString, QString>{{QStringLiteral("TouchScreen"), QStringLiteral("KIOSK")}});

    TableRules elementRules = rules(QStringLiteral("Element"), desc, maximumElements,
                                    std::bind(&SystemRules::elementUsedOn, &answers, _1));
    elementRules.moveData = [&answers](int from, int to, UndoList& undo, QString& error) {
        return answers.moveElementData(from, to, undo, error);
    };
    tables_.elements = std::make_unique<XbaseTable<ElementRecord>>(
        filePath(catalogue::elementTable), elementRules, master);
    tables_.typesOfWork = std::make_unique<XbaseTable<TypeOfWorkRecord>>(
        filePath(catalogue::typeOfWorkTable),
        rules(QStringLiteral("Type of Work"), code, maximumTypesOfWork,
              std::bind(&SystemRules::typeOfWorkUsedOn, &answers, _1)),
        master);
    tables_.mistakes = std::make_unique<XbaseTable<MistakeRecord>>(
        filePath(hostFiles::mistakes),
        rules(QStringLiteral("Mistake"), desc, maximumMistakes,
              std::bind(&SystemRules::mistakeUsedOn, &answers, _1)),
        master);
    tables_.groupings = std::make_unique<XbaseTable<GroupingRecord>>(
        filePath(hostFiles::groupings),
        rules(QStringLiteral("Grouping"), code, maximumGroupings,
              std::bind(&SystemRules::groupingUsedOn, &answers, _1)),
        master);
    tables_.schedules = std::make_unique<XbaseTable<ScheduleRecord>>(
        filePath(hostFiles::schedules),
        rules(QStringLiteral("Schedule"), code, maximumSchedules,
              std::bind(&SystemRules::scheduleUsedOn, &answers, _1)),
        master);
    tables_.locations = std::make_unique<XbaseTable<LocationRecord>>(
        filePath(hostFiles::locations),
        rules(QStringLiteral("Location"), code, maximumLocations,
              std::bind(&SystemRules::locationUsedOn, &answers, _1)),
        master);
    tables_.machines = std::make_unique<XbaseTable<MachineRecord>>(
        filePath(hostFiles::machines),
        rules(QStringLiteral("Machine"), code, maximumMachines,
              std::bind(&SystemRules::machineUsedOn, &answers, _1)),
        master);
    TableRules fieldRules = rules(QStringLiteral("Datafield"), QStringLiteral("InUse"), 0);
    fieldRules.codeField = desc;
    fieldRules.maximum = [this] { return masterfile_.allocatedFields(); };
    tables_.dataFields = std::make_unique<XbaseTable<DataFieldRecord>>(
        filePath(hostFiles::dataFields), fieldRules, master);
    TableRules lineRules =
        rules(QStringLiteral("Production Sheet"), QStringLiteral("Activity"), unlimited);
    lineRules.codeField = QStringLiteral("Date");
    tables_.productionLines = std::make_unique<XbaseTable<ProductionLineRecord>>(
        filePath(hostFiles::productionLines), lineRules, side);

    tables_.corporateActivities = std::make_unique<ActivityTable>(
        corporatePath(catalogue::activityTable),
        rules(QStringLiteral("Corporate Activity"), code, maximumActivities), nullptr, corporate);
    tables_.corporateActivities->setStandardsSource(
        [this](const std::vector<ActivityRecord>& activities) {
            const QString folder = TableCatalogue(dataFolder_, systemNumber_).corporateSubfolder();
            return corporateStandardsByCode(*this, folder, activities);
        });
    tables_.corporateElements = std::make_unique<XbaseTable<ElementRecord>>(
        corporatePath(catalogue::elementTable),
        rules(QStringLiteral("Corporate Element"), desc, maximumElements), corporate);
    tables_.corporateTypesOfWork = std::make_unique<XbaseTable<TypeOfWorkRecord>>(
        corporatePath(catalogue::typeOfWorkTable),
        rules(QStringLiteral("Corporate Type of Work"), code, maximumTypesOfWork), corporate);

    membership_ = std::make_unique<GroupingMembership>(
        filePath(hostFiles::groupingMembers), side, [this] { return derivedGroupingMembers(); },
        report);

    dayFile_ = std::make_unique<XbaseTable<DayFileRecord>>(
        filePath(hostFiles::dayFile),
        rules(QStringLiteral("Day File"), QStringLiteral("Date"), unlimited), master);
}

bool ReferenceSystem::createEmptySystem(const QString& dataFolder, int systemNumber,
                                        const MasterfileSettings& settings, QString* error) {
    const TableCatalogue names(dataFolder, systemNumber);
    return ReferenceMasterfile::create(names.path(catalogue::masterFile), settings, error) &&
           createSystemFiles(dataFolder, systemNumber, {}, error);
}

bool ReferenceSystem::createSystemFiles(const QString& dataFolder, int systemNumber,
                                        const FileProgress& progress, QString* error) {
    ReferenceSystem system(dataFolder, systemNumber, {{}, nullptr, true});
    system.errors().setEchoToStandardError(false);
    std::vector<TableObject*> tables;
    for (TableObject* table : system.tables_.all()) {
        const bool corporate = table == system.tables_.corporateActivities.get() ||
                               table == system.tables_.corporateElements.get() ||
                               table == system.tables_.corporateTypesOfWork.get();
        // The data-field table is made with its pool below.
        if (!corporate && table != system.tables_.dataFields.get()) {
            tables.push_back(table);
        }
    }
    tables.push_back(system.dayFile_.get());
    const int steps = int(tables.size()) + 1;  // the tables, then the data-field pool
    int step = 0;
    for (TableObject* table : tables) {
        if (progress) {
            progress(table->name(), step++, steps);
        }
        if (!table->open()) {
            *error = table->lastError();
            return false;
        }
        table->close();
    }
    // Every allocated data field gets its (free) record, so that the pool is all on file.
    auto& fields = system.dataFields();
    if (progress) {
        progress(fields.name(), step++, steps);
    }
    if (!fields.open()) {
        *error = fields.lastError();
        return false;
    }
    const int allocated = system.masterfile_.allocatedFields();
    for (int number = fields.recordCount() + 1; number <= allocated; ++number) {
        fields.setRecord(number, DataFieldRecord{});
    }
    if (!fields.save()) {
        *error = fields.lastError();
        return false;
    }
    IniSettings ini(IniSettings::locationFor(dataFolder, systemNumber));
    ini.selectSection(QString(featuresSection));
    if (!ini.writeBoolean(QStringLiteral("MistakeTracking"), false)) {
        *error = ini.lastError();
        return false;
    }
    if (progress) {
        progress(QString(), steps, steps);
    }
    return true;
}

void ReferenceSystem::StatusFileInit(const QString& fileName, int count) {
    // The percentages that follow tell the progress through the count.
    Q_UNUSED(count);
    currentUi().statusText(fileName + QStringLiteral(" ..."));
}

void ReferenceSystem::StatusText(const QString& text) {
    currentUi().statusText(text);
}

void ReferenceSystem::StatusPercent(int percent) {
    currentUi().statusPercent(percent);
}

void ReferenceSystem::StatusDone() {
    currentUi().statusText(QString());
    currentUi().statusPercent(0);
}

void ReferenceSystem::ShowMessage(const QString& prompt, int style, const QString& caption) {
    MessageWithSound(prompt, style, caption.isEmpty() ? program_.title() : caption);
}

int ReferenceSystem::AskMessage(const QString& prompt, int style, const QString& caption) {
    return MessageWithSound(prompt, style, caption.isEmpty() ? program_.title() : caption);
}

SystemFeatures ReferenceSystem::features() const {
    IniSettings settings(settingsLocation());
    settings.selectSection(QString(featuresSection));
    const auto flag = [&settings](const char* key) {
        return SettingsObject::isTrue(settings.readValue(QLatin1String(key), QStringLiteral("0")));
    };
    SystemFeatures features;
    features.mistakeTracking = flag("MistakeTracking");
    features.performancePolicy = flag("PerformancePolicy");
    features.corporateSystem = flag("CorporateSystem");
    features.corporateSite = flag("CorporateSite");
    features.usesCorporateControl = flag("UsesCorporateControl");
    features.quality = flag("Quality");
    features.incentive = flag("Incentive");
    features.xyz = flag("XYZ");
    features.dataCollection = flag("DataCollection");
    features.costTracking = flag("CostTracking");
    features.languages =
        std::clamp(settings.readValue(QStringLiteral("Languages"), QStringLiteral("0")).toInt(), 0,
                   ElementRecord::Languages);
    settings.selectSection(QStringLiteral("Corporate"));
    features.corporateFolder = settings.readValue(QStringLiteral("Folder"), QString());
    return features;
}

QString ReferenceSystem::settingsLocation(const QString& subKey) const {
    Q_UNUSED(subKey);
    return IniSettings::locationFor(dataFolder_, systemNumber_);
}

int ReferenceSystem::maximumAllocations() const {
    const int chosen = settingValue(QStringLiteral("System"), QStringLiteral("MaxAllocations"),
                                    QStringLiteral("999"))
                           .toInt();
    return chosen == 9999 ? 9999 : 999;
}

int ReferenceSystem::maximumAssociatesAllowed() const {
    const int chosen = settingValue(QStringLiteral("System"), QStringLiteral("MaxAssociates"),
                                    QString::number(maximumAssociates))
                           .toInt();
    return chosen < 1 ? maximumAssociates : qMin(chosen, 99999);
}

int ReferenceSystem::maximumWorkCenters() const {
    const int chosen = settingValue(QStringLiteral("System"), QStringLiteral("MaxWorkCenters"),
                                    QStringLiteral("99"))
                           .toInt();
    return chosen >= 1 && chosen <= WorkCenterRecord::TypesOfWork ? chosen : 99;
}

bool ReferenceSystem::beginTableAccess(const QString& tableCode, bool forModification,
                                       bool offerChoice) {
    if (!forModification) {
        return true;  // viewing never locks anyone out
    }
    const qint64 byte = accessByte(tableCode);
    if (heldAccess_.contains(byte)) {
        return true;
    }
    if (offerChoice) {
        return accessLock_.couldLockExclusively(byte);
    }
    if (!accessLock_.lock(byte, true)) {
        return false;
    }
    heldAccess_.insert(byte);
    return true;
}

void ReferenceSystem::endTableAccess() {
    for (qint64 byte : std::as_const(heldAccess_)) {
        accessLock_.unlock(byte);
    }
    heldAccess_.clear();
}

bool ReferenceSystem::openDayFile() {
    return dayFile_->open();
}

std::vector<DayEntry> ReferenceSystem::dayEntries() {
    std::vector<DayEntry> entries;
    for (int number = 1; number <= dayFile_->recordCount(); ++number) {
        if (dayFile_->isActive(number)) {
            const DayFileRecord record = dayFile_->record(number);
            entries.push_back(
                {record.FileDate,
                 record.Date,
                 record.Times,
                 {double(record.Lines), double(record.Associates), record.Hours, record.Measured,
                  record.Earned, record.Units, record.Cost, record.Audited, record.Failed}});
        }
    }
    return entries;
}

void ReferenceSystem::closeDayFile() {
    dayFile_->close();
}

QString ReferenceSystem::shutdownMarkerPath() const {
    return AddSlash(dataFolder_) + QStringLiteral("velmor") + QString::number(systemNumber_) +
           QStringLiteral(".shutdown");
}

bool ReferenceSystem::shutdownPending() const {
    return QFileInfo::exists(shutdownMarkerPath());
}

void ReferenceSystem::logChange(const TableObject& table, const QString& recordCode,
                                const QString& action, const QString& changedSettings) {
    if (!changeLog_.append(table.name(), recordCode, action, changedSettings)) {
        errors().report(changeLog_.lastError() + QStringLiteral(" - ReferenceSystem:logChange"), 0,
                        false);
    }
}

bool ReferenceSystem::saveWithLog(TableObject& table, const std::vector<ChangeLogLine>& lines) {
    return saveWithLog(table, lines.size(), [&lines](size_t index) { return lines[index]; });
}

bool ReferenceSystem::saveWithLog(TableObject& table, size_t count,
                                  const std::function<ChangeLogLine(size_t index)>& line) {
    SaveUnit unit(changeLog_.operations());
    if (!table.save()) {
        return false;
    }
    if (count > 0 && !changeLog_.append(table.name(), count, line)) {
        unit.fail(changeLog_.lastError());
    }
    QString error;
    if (!unit.commit(&error)) {
        errors().report(error + QStringLiteral(" - ReferenceSystem:saveWithLog"), 0, false);
        table.reindex();  // the file was put back: read it again
        return false;
    }
    return true;
}

void ReferenceSystem::logChanges(const TableObject& table,
                                 const std::vector<ChangeLogLine>& lines) {
    if (!lines.empty() && !changeLog_.append(table.name(), lines)) {
        errors().report(changeLog_.lastError() + QStringLiteral(" - ReferenceSystem:logChanges"), 0,
                        false);
    }
}

QList<int> ReferenceSystem::earnedHoursMethodsAllowed(int activityNumber) {
    return rules_->earnedHoursMethodsAllowed(activityNumber);
}

int ReferenceSystem::allocationAccounts() {
    return masterfile_.allocationAccounts();
}

bool ReferenceSystem::addAllocationAccount(int number) {
    if (number < 1 || number > maximumAllocations()) {
        errors().report(QStringLiteral("Allocation account ") + QString::number(number) +
                            QStringLiteral(" is outside 1 to ") +
                            QString::number(maximumAllocations()) +
                            QStringLiteral(" - ReferenceSystem:addAllocationAccount"),
                        0, false);
        return false;
    }
    if (!masterfile_.addAllocationAccounts(number)) {
        errors().report(
            masterfile_.lastError() + QStringLiteral(" - ReferenceSystem:addAllocationAccount"), 0,
            false);
        return false;
    }
    return true;
}

}  // namespace vel

namespace vel {

void ReferenceSystem::standardDeviceSetup(TBPrint& printer) {
    printer.setOrientation(PrintOrientation::Portrait);
    printer.setTitle(masterfile_.titles().value(0));
}

void ReferenceSystem::standardPageHeader(TBPrint& printer) {
    const QString title = masterfile_.titles().value(0);
    printer.setAlignment(PrintAlignment::Left);
    printer.printLine(QStringLiteral("%1 - System %2")
                          .arg(title.isEmpty() ? QStringLiteral("Velmor") : title)
                          .arg(systemNumber_),
                      PrintBold);
    printer.printLine(QStringLiteral("Printed %1    Page %2")
                          .arg(now_().toString(QStringLiteral("yyyy/MM/dd hh:mm")))
                          .arg(printer.pageNumber()));
}

RecordedWork& ReferenceSystem::recordedWork() {
    return referenceRecordedWork();
}

ActivityDetailResult ReferenceSystem::writeActivityDetail(const QString& file,
                                                          const QString& outputType,
                                                          const QDate& from, const QDate& to,
                                                          bool nonZeroOnly) {
    return ActivityDetailWriter(*this, recordedWork())
        .write(file, outputType, from, to, nonZeroOnly);
}

ReferenceRecordedWork& ReferenceSystem::referenceRecordedWork() {
    if (!recordedWork_) {
        recordedWork_ = std::make_unique<ReferenceRecordedWork>(*this);
    }
    return *recordedWork_;
}

bool ReferenceSystem::allocationUsedWithActivity(int activityNumber, int allocationNumber) {
    return rules_->allocationUsedWithActivity(activityNumber, allocationNumber);
}

std::unique_ptr<NewSystemBuilder> ReferenceSystem::newSystemBuilder() {
    return std::make_unique<ReferenceNewSystem>(dataFolder_, systemNumber_, now_, newSystemOpened_);
}

bool ReferenceSystem::weekEndProcess(quintptr, bool interactive) {
    return WeekEndProcessing(*this).run(interactive);
}

bool ReferenceSystem::followUpWanted() {
    return WeekEndProcessing(*this).followUpWanted();
}

bool ReferenceSystem::runFollowUp(int mode, const QDate& date) {
    return WeekEndProcessing(*this).followUp(mode, date);
}

bool ReferenceSystem::writeCorporateControlData() {
    QString error;
    if (!writeCorporateControlFile(*this, &error)) {
        errors().report(error + QStringLiteral(" - ReferenceSystem:writeCorporateControlData"), 0,
                        false);
        return false;
    }
    return true;
}

ReportModule* ReferenceSystem::reportModule() {
    if (!reportModule_) {
        reportModule_ = std::make_unique<ReferenceReportModule>(*this, dataFolder_);
    }
    return reportModule_.get();
}

}  // namespace vel

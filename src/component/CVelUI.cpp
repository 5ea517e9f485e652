#include "component/CVelUI.h"

#include "component/EditorOperation.h"
#include "maintenance/UnattendedImports.h"
#include "data/Masterfile.h"
#include "data/NewSystemBuilder.h"
#include "maintenance/CorporateControlFiles.h"
#include "maintenance/NewSystemCreation.h"
#include "maintenance/StandardsMaintenance.h"
#include "maintenance/SystemClone.h"
#include "maintenance/WeekEndJob.h"
#include "maintenance/ActivityDetailExport.h"
#include "maintenance/AutomaticTableExport.h"
#include "maintenance/dlgExport.h"
#include "reports/dlgRepPrint.h"
#include "maintenance/TableExport.h"
#include "data/ProgramObject.h"
#include "platform/print/TBPrint.h"
#include "reports/frmEmployeeList.h"
#include "reports/frmEmployeeQual.h"
#include "data/VelmorSystem.h"
#include "editors/AssociateStores.h"
#include "maintenance/CorpAssocCheck.h"
#include "maintenance/SystemBackup.h"
#include "maintenance/SystemTransfer.h"
#include "services/Availability.h"
#include "services/ErrorReport.h"
#include "services/HelpTopics.h"
#include "services/MessageWithSound.h"
#include "services/RuntimeError.h"
#include "reports/frmEmployeeAccountability.h"
#include "reports/frmQuickReport.h"
#include "reports/DayInfoListing.h"

namespace vel {

namespace {

const QString loadingFiles = QStringLiteral("Loading files ...");

// Every operation reports its errors to the error reporter of the system it was given, and F1
// in its windows opens that system's help file.
class OperationScope {
public:
    explicit OperationScope(VelmorSystem& system)
        : reporter_(system.Program().errorReporter()), help_(system.Program().helpFile()) {}

private:
    ScopedErrorReporter reporter_;
    ScopedHelpFile help_;
};

// After an activity or type-of-work edit a corporate system re-creates its control files: when
// it has a corporate folder, does not itself take the control files, and a corporate flag is on.
bool corporateControlDue(VelmorSystem& system) {
    const SystemFeatures features = system.features();
    return !features.corporateFolder.isEmpty() && !features.usesCorporateControl &&
           (features.corporateSystem || features.corporateSite);
}

// The associate update import without windows, then the automatic export of the associate
// table; answers whether the import ran to its end (the public operations answer True).
bool importAssociatesAndExport(CVelUI& component, CVelUI::Handle hWnd, VelmorSystem& Velmor,
                               const QString& file, int rowsToSkip, int fieldsToSkip,
                               bool deleteNonImported) {
    const bool imported =
        importAssociatesUnattended(Velmor, file, rowsToSkip, fieldsToSkip, deleteNonImported,
                                   [&Velmor] { associateStores::rebuildDerivedStores(Velmor); });
    if (imported) {
        component.AutoExportTable(hWnd, Velmor, Velmor.associates());
    }
    return imported;
}

}  // namespace

// Hands the builder's events to the command object's handlers.
class CVelUI::NewSystemEventSink : public NewSystemEvents {
public:
    explicit NewSystemEventSink(CVelUI& owner) : owner_(owner) {}
    void StatFileInit(const QString& fileName, int count) override {
        owner_.mNewSystem_StatFileInit(fileName, count);
    }
    void StatActionInit(const QString& text) override { owner_.mNewSystem_StatActionInit(text); }
    void StatShowPerc(int percent) override { owner_.mNewSystem_StatShowPerc(percent); }
    void StatDone() override { owner_.mNewSystem_StatDone(); }

private:
    CVelUI& owner_;
};

CVelUI::CVelUI() = default;

CVelUI::~CVelUI() {
    dayInfoSystem_ = nullptr;
    mNewSystem_.reset();
    if (exportDialog_ && exportDialog_->isLoaded()) {
        exportDialog_->unload();
    }
    if (reportDialog_ && reportDialog_->isLoaded()) {
        reportDialog_->release();
    }
}

dlgRepPrint& CVelUI::reportDialog() {
    if (!reportDialog_) {
        reportDialog_ = std::make_unique<dlgRepPrint>();
    }
    return *reportDialog_;
}

dlgExport& CVelUI::exportDialog() {
    if (!exportDialog_) {
        exportDialog_ = std::make_unique<dlgExport>();
    }
    return *exportDialog_;
}

bool CVelUI::CreateNewSystem(Handle hWnd, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    return withNewSystemBuilder(Velmor, QStringLiteral(" - CreateNewSystem"),
                                [&](NewSystemBuilder& builder) {
                                    return createNewSystem(hWnd, Velmor, builder);
                                });
}

bool CVelUI::CloneSystem(Handle hWnd, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    return withNewSystemBuilder(Velmor, QStringLiteral(" - CloneSystem"),
                                [&](NewSystemBuilder& builder) {
                                    return cloneSystem(hWnd, Velmor, builder);
                                });
}

bool CVelUI::withNewSystemBuilder(VelmorSystem& Velmor, const QString& procedureSuffix,
                                  const std::function<bool(NewSystemBuilder&)>& job) {
    bool done = false;
    guarded(procedureSuffix, done, [&] {
        mNewSystem_ = Velmor.newSystemBuilder();
        newSystemStatus_ = &Velmor;
        NewSystemEventSink sink(*this);
        mNewSystem_->setEvents(&sink);
        done = job(*mNewSystem_);
    });
    mNewSystem_.reset();  // ends the builder's hold on the data folder
    newSystemStatus_ = nullptr;
    return done;
}

void CVelUI::mNewSystem_StatFileInit(const QString& fileName, int count) {
    newSystemStatus_->StatusFileInit(fileName, count);
}

void CVelUI::mNewSystem_StatActionInit(const QString& text) {
    newSystemStatus_->StatusText(text);
}

void CVelUI::mNewSystem_StatShowPerc(int percent) {
    newSystemStatus_->StatusPercent(percent);
}

void CVelUI::mNewSystem_StatDone() {
    newSystemStatus_->StatusDone();
}

void CVelUI::EditTitle(Handle hWnd, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    // The title is kept in the master file, not in the tables under corporate control, so the
    // title editor runs without the corporate control check and changes no table to export.
    runEditor({EditorKind::Title}, hWnd, Velmor);
}

bool CVelUI::WeekEndProcess(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    bool succeeded = false;
    guarded(QStringLiteral("-WeekEndProcess"), succeeded, [&] {
        Velmor.StatusText(loadingFiles);
        succeeded = Velmor.weekEndProcess(hwndOwner, commandLineFlag_ == eCMDMenu);
        afterWeekEnd(Velmor, succeeded);
    });
    return succeeded;
}

bool CVelUI::EditActivity(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    const EditorRun run = runEditor({EditorKind::Activity, true}, hwndOwner, Velmor);
    if (run.tableChanged) {
        AutoExportTable(hwndOwner, Velmor, Velmor.activities());
        if (corporateControlDue(Velmor)) {
            CreateCorporateControlEX(hwndOwner, Velmor, true);
        }
    }
    return false;
}

bool CVelUI::EditAssociate(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    EditorSteps steps{EditorKind::Associate};
    // Associates have no corporate control check; a newer corporate associate file is imported
    // in its place, whatever the import's result.
    steps.afterCheck = [&] { CheckCorpAssocImport(hwndOwner, Velmor); };
    const EditorRun run = runEditor(steps, hwndOwner, Velmor);
    if (run.tableChanged) {
        AutoExportTable(hwndOwner, Velmor, Velmor.associates());
        TableExport(Velmor).ExportCorporateAssociates();
    }
    return false;
}

bool CVelUI::EditWorkCenter(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    if (runEditor({EditorKind::WorkCenter}, hwndOwner, Velmor).tableChanged) {
        AutoExportTable(hwndOwner, Velmor, Velmor.workCenters());
    }
    return false;
}

bool CVelUI::EditAllocation(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    if (runEditor({EditorKind::Allocation}, hwndOwner, Velmor).tableChanged) {
        AutoExportTable(hwndOwner, Velmor, Velmor.allocations());
    }
    return false;
}

bool CVelUI::EditElement(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    if (runEditor({EditorKind::Element, true}, hwndOwner, Velmor).tableChanged) {
        AutoExportTable(hwndOwner, Velmor, Velmor.elements());
    }
    return false;
}

bool CVelUI::EditSettings(Handle hwndOwner, VelmorSystem& Velmor, short SettingType) {
    OperationScope scope(Velmor);
    EditorSteps steps{EditorKind::Settings, true, true, false, SettingType};
    // The type is checked after the corporate control check; an out-of-range type is the one
    // error that reaches the host.
    steps.afterCheck = [SettingType] {
        if (SettingType < _minsetting || SettingType > _maxsetting) {
            throw RuntimeError(5, QStringLiteral("Bad Setting Type"));
        }
    };
    runEditor(steps, hwndOwner, Velmor);
    return false;
}

bool CVelUI::EditTypeofWork(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    const EditorRun run = runEditor({EditorKind::TypeOfWork, true}, hwndOwner, Velmor);
    if (run.tableChanged) {
        AutoExportTable(hwndOwner, Velmor, Velmor.typesOfWork());
        if (corporateControlDue(Velmor)) {
            CreateCorporateControlEX(hwndOwner, Velmor, true);
        }
    }
    return run.forModification;
}

bool CVelUI::EditMistakes(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    const bool tracking = Velmor.features().mistakeTracking;
    if (tracking) {
        runEditor({EditorKind::Mistake, true}, hwndOwner, Velmor);
    }
    return tracking;
}

bool CVelUI::PrintAssocHist(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    Velmor.StatusText(loadingFiles);
    frmEmployeeList window;
    return window.PrintHist(hwndOwner, Velmor);
}

bool CVelUI::PrintAssocQual(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    Velmor.StatusText(loadingFiles);
    frmEmployeeQual window;
    return window.PrintQual(hwndOwner, Velmor);
}

bool CVelUI::PrintAssocAccountability(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    if (!Velmor.features().performancePolicy) {
        MessageWithSound(QStringLiteral("The PPA Module must be Active before this report can be printed"),
                         MB_OK | MB_ICONINFORMATION, Velmor.Program().title());
        return false;
    }
    Velmor.StatusText(loadingFiles);
    frmEmployeeAccountability window;
    return window.PrintReport(hwndOwner, Velmor);
}

bool CVelUI::PrintQuickReport(Handle hwndOwner, VelmorSystem& Velmor, Masterfile& masterfile,
                              short RepType, QDate& CurrentDate) {
    OperationScope scope(Velmor);
    Velmor.StatusText(QStringLiteral("Opening ") + masterfile.name());
    if (!masterfile.open()) {
        return false;
    }
    frmQuickReport window;
    if (prefill_.isSet()) {
        window.SetPrefillData(prefill_.DateRangeType, prefill_.DataLevel, prefill_.StartDate,
                              prefill_.LastDate, prefill_.NumSequences, prefill_.SeqType,
                              prefill_.SeqNum);
    }
    window.PrintReport(hwndOwner, Velmor, masterfile, RepType, CurrentDate);
    return true;
}

bool CVelUI::SetPrefillData(short DateRangeType, short DataLevel, const QDate& StartDate,
                            const QDate& LastDate, short NumSequences,
                            const std::vector<short>& SeqType, const std::vector<short>& SeqNum) {
    prefill_ = PrefillRecord{DateRangeType, DataLevel, StartDate, LastDate, NumSequences, {}, {}};
    if (NumSequences > 0) {
        prefill_.SeqType.assign(size_t(NumSequences) + 1, 0);
        prefill_.SeqNum.assign(size_t(NumSequences) + 1, 0);
        for (size_t index = 1; index <= size_t(NumSequences); ++index) {
            prefill_.SeqType[index] = index < SeqType.size() ? SeqType[index] : short(0);
            prefill_.SeqNum[index] = index < SeqNum.size() ? SeqNum[index] : short(0);
        }
    }
    return true;
}

bool CVelUI::PrintDayInfo(Handle, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    dayInfoSystem_ = &Velmor;
    guarded(QStringLiteral(" - PrintDayInfo"), [&] {
        if (!Velmor.openDayFile()) {
            MessageWithSound(QStringLiteral("Cannot List info because cannot Open the Day File"),
                             MB_OK | MB_ICONEXCLAMATION, Velmor.Program().title());
            return;
        }
        const std::vector<DayEntry> entries = Velmor.dayEntries();
        Velmor.closeDayFile();
        printDayInfo(entries);
    });
    dayInfoSystem_ = nullptr;
    return false;
}

void CVelUI::printDayInfo(const std::vector<DayEntry>& entries) {
    TBPrint printer;
    printer.onDeviceInit([this](TBPrint& p) {
        dayInfoSystem_->standardDeviceSetup(p);
        p.setOrientation(PrintOrientation::Landscape);
    });
    printer.onPrintInit([&entries](TBPrint& p) { fillDayInfoTable(p.table(), entries); });
    printer.onPrintHeader([this](TBPrint& p) {
        dayInfoSystem_->standardPageHeader(p);
        p.setAlignment(PrintAlignment::Centre);
        p.printLine(QStringLiteral("List of Day Info"), PrintBold);
        p.setAlignment(PrintAlignment::Left);
        p.printLine(QString());
    });
    printer.startJob();
    printer.printTable();
    PrintOutput* output = installedPrintOutput();
    if (!output) {
        MessageWithSound(QStringLiteral("There is no printer available for the list"),
                         MB_OK | MB_ICONEXCLAMATION, dayInfoSystem_->Program().title());
        return;
    }
    if (!printer.sendTo(*output)) {
        throw RuntimeError(482, printer.lastError());  // 482: printer error
    }
}

// The transfers take a fresh transfer object each time and return its answer unchanged.
bool CVelUI::ZipandHTTP(Handle hwndOwner, VelmorSystem& Velmor, short BackupType,
                        const QDate& Day) {
    OperationScope scope(Velmor);
    return SystemTransfer(Velmor).ZipandHTTP(hwndOwner, BackupType, Day, commandLineFlag_);
}

bool CVelUI::ZipandFTP(Handle hwndOwner, VelmorSystem& Velmor, short BackupType,
                       const QDate& Day) {
    OperationScope scope(Velmor);
    return SystemTransfer(Velmor).ZipandFTP(hwndOwner, BackupType, Day, commandLineFlag_);
}

bool CVelUI::DownloadUpdate(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    return SystemTransfer(Velmor).DownloadUpdate(hwndOwner);
}

QString CVelUI::DownloadComponent(Handle hwndOwner, VelmorSystem& Velmor,
                                  const QString& FTPFileName) {
    OperationScope scope(Velmor);
    return SystemTransfer(Velmor).DownloadComponent(hwndOwner, FTPFileName);
}

bool CVelUI::Backup(Handle hwndOwner, VelmorSystem& Velmor, short BackupType, const QDate& Day,
                    const QString& Filename) {
    OperationScope scope(Velmor);
    return SystemBackup(Velmor).Backup(hwndOwner, BackupType, Day, Filename);
}

bool CVelUI::CreateCorporateControl(Handle hWnd, VelmorSystem& Velmor) {
    return CreateCorporateControlEX(hWnd, Velmor, false);
}

bool CVelUI::CreateCorporateControlEX(Handle hWnd, VelmorSystem& Velmor, bool Silent) {
    OperationScope scope(Velmor);
    bool created = false;
    return guarded(QStringLiteral(" - CreateCorporateControlEX"), created, [&] {
        created = createCorporateControlFiles(hWnd, Velmor, Silent);
    });
}

bool CVelUI::ImportAssociates(Handle hWnd, VelmorSystem& Velmor, const QString& ImportFile) {
    return ImportAssociatesEX(hWnd, Velmor, ImportFile, 0, 0);
}

bool CVelUI::ImportAssociatesEX(Handle hWnd, VelmorSystem& Velmor, const QString& ImportFile,
                                short RowstoSkip, short FieldstoSkip) {
    return ImportAssociatesEX1(hWnd, Velmor, ImportFile, RowstoSkip, FieldstoSkip, false);
}

bool CVelUI::ImportAllocations(Handle hWnd, VelmorSystem& Velmor, const QString& ImportFile,
                               short RowstoSkip, short FieldstoSkip, bool AddtoActivities,
                               short SystemID, bool DeleteNonImported) {
    OperationScope scope(Velmor);
    const bool imported = importAllocationsUnattended(Velmor, ImportFile, RowstoSkip, FieldstoSkip,
                                                      AddtoActivities, SystemID, DeleteNonImported);
    if (imported) {
        AutoExportTable(hWnd, Velmor, Velmor.allocations());
    }
    return true;  // the host learns the outcome from the messages
}

bool CVelUI::ExportTables(Handle hWnd, VelmorSystem& Velmor, const QString& OutputType,
                          const QString& OutputFolder) {
    OperationScope scope(Velmor);
    return TableExport(Velmor).ExportTables(hWnd, OutputType, OutputFolder);
}

bool CVelUI::AutoExportTable(Handle, VelmorSystem& Velmor, TableObject& Obj) {
    OperationScope scope(Velmor);
    return AutomaticTableExport(Velmor).AutoExportTable(Obj);
}

bool CVelUI::ReindexStandards(Handle, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    guarded(QStringLiteral(" - ReindexStandards"), [&] { reindexStandards(Velmor); });
    return false;
}

bool CVelUI::ReBuildStandards(Handle, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    guarded(QStringLiteral(" - ReBuildStandards"), [&] { rebuildStandards(Velmor); });
    return false;
}

bool CVelUI::ExportActivityDetail(Handle hWnd, VelmorSystem& Velmor, Masterfile& masterfile,
                                  const QDate& CurrentDate) {
    OperationScope scope(Velmor);
    return ActivityDetailExport(Velmor, masterfile)
        .ExportActivityDetail(hWnd, CurrentDate, reportDialog(), exportDialog());
}

bool CVelUI::WriteActivityDetailData(Handle, VelmorSystem& Velmor, Masterfile& masterfile,
                                     const QString& ExpFileName, const QString& TransExt,
                                     const QDate& StartDate, const QDate& EndDate) {
    OperationScope scope(Velmor);
    return ActivityDetailExport(Velmor, masterfile)
        .WriteActivityDetailData(ExpFileName, TransExt, StartDate, EndDate);
}

bool CVelUI::CheckCorpAssocImport(Handle hwndOwner, VelmorSystem& Velmor) {
    OperationScope scope(Velmor);
    bool imported = false;
    guarded(QStringLiteral(" - CheckCorpAssocImport"), [&] {
        imported = CorpAssocCheck(Velmor, [&](const QString& file) {
                       return importAssociatesAndExport(*this, hwndOwner, Velmor, file, 0, 0, false);
                   }).run();
    });
    return imported;
}

bool CVelUI::ImportAssociatesEX1(Handle hWnd, VelmorSystem& Velmor, const QString& ImportFile,
                                 short RowstoSkip, short FieldstoSkip, bool DeleteNonImported) {
    OperationScope scope(Velmor);
    importAssociatesAndExport(*this, hWnd, Velmor, ImportFile, RowstoSkip, FieldstoSkip,
                              DeleteNonImported);
    return true;  // the host learns the outcome from the messages
}



}  // namespace vel

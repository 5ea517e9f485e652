#pragma once
// CVelUI: the command class the host calls, one operation at a time, with its window handle and
// its system object. Each operation opens its windows modally (or runs its job without windows),
// and returns its result; nothing but CommandLineFlag and the quick report's prefill survives
// from one operation to the next. Operations whose windows are not built yet say so to the user
// and return their fixed result.
#include "data/Enumerations.h"
#include "component/PrefillRecord.h"

#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vel {

struct DayEntry;
class Masterfile;
class NewSystemBuilder;
class TableObject;
class VelmorSystem;
class dlgExport;
class dlgRepPrint;

class CVelUI {
public:
    using Handle = quintptr;

    CVelUI();
    ~CVelUI();
    CVelUI(const CVelUI&) = delete;
    CVelUI& operator=(const CVelUI&) = delete;

    short CommandLineFlag() const { return commandLineFlag_; }
    void setCommandLineFlag(short flag) { commandLineFlag_ = flag; }

    bool CreateNewSystem(Handle hWnd, VelmorSystem& Velmor);
    bool CloneSystem(Handle hWnd, VelmorSystem& Velmor);
    void EditTitle(Handle hWnd, VelmorSystem& Velmor);
    bool WeekEndProcess(Handle hwndOwner, VelmorSystem& Velmor);
    bool EditActivity(Handle hwndOwner, VelmorSystem& Velmor);
    bool EditAssociate(Handle hwndOwner, VelmorSystem& Velmor);
    bool EditWorkCenter(Handle hwndOwner, VelmorSystem& Velmor);
    bool EditAllocation(Handle hwndOwner, VelmorSystem& Velmor);
    bool EditElement(Handle hwndOwner, VelmorSystem& Velmor);
    // Raises run-time error 5 "Bad Setting Type" for a setting type outside 0 to 12.
    bool EditSettings(Handle hwndOwner, VelmorSystem& Velmor, short SettingType);
    bool EditTypeofWork(Handle hwndOwner, VelmorSystem& Velmor);
    bool EditMistakes(Handle hwndOwner, VelmorSystem& Velmor);
    bool PrintAssocHist(Handle hwndOwner, VelmorSystem& Velmor);
    bool PrintAssocQual(Handle hwndOwner, VelmorSystem& Velmor);
    bool PrintAssocAccountability(Handle hwndOwner, VelmorSystem& Velmor);
    bool PrintQuickReport(Handle hwndOwner, VelmorSystem& Velmor, Masterfile& masterfile,
                          short RepType, QDate& CurrentDate);
    // The arrays are indexed from 1 to NumSequences, as the host passes them.
    bool SetPrefillData(short DateRangeType, short DataLevel, const QDate& StartDate,
                        const QDate& LastDate, short NumSequences,
                        const std::vector<short>& SeqType, const std::vector<short>& SeqNum);
    bool PrintDayInfo(Handle hwndOwner, VelmorSystem& Velmor);
    bool ZipandHTTP(Handle hwndOwner, VelmorSystem& Velmor, short BackupType = BackFull,
                    const QDate& Day = {});
    bool ZipandFTP(Handle hwndOwner, VelmorSystem& Velmor, short BackupType = BackFull,
                   const QDate& Day = {});
    bool DownloadUpdate(Handle hwndOwner, VelmorSystem& Velmor);
    QString DownloadComponent(Handle hwndOwner, VelmorSystem& Velmor, const QString& FTPFileName);
    bool Backup(Handle hwndOwner, VelmorSystem& Velmor, short BackupType = BackFull,
                const QDate& Day = {}, const QString& Filename = {});
    bool CreateCorporateControl(Handle hWnd, VelmorSystem& Velmor);
    bool CreateCorporateControlEX(Handle hWnd, VelmorSystem& Velmor, bool Silent = false);
    bool ImportAssociates(Handle hWnd, VelmorSystem& Velmor, const QString& ImportFile);
    bool ImportAssociatesEX(Handle hWnd, VelmorSystem& Velmor, const QString& ImportFile,
                            short RowstoSkip = 0, short FieldstoSkip = 0);
    bool ImportAllocations(Handle hWnd, VelmorSystem& Velmor, const QString& ImportFile,
                           short RowstoSkip = 0, short FieldstoSkip = 0,
                           bool AddtoActivities = false, short SystemID = 0,
                           bool DeleteNonImported = false);
    bool ExportTables(Handle hWnd, VelmorSystem& Velmor, const QString& OutputType = {},
                      const QString& OutputFolder = {});
    bool AutoExportTable(Handle hWnd, VelmorSystem& Velmor, TableObject& Obj);
    bool ReindexStandards(Handle hwndOwner, VelmorSystem& Velmor);
    bool ReBuildStandards(Handle hwndOwner, VelmorSystem& Velmor);
    bool ExportActivityDetail(Handle hWnd, VelmorSystem& Velmor, Masterfile& masterfile,
                              const QDate& CurrentDate);
    bool WriteActivityDetailData(Handle hWnd, VelmorSystem& Velmor, Masterfile& masterfile,
                                 const QString& ExpFileName, const QString& TransExt,
                                 const QDate& StartDate, const QDate& EndDate);
    bool CheckCorpAssocImport(Handle hwndOwner, VelmorSystem& Velmor);
    bool ImportAssociatesEX1(Handle hWnd, VelmorSystem& Velmor, const QString& ImportFile,
                             short RowstoSkip = 0, short FieldstoSkip = 0,
                             bool DeleteNonImported = false);

    const PrefillRecord& prefill() const { return prefill_; }

private:
    // The "List of Day Info" listing through a printer object whose device set-up and page
    // header come from the held system object.
    void printDayInfo(const std::vector<DayEntry>& entries);

    class NewSystemEventSink;
    // Runs a job on a new-system builder whose progress shows on the system's status display;
    // an error inside is reported with the suffix and the job's answer so far returned.
    bool withNewSystemBuilder(VelmorSystem& Velmor, const QString& procedureSuffix,
                              const std::function<bool(NewSystemBuilder&)>& job);
    // The new-system builder's progress, shown on the status display of the system the
    // operation was given.
    void mNewSystem_StatFileInit(const QString& fileName, int count);
    void mNewSystem_StatActionInit(const QString& text);
    void mNewSystem_StatShowPerc(int percent);
    void mNewSystem_StatDone();

    // The report dialog and the export options, created on first use and kept (with their
    // choices) until the command class ends.
    dlgRepPrint& reportDialog();
    dlgExport& exportDialog();

    short commandLineFlag_ = eCMDMenu;
    std::unique_ptr<dlgRepPrint> reportDialog_;
    std::unique_ptr<dlgExport> exportDialog_;
    PrefillRecord prefill_;
    VelmorSystem* dayInfoSystem_ = nullptr;  // held while the day-information listing prints
    // The builder of a system being created, and the system whose status display shows its
    // progress; held while CreateNewSystem runs.
    std::unique_ptr<NewSystemBuilder> mNewSystem_;
    VelmorSystem* newSystemStatus_ = nullptr;
};

}  // namespace vel

#pragma once
// The automatic export after a master table changed: the validation tables that depend on the
// changed table are written again, silently, as section "AutoExportTables" of the settings says:
// Folder (nothing is exported when it is empty), ExportType ("CSV"), BaseFilename ("VelExprt-",
// the prefix of every file name), Tables ("FWEALD8ST", the letters of the tables to keep
// exported), UseTempFolder (write into a temporary folder first, then copy the files) and
// RunAfterExporting (a command started after the export, without a shell; the export does not
// wait for it to end).
#include "maintenance/ValidationTables.h"

#include <QList>
#include <QString>

namespace vel {

class TableObject;
class VelmorSystem;

class AutomaticTableExport {
  public:
    explicit AutomaticTableExport(VelmorSystem& system) : system_(system) {}

    // Rewrites the tables that the change touches. False after a failure, which has been
    // reported with the caption "AutoExport Tables", or through the error report when the
    // command to run afterwards cannot be started.
    bool AutoExportTable(const TableObject& changed);

    // The letters of the tables that a change of the named table touches: "activity" FDS8,
    // "work center" WE, "associate" E, "allocation" AFS, "element" LF8S, "type of work" TF,
    // any other name FWEALDS8T.
    static QString lettersTouched(const QString& tableName);
    // The tables to write for a change, in the order W, E, A, T, F, L, D, 8, S: those the change
    // touches whose letters also stand in the "Tables" setting.
    static QList<ValidationTable> tablesToWrite(const QString& tableName,
                                                const QString& tablesSetting);

  private:
    static void runAfterExporting(const QString& commandLine, const QString& folder);
    void refuse(const QString& prompt);

    VelmorSystem& system_;
};

}  // namespace vel

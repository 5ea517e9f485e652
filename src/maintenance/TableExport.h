#pragma once
// The table export: the validation tables a person picks (or, when the caller names a type or a
// folder, all ten) written one file per table into a folder, and the corporate associate file
// that a corporate system publishes for its member systems.
//
// Settings, section "ExportTables": Folder, Basename (prefix of every file name), Type ("XLSX"
// when empty) and HeadersonText (a header line of column names in text types).
#include "maintenance/ValidationTables.h"

#include <QString>

namespace vel {

class VelmorSystem;

class TableExport {
  public:
    explicit TableExport(VelmorSystem& system) : system_(system) {}

    // Writes the chosen tables into the folder, stopping at the first table that fails (reported
    // with the table, the file name and the folder); then lists the files created. Without a
    // type and a folder the dialog dlgValTables asks for them first (Cancel: false). True when
    // every chosen table was written.
    bool ExportTables(quintptr owner, const QString& outputType, const QString& outputFolder);

    // A corporate system (a corporate folder set and the corporate-system flag on) writes its
    // associate table as "CORPASSOC.CSV" into the corporate folder, in the layout of the
    // associate import and without a header line. True when written or not due.
    bool ExportCorporateAssociates();

    // The suffix of a failure report: the procedure suffix and the lines "Table     : ",
    // "Filename  : " and "Folder    : " with their values.
    static QString failureSuffix(const ValidationTableInfo& table, const QString& tableName,
                                 const QString& fileName, const QString& folder);

  private:
    VelmorSystem& system_;
};

}  // namespace vel

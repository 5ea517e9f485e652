#pragma once
// Prints the accountability report through the printer object: landscape, fifteen columns, one
// line per associate and activity and the associate's "Total" line (only the total lines with
// "Only Summary Lines"), a "Total of All" line per group and the "TOTAL" line of the report.
// Each group starts on a new page; the page header carries the system's standard header, the
// date line, the ramp-up line, the group heading, the sort line and the column headings.
#include "platform/print/PrintTable.h"
#include "reports/AccountabilityLines.h"

#include <QStringList>

namespace vel {

class TBPrint;
class VelmorSystem;

class AccountabilityPrinter {
  public:
    AccountabilityPrinter(VelmorSystem& system, const AccountabilityReport& report,
                          bool summaryOnly);

    // Prints the whole report on the printer (the job is started here); false with the
    // printer's error when it could not.
    bool print(TBPrint& printer);

    // The fifteen column headings as one line each ("Associate Name" .. "Total Performance").
    static QStringList columnHeadings();
    // The cells of an associate's total line (what the report prints for it).
    static QStringList totalCells(const AccountabilityAssociate& associate);

    // The printer events.
    void Printer_DeviceInit(TBPrint& printer);
    void Printer_PrintInit(TBPrint& printer);
    void Printer_PrintHeader(TBPrint& printer);

  private:
    bool printGroup(TBPrint& printer, const AccountabilityGroup& group);

    VelmorSystem& system_;
    const AccountabilityReport& report_;
    bool summaryOnly_;
    QString groupHeading_;
    std::vector<PrintTable::Column> columns_;
};

}  // namespace vel

#pragma once
// The list of an associate report: its column headings at the top of every page, then each
// block under its heading (kept with its first lines and repeated with "(continued)" on the
// pages the block runs on to), one line per associate, the block's total line in bold, and,
// when there are several blocks, the total of them all ("All Work Centers").
#include "platform/print/PrintTable.h"
#include "reports/ReportBlocks.h"

#include <functional>
#include <vector>

namespace vel {

class ReportPrinter;
class TBPrint;

struct ReportListLayout {
    std::vector<PrintTable::Column> columns;
    std::vector<QStringList> headings;
    std::function<QStringList(const AssociateHistory&)> line;
    std::function<QStringList(const QString& label, const WorkFigures& total)> total;
};

bool printReportList(TBPrint& printer, ReportPrinter& report,
                     const std::vector<ReportBlock>& blocks, HistoryKind history,
                     const ReportListLayout& layout);

}  // namespace vel

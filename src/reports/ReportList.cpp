#include "reports/ReportList.h"

#include "platform/print/TBPrint.h"
#include "reports/ReportGrouping.h"
#include "reports/ReportPrinter.h"

namespace vel {

bool printReportList(TBPrint& printer, ReportPrinter& report,
                     const std::vector<ReportBlock>& blocks, HistoryKind history,
                     const ReportListLayout& layout) {
    report.setColumnHeadings(layout.columns, layout.headings);
    bool printed = printer.isPrinting() || printer.startJob();
    const int lineHeight = printer.document().setup().lineHeight();
    WorkFigures everyone;
    for (const ReportBlock& block : blocks) {
        if (printed && printer.remainingHeight() < 3 * lineHeight) {
            printed = printer.newPage();
        }
        printed = printed && printer.printLine(block.heading, PrintBold);
        report.setContinuation(block.heading + QStringLiteral(" (continued)"));
        for (const AssociateHistory* associate : block.associates) {
            printed = printed && printer.printRow(layout.line(*associate), layout.columns);
        }
        const WorkFigures total = blockTotal(block, history);
        everyone += total;
        printed = printed && printer.printRow(layout.total(QStringLiteral("Total"), total),
                                              layout.columns, PrintBold);
        report.setContinuation(QString());
        printed = printed && printer.printLine(QString());
    }
    if (blocks.size() > 1) {
        printed = printed && printer.printRow(layout.total(allWorkCentersText(), everyone),
                                              layout.columns, PrintBold);
    }
    return printed;
}

}  // namespace vel

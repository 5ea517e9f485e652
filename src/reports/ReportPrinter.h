#pragma once
// The printer events of a report window and its way out to the person. DeviceInit hands the
// printer to the system's standard device set-up, names the job after the report's title and
// applies the report's own page choices;
// PrintInit starts the job; PrintHeader prints, at the top of every page, the system's standard
// page header, then the report's heading (centred: the title in bold, the subtitles, the date line
// emphasised, the sort line), a blank line, and the column headings of the part of the report
// being printed (a list, a histogram, a chart) so that every page can be read on its own.
//
//     ReportPrinter report(system, printer);
//     report.setHeading({title, {subtitle}, throughText(ending), sortLine});
//     report.setColumnHeadings(columns, {{"Associate", "Perfor"}, {"Name", "mance"}});
//     printer.startJob();  ... print rows ...
//     report.send(PrintDestination::Preview);
#include "platform/print/PageSetup.h"
#include "platform/print/PrintOutput.h"
#include "platform/print/PrintTable.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace vel {

class DrawingSurface;
class TBPrint;
class VelmorSystem;

struct ReportHeading {
    QString title;          // centred, bold
    QStringList subtitles;  // centred, plain: what the report covers, the minimum clause
    QString dateLine;       // centred, emphasised: "Through " and the ending date
    QString sortLine;       // centred, plain: "Sorted by ..."; empty: none
};

class ReportPrinter {
  public:
    // Installs the event handlers on the printer; both must outlive this object's use.
    ReportPrinter(VelmorSystem& system, TBPrint& printer);

    // The report's own page choices, applied after the system's standard set-up.
    void setPageChoices(std::function<void(PageSetup&)> choices) { choices_ = std::move(choices); }
    void setHeading(const ReportHeading& heading) { heading_ = heading; }
    const ReportHeading& heading() const { return heading_; }
    // Column heading lines printed in bold under the heading at the top of every page from now
    // on (printColumnHeadings prints them where the report stands); no lines: none.
    void setColumnHeadings(const std::vector<PrintTable::Column>& columns,
                           const std::vector<QStringList>& lines);
    // A line printed (bold) under the column headings of every further page while it is set,
    // such as the group heading of a block that runs on; empty: none.
    void setContinuation(const QString& text) { continuation_ = text; }
    // Prints the column headings now (the first part of a new section on the current page).
    bool printColumnHeadings();
    // Lines that open a section of the report (a chart's page), printed under the report
    // heading and before the column headings on every page while they are set.
    struct SectionLine {
        QString text;
        PrintAlignment alignment = PrintAlignment::Left;
    };
    void setSectionLines(const std::vector<SectionLine>& lines) { sectionLines_ = lines; }
    // Draws on the overlay of the last column-heading line wherever it prints (a chart's
    // scale); empty: nothing.
    void setHeadingDrawing(std::function<void(DrawingSurface&)> draw) {
        headingDrawing_ = std::move(draw);
    }
    // Section lines and column headings together, where the report stands.
    bool printSectionHeading();

    // The events.
    void Printer_DeviceInit(TBPrint& printer);
    void Printer_PrintInit(TBPrint& printer);
    void Printer_PrintHeader(TBPrint& printer);

    // Hands the finished job to the installed output, as a preview or to be printed. False with
    // a message to the person when there is no output or it failed; the error text is kept.
    bool send(PrintDestination destination);
    const QString& lastError() const { return lastError_; }

  private:
    VelmorSystem& system_;
    TBPrint& printer_;
    std::function<void(PageSetup&)> choices_;
    ReportHeading heading_;
    std::vector<PrintTable::Column> columns_;
    std::vector<QStringList> headingLines_;
    std::vector<SectionLine> sectionLines_;
    std::function<void(DrawingSurface&)> headingDrawing_;
    QString continuation_;
    QString lastError_;
};

}  // namespace vel

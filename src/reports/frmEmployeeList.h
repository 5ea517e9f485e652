#pragma once
// frmEmployeeList: "Print Associate Production Analysis Report". The options of the associate
// production analysis on four tabs (report and work, history and minimum, grouping and sort,
// charts) and the buttons SaveButtons1: 0 "&Close", 1 "&Print", 2 "&View". "&View" runs the report
// to the preview and "&Print" to the printer; the window stays open for another run until
// "&Close". The work centers' figures are read only for the bar chart's average line.
#include "reports/AssociateReportWindow.h"
#include "reports/ProductionReport.h"

namespace vel {

class ComboBox;
class NumberBox;

class frmEmployeeList : public AssociateReportWindow {
  public:
    frmEmployeeList();

    // Shows the options window until "&Close"; true when a report was printed or previewed.
    bool PrintHist(quintptr hwndOwner, VelmorSystem& Velmor) {
        return showOptions(hwndOwner, Velmor, QStringLiteral("PrintHist"));
    }
    // The options as the window shows them.
    ProductionOptions options() const;

  protected:
    void Form_Load() override;
    bool checkOptions(RunChoices& choices) override;
    void choosePage(PageSetup& setup) const override;
    bool printReport(TBPrint& printer, ReportPrinter& report,
                     const ReportFigures& figures) override;

  private:
    void declareReportPage(Container& page);
    void declareHistoryPage(Container& page);
    void declareGroupingPage(Container& page);
    void declareChartsPage(Container& page);
    void fillWorkItems();
    void enableChartLines();

    ComboBox* cmbActivity_;
    NumberBox* minimumHours_;
};

}  // namespace vel

#pragma once
// frmEmployeeQual: "Print Associate Quality Analysis Report". The options of the associate quality
// analysis (history, type of work, the two minima, grouping, sort key, charts) and the buttons
// SaveButtons1: 0 "&Close", 1 "&Print", 2 "&View". Each run reads the histogram classes of the
// "Quality" settings afresh and prints on landscape pages in a small font, so that the sixteen
// columns fit across.
#include "reports/AssociateReportWindow.h"
#include "reports/QualityReport.h"

namespace vel {

class ComboBox;

class frmEmployeeQual : public AssociateReportWindow {
  public:
    frmEmployeeQual();

    // Shows the options window until "&Close"; true when a report was printed or previewed.
    bool PrintQual(quintptr hwndOwner, VelmorSystem& Velmor) {
        return showOptions(hwndOwner, Velmor, QStringLiteral("PrintQual"));
    }
    // The options as the window shows them (the histogram classes as last read).
    QualityOptions options() const;

  protected:
    void Form_Load() override;
    bool checkOptions(RunChoices& choices) override;
    void choosePage(PageSetup& setup) const override;
    bool printReport(TBPrint& printer, ReportPrinter& report,
                     const ReportFigures& figures) override;

  private:
    void fillTypesOfWork();

    ComboBox* cmbActivity_;
    QualityHistogramSettings classes_;
};

}  // namespace vel

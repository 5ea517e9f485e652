#pragma once
// What the two associate analysis windows (production, quality) share: the entry that shows the
// options window until "&Close" with the activity and type-of-work tables open for the window's
// lists, and a run of the report for "&View" (the preview) or "&Print" (the printer): open the
// tables ("Opening tables and databases"), read the associates' figures over both histories
// ("Calculating Associate History", CalcHistory) and, when the report needs them, the work
// centers' ("Calculating Work Center History", CalcWCHistory), then print through the report's
// printer events and hand the job to the output. An error while reading is reported with the
// procedure's suffix (" - frmEmployeeList:CalcHistory") and the run stops.
#include "platform/print/PrintOutput.h"
#include "reports/AssociateHistory.h"
#include "ui/Form.h"

namespace vel {

class ReportPrinter;
class TBPrint;
class VelmorSystem;
struct PageSetup;

class AssociateReportWindow : public Form {
  public:
    using Form::Form;

  protected:
    // Shows the window until "&Close"; true when a report was printed or previewed.
    bool showOptions(quintptr hwndOwner, VelmorSystem& system, const QString& entry);
    // One run of the report to the destination.
    void run(PrintDestination destination);
    // The row of SaveButtons1: 0 "&Close" (hides the window), 1 "&Print", 2 "&View" (default).
    void declareRunButtons();
    int message(const QString& text, int style);
    VelmorSystem* system() const { return system_; }

    // The report's part of a run.
    struct RunChoices {
        WorkSelection selection;
        bool workCenters = false;  // read the work centers' figures too
        int tableMessageIcon = 0;  // the icon of "Cannot open the ... table."
        QString preparing;         // a status text before the tables open; empty: none
    };
    // Checks the options (a message and false when one is missing) and answers the choices.
    virtual bool checkOptions(RunChoices& choices) = 0;
    virtual void choosePage(PageSetup& setup) const = 0;
    virtual bool printReport(TBPrint& printer, ReportPrinter& report,
                             const ReportFigures& figures) = 0;

  private:
    bool readFigures(const RunChoices& choices, ReportFigures& figures);

    VelmorSystem* system_ = nullptr;
    bool sent_ = false;
};

}  // namespace vel

#pragma once
// frmPeriod ("Fiscal Periods"): the wizard that defines how a system's fiscal year is split into
// periods, and writes that calendar to the system's master file.
//
// Pages, one frame shown at a time:
//   fraCalendarType "Fiscal Calendar Type:"  optFiscal(1)..optFiscal(5), one per calendar type;
//                   the stored type is chosen when the window opens.
//   fraWeeksInYear  "Weeks in Year:"  (types 1 to 3) the number of periods and one row per
//                   period with its name and weeks; see PeriodRows for the rows and VScroll1.
//   fraFirstMonth   "First Month:"    (types 4 and 5) Combo1, the month names, and
//                   lblMonthYearStart, the first day of the fiscal year that month gives.
//   fraSummary      "Summary:"        lblType, lblFirstPeriod, lblYearStart and lvPeriods, the
//                   periods with their names and lengths.
// The wizard buttons Command1(0..3) (WizardButtons.h); "Next >" reads "Finished" on the summary.
//
// Periods the person leaves without a name are called "Period " + their number. The weeks of
// the week-based types must add up to 52 and every period needs at least one week. Messages
// are shown with the program's title as caption.
#include "data/Masterfile.h"
#include "ui/Form.h"

#include <array>
#include <memory>

namespace vel {

class ComboBox;
class Frame;
class Label;
class ListView;
class OptionButton;
class PeriodRows;
class WizardButtons;

class frmPeriod : public Form {
  public:
    // The help topic of the window.
    static constexpr int HelpContext = 4100;

    frmPeriod();
    ~frmPeriod() override;

    // Shows the wizard modally over the owner window, starting from the calendar the master
    // file holds. True only when the person finished it and the calendar and its change-log
    // entry were written; Cancel or closing the window writes nothing and answers false.
    bool Edit(quintptr ownerHandle, Masterfile& masterfile);

  private:
    enum Page { TypePage, WeeksPage, MonthPage, SummaryPage };

    void start();
    void showPage(Page page);
    void next();
    void back();
    bool weeksAccepted();
    std::vector<FiscalPeriod> weekRows(int type) const;
    int chosenType() const;
    int chosenFirstMonth() const;
    FiscalCalendar chosenCalendar() const;
    void showYearStart();
    void showSummary();
    void finish();

    Masterfile* masterfile_ = nullptr;
    FiscalCalendar stored_;
    QDate systemStart_;
    Page page_ = TypePage;
    bool written_ = false;

    std::array<Frame*, 4> pages_{};
    std::array<OptionButton*, 5> types_{};
    std::unique_ptr<PeriodRows> rows_;
    ComboBox* firstMonth_ = nullptr;
    Label* monthYearStart_ = nullptr;
    Label* summaryType_ = nullptr;
    Label* summaryFirst_ = nullptr;
    Label* summaryYearStart_ = nullptr;
    ListView* summaryPeriods_ = nullptr;
    std::unique_ptr<WizardButtons> buttons_;
};

}  // namespace vel

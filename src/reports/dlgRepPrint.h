#pragma once
// dlgRepPrint ("Print a Report"): the wizard that asks a report (or an export) which stretch of
// time to cover, what to compare it with, how to print it and which print sequences to print.
// It reads and writes its choices on the report through ReportOwner. The command class keeps
// one instance for its whole life, so the choices stay from one show to the next.
//
// Pages, one frame at a time, in this order (pages that do not apply are skipped):
//   fraLength   "Length of Report:"  optLength(1..8); frmYears with cmbYear(0) "&This Year:"
//               and cmbYear(1) "&Last Year:" when the report UsesLastYear.
//   fraDates    "Dates:"  fraDate(0) "Range &Beginning:" with Calendar(0) and lblDate(0) (custom
//               ranges only), fraDate(1) with Calendar(1) and lblDate(1) (captioned by the
//               length), fraUnit with optUnit(1..3) (custom ranges only) and lblDescription,
//               the heading the range will print under.
//   fraOptions  "Print Options:"  OptStyle(1..4) under "Time Series:" and "Account Summary:",
//               FrmTranspose with btnTranspose(0..1), chkNoData, chkNewPage (reports of a type
//               below 9).
//   frmCompare  "Compare:"  cmbCompareType, cmbCompareRange (see compareApplies()).
//   fraSequence "Print Sequences:"  PrintSequence (the host's sequences of the report's account
//               level) and cmbSortColumn (reports of a type below 9).
// The wizard buttons Command1(0..3); on the last page "Next >" reads the caller's action.
//
// Decisions: the transposition frame shows for report types 1 and 2 with a time-series style;
// the number given to the show routine is the help topic of the window (11000 for the export);
// Timer1 ends a wizard left untouched for IdleMinutes as if the person had cancelled it, so that
// an unattended workstation does not hold a report open.
#include "reports/ReportSpan.h"
#include "ui/Form.h"

#include <QDateTime>
#include <array>
#include <functional>
#include <memory>

namespace vel {

class CheckBox;
class ComboBox;
class DateBox;
class FiscalCalendarObject;
class Frame;
class Label;
class ListSelect;
class Masterfile;
class OptionButton;
class ReportOwner;
class WizardButtons;

class dlgRepPrint : public Form {
  public:
    // Compare types (item data of cmbCompareType).
    enum CompareTypes { UpToTheRange = 1, ThroughTheRange = 2, EntireCompareRange = 3 };
    static constexpr int IdleMinutes = 30;

    dlgRepPrint();
    ~dlgRepPrint() override;

    // The dialog's caption for a caller: the title, " - ", the system's trimmed title and
    // " Tallybook"; the title alone when the system has none.
    static QString captionFor(const QString& title, const Masterfile& masterfile);

    // Shows the wizard for the report, captioned as given, the last page's button reading the
    // action; helpContext is the Help button's topic (0: the dialog's own page). Answers the
    // chosen length code, or 0 when the person cancelled. With the report's
    // CommandLinePrinting nothing is shown: the kept choices are written back and their length
    // answered.
    int Show(quintptr ownerHandle, ReportOwner& report, const QString& caption,
             const QString& action, int helpContext);

    bool Cancelled() const { return cancelled_; }
    int AllowSameLevel() const { return allowSameLevel_; }
    void setAllowSameLevel(int allow) { allowSameLevel_ = allow; }
    QDate CurrentDate() const { return choice_.ending; }
    // Sets the ending date and both calendars to the date.
    void setCurrentDate(const QDate& date);
    int CompareType() const;
    int CompareRange() const;
    // 1: the chosen length's caption without "&"; else the compare range's text, with
    // " up to this " or " through this " and the length's caption by the compare type.
    QString CompareRangeText(int which) const;

    // The choice and what it covers: while the wizard shows, as chosen now; afterwards as the
    // last show that was not cancelled finished with.
    int ReportLength() const { return choice_.length; }
    QDate RangeStart() const { return range().first; }
    QDate RangeEnd() const { return range().last; }
    QString RangeDescription() const { return range().description; }
    QString ColumnHeading() const { return range().heading; }
    // The fiscal years chosen as this year and last year (UsesLastYear reports); 0 for none.
    int ThisYear() const;
    int LastYear() const;

    // Unloads the window for good (the command class's end); hidden, it stays loaded.
    void release();

    // The clock the idle time-out reads (tests set their own).
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

  private:
    struct ChosenRange {
        QDate first;
        QDate last;
        QString description;
        QString heading;
    };
    ChosenRange range() const;

    enum Page { LengthPage, DatesPage, OptionsPage, ComparePage, SequencePage, PageCount };

    void buildLengthPage();
    void buildDatesPage();
    void buildOptionsPage();
    void buildComparePage();
    void buildSequencePage();

    void start(ReportOwner& report, const QString& action, int helpContext);
    void readOwner();
    void fillYears();
    void loadSequences();
    void writeBack();
    bool pageApplies(Page page) const;
    bool compareApplies() const;
    bool transposeApplies() const;
    void showPage(Page page);
    Page lastPage() const;
    void next();
    void back();
    void cancel();
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override;
    void lengthChosen();
    void refillCompareRanges();
    void refreshDates();
    void chosenYearChanged();
    void sequencesTicked();
    void userActed();
    void idleCheck();
    int periodsInYear() const;

    ReportOwner* report_ = nullptr;
    std::unique_ptr<FiscalCalendarObject> calendar_;
    QString action_;
    int helpContext_ = 0;
    Page page_ = LengthPage;
    bool cancelled_ = false;
    int allowSameLevel_ = 0;
    RangeChoice choice_;
    ChosenRange finished_;
    int compareType_ = ThroughTheRange;
    int compareRange_ = 0;
    QDateTime lastAction_;
    std::function<QDateTime()> clock_;
    bool preparing_ = false;  // the dialog sets its controls; no choice is being made
    bool releasing_ = false;

    std::array<Frame*, PageCount> pages_{};
    Label* reportLine_ = nullptr;
    std::array<OptionButton*, LastReportLength + 1> lengths_{};
    Frame* years_ = nullptr;
    std::array<ComboBox*, 2> yearBoxes_{};
    std::array<Frame*, 2> dateFrames_{};
    std::array<DateBox*, 2> calendars_{};
    std::array<Label*, 2> dateTexts_{};
    Frame* unitFrame_ = nullptr;
    std::array<OptionButton*, 4> units_{};
    Label* description_ = nullptr;
    std::array<OptionButton*, 5> styles_{};
    Frame* transposeFrame_ = nullptr;
    std::array<OptionButton*, 2> transpose_{};
    CheckBox* noData_ = nullptr;
    CheckBox* newPage_ = nullptr;
    ComboBox* compareTypeBox_ = nullptr;
    ComboBox* compareRangeBox_ = nullptr;
    ListSelect* sequences_ = nullptr;
    ComboBox* sortColumn_ = nullptr;
    std::unique_ptr<WizardButtons> buttons_;
};

}  // namespace vel

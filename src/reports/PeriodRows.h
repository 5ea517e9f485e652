#pragma once
// PeriodRows: the rows of the "Weeks in Year:" page of the fiscal-periods wizard, one per
// period with its name and its number of weeks, and the box for the number of periods.
//
// Controls: txtPeriods "Number of &Periods:" (digits, up to 52), the frames fraNames
// "Period Names" with PeriodName(0..12) and fraWeeks "Weeks" with Weeks(0..12) side by side,
// VScroll1 "&Show from Period:" and lblTotal ("Total Weeks: 52").
//
// The form model has no scroll bar, so VScroll1 is a number box holding the number of the
// period shown in the first of the 13 rows (1 to the number of periods less 12; disabled while
// every period fits). The rows are a window onto the list of periods: row r edits period
// VScroll1 + r, and each row's caption names its period ("Period 14:"). Rows past the last
// period are hidden.
#include "data/Masterfile.h"

#include <array>
#include <vector>

namespace vel {

class Container;
class Label;
class NumberBox;
class TextBox;

class PeriodRows {
  public:
    static constexpr int VisibleRows = 13;
    static constexpr int MostPeriods = 52;

    // Declares the page's controls in the container.
    explicit PeriodRows(Container& page);
    PeriodRows(const PeriodRows&) = delete;
    PeriodRows& operator=(const PeriodRows&) = delete;

    // Shows the periods from the first one on; the rows count as not edited afterwards.
    void setPeriods(std::vector<FiscalPeriod> periods);
    // The periods as the rows hold them (names as typed, lengths in weeks; 0 when empty).
    std::vector<FiscalPeriod> periods() const;
    // True once the person changed the number of periods or a row.
    bool edited() const { return edited_; }
    // The number typed in txtPeriods (0 when empty); the rows hold at most MostPeriods.
    int enteredCount() const;

    // Puts the focus on the number of periods, or on the weeks of a period (1-based), scrolling
    // the rows so that it shows.
    void focusCount();
    void focusWeeks(int number);

  private:
    void countChanged();
    void nameChanged(int row);
    void weeksChanged(int row);
    void scrolled();
    void showRows();
    void showTotal();

    TextBox* countBox_ = nullptr;
    std::array<TextBox*, VisibleRows> names_{};
    std::array<TextBox*, VisibleRows> weeks_{};
    NumberBox* scroll_ = nullptr;
    Label* total_ = nullptr;
    // Every row filled so far, also those past the number of periods, so that typing a new
    // number key by key loses no row.
    std::vector<FiscalPeriod> periods_;
    int count_ = 0;         // the number of periods in use
    int first_ = 0;         // the index of the period in the first row
    bool filling_ = false;  // the code, not the person, is changing the boxes
    bool edited_ = false;
};

}  // namespace vel

#pragma once
// The classes of a report histogram of percentages: a first class below the base, `slots`
// classes of equal width w = (top - base) / slots from the base to the top, and a last class from
// the top up; slots + 2 rows. Row 0 has no lower limit and ends at base - w/10; row k (1 to
// slots) runs from base + (k - 1)w to base + kw - w/10; the last row starts at the top and has
// no upper limit. With base 98, top 100 and 20 slots the rows end at 97.99, then run 98.00 to
// 98.09, ..., and the last starts at 100.00.
#include <optional>
#include <vector>

namespace vel {

class HistogramClasses {
  public:
    // Settings that make no classes (slots below 1, a top not above the base) give one class
    // between base and base + 1.
    HistogramClasses(double base, double top, int slots);

    double base() const { return base_; }
    double top() const { return top_; }
    int slots() const { return slots_; }
    double width() const { return (top_ - base_) / slots_; }
    int rowCount() const { return slots_ + 2; }

    // The limits of a row; none for the first row's lower and the last row's upper limit.
    std::optional<double> from(int row) const;
    std::optional<double> to(int row) const;

    // The row a value (a percentage) falls in.
    int rowOf(double value) const;
    // How many of the values fall in each row.
    std::vector<int> counts(const std::vector<double>& values) const;

  private:
    double base_;
    double top_;
    int slots_;
};

}  // namespace vel

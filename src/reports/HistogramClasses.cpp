#include "reports/HistogramClasses.h"

#include <algorithm>
#include <cmath>

namespace vel {

namespace {
// Values computed from the limits carry binary rounding: 98.1 - 98 is not quite 0.1.
constexpr double tolerance = 1e-9;
}  // namespace

HistogramClasses::HistogramClasses(double base, double top, int slots)
    : base_(base), top_(top), slots_(slots) {
    if (slots_ < 1 || !(top_ > base_)) {
        top_ = base_ + 1;
        slots_ = 1;
    }
}

std::optional<double> HistogramClasses::from(int row) const {
    if (row <= 0 || row > slots_ + 1) {
        return std::nullopt;
    }
    return row == slots_ + 1 ? top_ : base_ + (row - 1) * width();
}

std::optional<double> HistogramClasses::to(int row) const {
    if (row < 0 || row > slots_) {
        return std::nullopt;
    }
    return base_ + row * width() - width() / 10;
}

int HistogramClasses::rowOf(double value) const {
    if (value < base_ - tolerance) {
        return 0;
    }
    if (value >= top_ - tolerance) {
        return slots_ + 1;
    }
    const int slot = int(std::floor((value - base_) / width() + tolerance));
    return std::clamp(slot + 1, 1, slots_);
}

std::vector<int> HistogramClasses::counts(const std::vector<double>& values) const {
    std::vector<int> rows(size_t(rowCount()), 0);
    for (double value : values) {
        ++rows[size_t(rowOf(value))];
    }
    return rows;
}

}  // namespace vel

#pragma once
// Number box: a number within limits, shown with a fixed number of decimals. Raises Change.
#include "ui/Control.h"

namespace vel {

class NumberBox : public ControlOf<NumberBox> {
public:
    NumberBox(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::NumberBox, name, index, caption) {}

    double value() const { return value_; }
    void setValue(double value);  // kept within the limits

    NumberBox& range(double minimum, double maximum);
    NumberBox& decimals(int places) { decimals_ = places; return *this; }
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    int decimals() const { return decimals_; }

    QString valueText() const override;
    // Takes a number typed as text; refuses what is not a number or lies outside the limits.
    bool userSetValue(const QString& value) override;

private:
    double value_ = 0;
    double minimum_ = -1e12;
    double maximum_ = 1e12;
    int decimals_ = 0;
};

}  // namespace vel

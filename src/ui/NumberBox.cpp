#include "ui/NumberBox.h"

#include <algorithm>
#include <cmath>

namespace vel {

void NumberBox::setValue(double value) {
    value = std::clamp(value, minimum_, maximum_);
    const double scale = std::pow(10.0, decimals_);
    value = std::round(value * scale) / scale;
    if (value == value_) {
        return;
    }
    value_ = value;
    notifyChanged();
    raiseChange();
}

NumberBox& NumberBox::range(double minimum, double maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    value_ = std::clamp(value_, minimum_, maximum_);
    return *this;
}

QString NumberBox::valueText() const {
    return QString::number(value_, 'f', decimals_);
}

bool NumberBox::userSetValue(const QString& value) {
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    if (!editable() || !ok || number < minimum_ || number > maximum_) {
        return false;
    }
    setValue(number);
    return true;
}

}  // namespace vel

#include "ui/qt/NumberBoxBinding.h"

#include "ui/NumberBox.h"

#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QStyle>
#include <algorithm>
#include <climits>
#include <cmath>

namespace vel {

namespace {
// Digits a number box is sized for: its widest limit, at most twelve.
int widestDigits(const NumberBox& box) {
    const double widest = std::max(std::abs(box.minimum()), std::abs(box.maximum()));
    const int digits = widest < 1 ? 1 : int(std::floor(std::log10(widest))) + 1;
    return std::min(digits, 12) + (box.decimals() > 0 ? box.decimals() + 1 : 0) +
           (box.minimum() < 0 ? 1 : 0);
}

void sizeSpinBox(QAbstractSpinBox* spin, int characters) {
    const int text = spin->fontMetrics().horizontalAdvance(QString(characters, u'0'));
    spin->setMinimumWidth(text + spin->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 2 +
                          spin->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12);
    spin->setMaximumWidth(spin->minimumWidth() + spin->fontMetrics().averageCharWidth() * 4);
    spin->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    spin->setKeyboardTracking(false);
    spin->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}
}  // namespace

NumberBoxBinding::NumberBoxBinding(NumberBox& box, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(box, renderer), box_(box) {
    const bool fitsInt = box.minimum() >= INT_MIN && box.maximum() <= INT_MAX;
    if (box.decimals() == 0 && fitsInt) {
        whole_ = new QSpinBox(parent);
        whole_->setRange(int(box.minimum()), int(box.maximum()));
        sizeSpinBox(whole_, widestDigits(box));
        setOuterWidget(whole_);
        connect(whole_, &QSpinBox::valueChanged, this, [this](int value) {
            if (!updating()) {
                take(QString::number(value));
            }
        });
    } else {
        real_ = new QDoubleSpinBox(parent);
        real_->setDecimals(box.decimals());
        real_->setRange(box.minimum(), box.maximum());
        sizeSpinBox(real_, widestDigits(box));
        setOuterWidget(real_);
        connect(real_, &QDoubleSpinBox::valueChanged, this, [this](double value) {
            if (!updating()) {
                take(QString::number(value, 'f', box_.decimals()));
            }
        });
    }
}

void NumberBoxBinding::take(const QString& text) {
    act([this, text] { box_.userSetValue(text); });
    refresh();  // a refused number shows the model's value again
}

void NumberBoxBinding::refreshValue() {
    if (whole_) {
        whole_->setReadOnly(box_.locked());
        whole_->setButtonSymbols(box_.locked() ? QAbstractSpinBox::NoButtons
                                               : QAbstractSpinBox::UpDownArrows);
        whole_->setValue(int(box_.value()));
    } else {
        real_->setReadOnly(box_.locked());
        real_->setButtonSymbols(box_.locked() ? QAbstractSpinBox::NoButtons
                                              : QAbstractSpinBox::UpDownArrows);
        real_->setValue(box_.value());
    }
}

}  // namespace vel

#include "ui/qt/TimeBoxBinding.h"

#include "ui/DateBox.h"

#include <QTimeEdit>

namespace vel {

TimeBoxBinding::TimeBoxBinding(TimeBox& box, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(box, renderer), box_(box), edit_(new QTimeEdit(parent)) {
    edit_->setDisplayFormat(QStringLiteral("HH:mm"));
    edit_->setKeyboardTracking(false);
    edit_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setOuterWidget(edit_);
    connect(edit_, &QTimeEdit::timeChanged, this, [this](const QTime& time) {
        if (updating()) {
            return;
        }
        act([this, time] { box_.userSetValue(time.toString(QStringLiteral("HH:mm"))); });
        refresh();
    });
}

void TimeBoxBinding::refreshValue() {
    edit_->setReadOnly(box_.locked());
    edit_->setButtonSymbols(box_.locked() ? QAbstractSpinBox::NoButtons
                                          : QAbstractSpinBox::UpDownArrows);
    edit_->setTime(box_.time());
}

}  // namespace vel

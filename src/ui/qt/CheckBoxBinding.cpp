#include "ui/qt/CheckBoxBinding.h"

#include "ui/CheckBox.h"

#include <QCheckBox>

namespace vel {

CheckBoxBinding::CheckBoxBinding(CheckBox& box, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(box, renderer), box_(box), check_(new QCheckBox(parent)) {
    setOuterWidget(check_);
    connect(check_, &QCheckBox::clicked, this, [this] {
        act([this] { box_.userClick(); });
        refresh();  // a refused click leaves the box as the model has it
    });
}

void CheckBoxBinding::refreshValue() {
    check_->setText(box_.caption());
    check_->setTristate(box_.value() == CheckBox::Grayed);
    check_->setCheckState(box_.value() == CheckBox::Checked  ? Qt::Checked
                          : box_.value() == CheckBox::Grayed ? Qt::PartiallyChecked
                                                             : Qt::Unchecked);
}

}  // namespace vel

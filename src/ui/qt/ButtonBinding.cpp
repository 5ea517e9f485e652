#include "ui/qt/ButtonBinding.h"

#include "ui/Button.h"

#include <QPushButton>

namespace vel {

ButtonBinding::ButtonBinding(Button& button, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(button, renderer), button_(button), push_(new QPushButton(parent)) {
    push_->setDefault(button.isDefault());
    push_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setOuterWidget(push_);
    connect(push_, &QPushButton::clicked, this, [this] { act([this] { button_.userClick(); }); });
}

void ButtonBinding::refreshValue() {
    push_->setText(button_.caption());
}

}  // namespace vel

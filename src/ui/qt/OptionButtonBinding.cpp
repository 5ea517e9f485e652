#include "ui/qt/OptionButtonBinding.h"

#include "ui/OptionButton.h"
#include "ui/qt/FormRenderer.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace vel {

OptionButtonBinding::OptionButtonBinding(OptionButton& option, FormRenderer& renderer,
                                         QWidget* parent)
    : ControlBinding(option, renderer), option_(option), radio_(new QRadioButton(parent)) {
    setOuterWidget(radio_);
    renderer.optionGroup(option.name())->addButton(radio_);
    connect(radio_, &QRadioButton::clicked, this, [this] {
        act([this] { option_.userClick(); });
        refresh();
    });
}

void OptionButtonBinding::refreshValue() {
    radio_->setText(option_.caption());
    if (radio_->isChecked() == option_.value()) {
        return;
    }
    // An exclusive group keeps one button checked; clearing needs it open for a moment.
    QButtonGroup* group = radio_->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive && !option_.value()) {
        group->setExclusive(false);
    }
    radio_->setChecked(option_.value());
    if (exclusive) {
        group->setExclusive(true);
    }
}

}  // namespace vel

#include "ui/qt/OptionButtonBinding.h"

#include "ui/Form.h"
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
        // The group may have cleared a sibling the model kept (a refused click): show them all.
        for (Control* member : option_.form().controlArray(option_.name())) {
            this->renderer().refreshNow(*member);
        }
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

#include "ui/qt/BindingFactory.h"

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DateBox.h"
#include "ui/Grid.h"
#include "ui/ListSelect.h"
#include "ui/ListView.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/OrderedSelect.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"
#include "ui/qt/ButtonBinding.h"
#include "ui/qt/CheckBoxBinding.h"
#include "ui/qt/ComboBoxBinding.h"
#include "ui/qt/ContainerBinding.h"
#include "ui/qt/DateBoxBinding.h"
#include "ui/qt/GridBinding.h"
#include "ui/qt/LabelBinding.h"
#include "ui/qt/ListSelectBinding.h"
#include "ui/qt/ListViewBinding.h"
#include "ui/qt/NumberBoxBinding.h"
#include "ui/qt/OptionButtonBinding.h"
#include "ui/qt/OrderedSelectBinding.h"
#include "ui/qt/TabStripBinding.h"
#include "ui/qt/TextBoxBinding.h"
#include "ui/qt/TimeBoxBinding.h"

namespace vel {

std::unique_ptr<ControlBinding> createBinding(Control& control, FormRenderer& renderer,
                                              QWidget* parent) {
    switch (control.kind()) {
        case ControlKind::Label:
            return std::make_unique<LabelBinding>(control, renderer, parent);
        case ControlKind::TextBox:
            return std::make_unique<TextBoxBinding>(static_cast<TextBox&>(control), renderer,
                                                    parent);
        case ControlKind::CheckBox:
            return std::make_unique<CheckBoxBinding>(static_cast<CheckBox&>(control), renderer,
                                                     parent);
        case ControlKind::OptionButton:
            return std::make_unique<OptionButtonBinding>(static_cast<OptionButton&>(control),
                                                         renderer, parent);
        case ControlKind::ComboBox:
            return std::make_unique<ComboBoxBinding>(static_cast<ComboBox&>(control), renderer,
                                                     parent);
        case ControlKind::NumberBox:
            return std::make_unique<NumberBoxBinding>(static_cast<NumberBox&>(control), renderer,
                                                      parent);
        case ControlKind::DateBox:
            return std::make_unique<DateBoxBinding>(static_cast<DateBox&>(control), renderer,
                                                    parent);
        case ControlKind::TimeBox:
            return std::make_unique<TimeBoxBinding>(static_cast<TimeBox&>(control), renderer,
                                                    parent);
        case ControlKind::ListSelect:
            return std::make_unique<ListSelectBinding>(static_cast<ListSelect&>(control), renderer,
                                                       parent);
        case ControlKind::OrderedSelect:
            return std::make_unique<OrderedSelectBinding>(static_cast<OrderedSelect&>(control),
                                                          renderer, parent);
        case ControlKind::Grid:
            return std::make_unique<GridBinding>(static_cast<Grid&>(control), renderer, parent);
        case ControlKind::ListView:
            return std::make_unique<ListViewBinding>(static_cast<ListView&>(control), renderer,
                                                     parent);
        case ControlKind::Button:
            return std::make_unique<ButtonBinding>(static_cast<Button&>(control), renderer, parent);
        case ControlKind::TabStrip:
            return std::make_unique<TabStripBinding>(static_cast<TabStrip&>(control), renderer,
                                                     parent);
        case ControlKind::SaveButtons:
        case ControlKind::Frame:
        case ControlKind::Row:
            break;
    }
    return std::make_unique<ContainerBinding>(control, renderer, parent);
}

}  // namespace vel

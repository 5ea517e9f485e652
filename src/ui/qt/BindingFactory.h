#pragma once
// Makes the binding (and so the widgets) that shows one control, chosen by its kind.
#include <memory>

class QWidget;

namespace vel {

class Control;
class ControlBinding;
class FormRenderer;

std::unique_ptr<ControlBinding> createBinding(Control& control, FormRenderer& renderer,
                                              QWidget* parent);

}  // namespace vel

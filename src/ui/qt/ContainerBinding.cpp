#include "ui/qt/ContainerBinding.h"

#include "ui/Button.h"
#include "ui/SaveButtons.h"
#include "ui/qt/FormRenderer.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>

namespace vel {

ContainerBinding::ContainerBinding(Control& control, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(control, renderer) {
    QWidget* widget = nullptr;
    switch (control.kind()) {
        case ControlKind::Frame:
            widget = new QGroupBox(parent);
            break;
        case ControlKind::SaveButtons:
            widget = new QDialogButtonBox(parent);
            break;
        default: {
            widget = new QWidget(parent);  // a row: its layout has no margins of its own
            break;
        }
    }
    setOuterWidget(widget);
}

void ContainerBinding::buildButtonBox(SaveButtons& buttons) {
    auto* box = qobject_cast<QDialogButtonBox*>(outerWidget());
    auto* ok = qobject_cast<QPushButton*>(renderer().widgetFor(buttons.ok()));
    auto* cancel = qobject_cast<QPushButton*>(renderer().widgetFor(buttons.cancel()));
    if (box && ok && cancel) {
        box->addButton(ok, QDialogButtonBox::AcceptRole);
        box->addButton(cancel, QDialogButtonBox::RejectRole);
    }
}

void ContainerBinding::refreshValue() {
    if (auto* group = qobject_cast<QGroupBox*>(outerWidget())) {
        group->setTitle(control().caption());
    }
}

}  // namespace vel

#include "ui/qt/ControlBinding.h"

#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/qt/FormRenderer.h"

#include <QFormLayout>
#include <QLabel>
#include <QWidget>
#include <exception>

namespace vel {

ControlBinding::ControlBinding(Control& control, FormRenderer& renderer)
    : control_(control), renderer_(renderer) {}

ControlBinding::~ControlBinding() = default;

bool ControlBinding::wantsCaptionLabel() const {
    const Placement where = placement();
    return (where == Placement::Field || where == Placement::WideField) &&
           !control_.caption().isEmpty();
}

void ControlBinding::setCaptionLabel(QLabel* label) {
    captionLabel_ = label;
}

void ControlBinding::setFormRows(QFormLayout* layout, QList<QWidget*> rowWidgets) {
    formLayout_ = layout;
    rowWidgets_.clear();
    for (QWidget* widget : rowWidgets) {
        rowWidgets_ << widget;
    }
}

void ControlBinding::refresh() {
    if (!outer_) {
        return;
    }
    updating_ = true;
    outer_->setEnabled(control_.enabled());
    outer_->setToolTip(control_.toolTip());
    if (captionLabel_) {
        captionLabel_->setEnabled(control_.enabled());
        captionLabel_->setToolTip(control_.toolTip());
        captionLabel_->setText(control_.caption());
    }
    refreshVisibility();
    refreshValue();
    updating_ = false;
}

// A control in a form layout hides with its whole row, so that no gap or lone label remains.
void ControlBinding::refreshVisibility() {
    const bool visible = control_.visible();
    if (formLayout_ && !rowWidgets_.isEmpty()) {
        for (const QPointer<QWidget>& widget : rowWidgets_) {
            if (widget) {
                formLayout_->setRowVisible(widget, visible);
            }
        }
        return;
    }
    outer_->setVisible(visible);
    if (captionLabel_) {
        captionLabel_->setVisible(visible);
    }
}

void ControlBinding::act(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        qWarning("%s.%s: %s", qPrintable(control_.form().name()), qPrintable(control_.path()),
                 error.what());
    }
    renderer_.flush();
}

}  // namespace vel

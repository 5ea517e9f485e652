#include "ui/qt/LabelBinding.h"

#include "ui/Control.h"

#include <QLabel>

namespace vel {

LabelBinding::LabelBinding(Control& label, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(label, renderer), label_(new QLabel(parent)) {
    label_->setWordWrap(true);
    label_->setTextFormat(Qt::PlainText);
    setOuterWidget(label_);
}

void LabelBinding::refreshValue() {
    label_->setText(label_->buddy() ? control().caption() : control().plainCaption());
}

}  // namespace vel

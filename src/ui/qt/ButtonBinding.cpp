#include "ui/qt/ButtonBinding.h"

#include "ui/Button.h"

#include <QColor>
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
    const int bgr = button_.backColor();
    if (bgr < 0) {
        push_->setStyleSheet(QString());
        return;
    }
    const QColor face(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    const QColor text = face.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
    push_->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; }")
                             .arg(face.name(), text.name()));
}

}  // namespace vel

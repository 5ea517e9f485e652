#include "ui/qt/DateBoxBinding.h"

#include "ui/DateBox.h"
#include "ui/qt/DateField.h"

#include <QCheckBox>
#include <QDateEdit>

namespace vel {

DateBoxBinding::DateBoxBinding(DateBox& box, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(box, renderer), box_(box), field_(new DateField(box.allowsEmpty(), parent)) {
    setOuterWidget(field_);
    connect(field_, &DateField::edited, this, [this](const QDate& date) {
        if (updating()) {
            return;
        }
        const QString text =
            date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
        act([this, text] { box_.userSetValue(text); });
        refresh();
    });
}

QWidget* DateBoxBinding::focusWidget() const {
    return field_->presentBox() ? static_cast<QWidget*>(field_->presentBox()) : field_->dateEdit();
}

void DateBoxBinding::refreshValue() {
    field_->setReadOnly(box_.locked());
    field_->setDate(box_.date());
}

}  // namespace vel

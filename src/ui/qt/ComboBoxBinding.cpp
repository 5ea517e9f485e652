#include "ui/qt/ComboBoxBinding.h"

#include "ui/ComboBox.h"

#include <QComboBox>
#include <QLineEdit>

namespace vel {

ComboBoxBinding::ComboBoxBinding(ComboBox& combo, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(combo, renderer), combo_(combo), widget_(new QComboBox(parent)) {
    widget_->setEditable(combo.allowsTyping());
    widget_->setInsertPolicy(QComboBox::NoInsert);
    widget_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    widget_->setMinimumContentsLength(12);
    widget_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setOuterWidget(widget_);
    connect(widget_, &QComboBox::activated, this, [this](int index) {
        act([this, index] { combo_.userSelect(index); });
        refresh();
    });
    if (QLineEdit* edit = widget_->lineEdit()) {
        connect(edit, &QLineEdit::textEdited, this,
                [this](const QString& text) { act([this, text] { combo_.userSetValue(text); }); });
    }
}

void ComboBoxBinding::refreshValue() {
    bool same = widget_->count() == combo_.listCount();
    for (int i = 0; same && i < combo_.listCount(); ++i) {
        same = widget_->itemText(i) == combo_.list(i) &&
               widget_->itemData(i).toLongLong() == combo_.itemData(i);
    }
    if (!same) {
        widget_->clear();
        for (const ComboBox::Item& item : combo_.items()) {
            widget_->addItem(item.text, QVariant::fromValue(item.data));
        }
    }
    widget_->setCurrentIndex(combo_.listIndex());
    if (widget_->isEditable() && widget_->currentText() != combo_.text()) {
        widget_->setEditText(combo_.text());
    }
    if (QLineEdit* edit = widget_->lineEdit()) {
        edit->setReadOnly(combo_.locked());
    }
}

}  // namespace vel

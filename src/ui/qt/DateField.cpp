#include "ui/qt/DateField.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

namespace vel {

DateField::DateField(bool allowEmpty, QWidget* parent)
    : QWidget(parent), edit_(new QDateEdit(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (allowEmpty) {
        present_ = new QCheckBox(this);
        present_->setToolTip(tr("Clear to leave the date empty"));
        layout->addWidget(present_);
        connect(present_, &QCheckBox::clicked, this,
                [this](bool checked) { Q_EMIT edited(checked ? edit_->date() : QDate()); });
    }
    edit_->setCalendarPopup(true);
    edit_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    edit_->setKeyboardTracking(false);
    edit_->setDate(QDate::currentDate());
    layout->addWidget(edit_);
    layout->addStretch(1);
    setFocusProxy(edit_);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(edit_, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        if (!present_ || present_->isChecked()) {
            Q_EMIT edited(date);
        }
    });
}

QDate DateField::date() const {
    return present_ && !present_->isChecked() ? QDate() : edit_->date();
}

void DateField::setDate(const QDate& date) {
    const QSignalBlocker blockEdit(edit_);
    if (date.isValid()) {
        edit_->setDate(date);
    }
    if (present_) {
        const QSignalBlocker blockBox(present_);
        present_->setChecked(date.isValid());
    }
    edit_->setEnabled(date.isValid() || !present_);
}

void DateField::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    edit_->setReadOnly(readOnly);
    edit_->setButtonSymbols(readOnly ? QAbstractSpinBox::NoButtons
                                     : QAbstractSpinBox::UpDownArrows);
    if (present_) {
        present_->setAttribute(Qt::WA_TransparentForMouseEvents, readOnly);
        present_->setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
    }
}

}  // namespace vel

#include "ui/DateBox.h"

namespace vel {

namespace {
const QString dateFormat = QStringLiteral("yyyy/MM/dd");
const QString timeFormat = QStringLiteral("HH:mm");
}  // namespace

void DateBox::setDate(const QDate& date) {
    const QDate value = date.isValid() ? date : QDate();
    if (value == date_) {
        return;
    }
    date_ = value;
    notifyChanged();
    raiseChange();
}

QString DateBox::valueText() const {
    return date_.isValid() ? date_.toString(dateFormat) : QString();
}

bool DateBox::userSetValue(const QString& value) {
    if (!editable()) {
        return false;
    }
    if (value.trimmed().isEmpty()) {
        if (!allowEmpty_) {
            return false;
        }
        setDate(QDate());
        return true;
    }
    const QDate date = QDate::fromString(value.trimmed(), dateFormat);
    if (!date.isValid()) {
        return false;
    }
    setDate(date);
    return true;
}

void TimeBox::setTime(const QTime& time) {
    if (!time.isValid() || time == time_) {
        return;
    }
    time_ = time;
    notifyChanged();
    raiseChange();
}

QString TimeBox::valueText() const {
    return time_.toString(timeFormat);
}

bool TimeBox::userSetValue(const QString& value) {
    const QTime time = QTime::fromString(value.trimmed(), timeFormat);
    if (!editable() || !time.isValid()) {
        return false;
    }
    setTime(time);
    return true;
}

}  // namespace vel

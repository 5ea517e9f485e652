#pragma once
// Date box and time box. A date box may be left empty (a null date) when it allows it. Both
// raise Change. As text they read and take "YYYY/MM/DD" and "hh:nn" (24-hour).
#include "ui/Control.h"

#include <QDate>
#include <QTime>

namespace vel {

class DateBox : public ControlOf<DateBox> {
public:
    DateBox(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::DateBox, name, index, caption) {}

    const QDate& date() const { return date_; }
    void setDate(const QDate& date);
    DateBox& allowEmpty(bool on) { allowEmpty_ = on; return *this; }
    bool allowsEmpty() const { return allowEmpty_; }

    QString valueText() const override;
    bool userSetValue(const QString& value) override;  // "" empties it when allowed

private:
    QDate date_;
    bool allowEmpty_ = false;
};

class TimeBox : public ControlOf<TimeBox> {
public:
    TimeBox(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::TimeBox, name, index, caption) {}

    const QTime& time() const { return time_; }
    void setTime(const QTime& time);

    QString valueText() const override;
    bool userSetValue(const QString& value) override;

private:
    QTime time_{0, 0};
};

}  // namespace vel

#pragma once
// DateField: a QDateEdit with a calendar pop-up, and, for a date that may be left empty, a tick
// box in front of it: cleared, the field holds no date and the date edit is greyed.
#include <QDate>
#include <QWidget>

class QCheckBox;
class QDateEdit;

namespace vel {

class DateField : public QWidget {
    Q_OBJECT
public:
    DateField(bool allowEmpty, QWidget* parent);

    QDate date() const;  // a null date when empty
    void setDate(const QDate& date);
    void setReadOnly(bool readOnly);
    QDateEdit* dateEdit() const { return edit_; }
    QCheckBox* presentBox() const { return present_; }  // nullptr when a date is required

Q_SIGNALS:
    // A person changed the date or emptied the field.
    void edited(const QDate& date);

private:
    QDateEdit* edit_;
    QCheckBox* present_ = nullptr;
    bool readOnly_ = false;
};

}  // namespace vel

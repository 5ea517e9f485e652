#pragma once
// One entry of the day file "TBDAYFIL.--" + system number: a posted day, the date of its file,
// the times it covers and the nine figures of its recorded work (see DayEntry).
#include "data/RecordFields.h"

namespace vel {

struct DayFileRecord {
    QDate FileDate;
    QDate Date;
    QString Times;
    int Lines = 0;
    int Associates = 0;
    double Hours = 0.0;
    double Measured = 0.0;
    double Earned = 0.0;
    double Units = 0.0;
    double Cost = 0.0;
    double Audited = 0.0;
    double Failed = 0.0;

    static const Fields<DayFileRecord>& fields() {
        using R = DayFileRecord;
        static const Fields<R> list{field(QStringLiteral("FileDate"), &R::FileDate),
                                    field(QStringLiteral("Date"), &R::Date),
                                    field(QStringLiteral("Times"), &R::Times, 40),
                                    field(QStringLiteral("Lines"), &R::Lines, 7),
                                    field(QStringLiteral("Associates"), &R::Associates, 6),
                                    field(QStringLiteral("Hours"), &R::Hours, 12, 2),
                                    field(QStringLiteral("Measured"), &R::Measured, 12, 2),
                                    field(QStringLiteral("Earned"), &R::Earned, 12, 2),
                                    field(QStringLiteral("Units"), &R::Units, 14, 2),
                                    field(QStringLiteral("Cost"), &R::Cost, 14, 2),
                                    field(QStringLiteral("Audited"), &R::Audited, 12, 2),
                                    field(QStringLiteral("Failed"), &R::Failed, 12, 2)};
        return list;
    }
    bool operator==(const DayFileRecord&) const = default;
};

}  // namespace vel

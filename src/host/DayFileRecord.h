#pragma once
// One entry of the day file "TBDAYFIL.--" + system number: a posted day, the date of its file
// and the times it covers.
#include "data/RecordFields.h"

namespace vel {

struct DayFileRecord {
    QDate FileDate;
    QDate Date;
    QString Times;

    static const Fields<DayFileRecord>& fields() {
        using R = DayFileRecord;
        static const Fields<R> list{field(QStringLiteral("FileDate"), &R::FileDate),
                                    field(QStringLiteral("Date"), &R::Date),
                                    field(QStringLiteral("Times"), &R::Times, 40)};
        return list;
    }
    bool operator==(const DayFileRecord&) const = default;
};

}  // namespace vel

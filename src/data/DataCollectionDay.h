#pragma once
// The data-collection day of a work center: the stretch of time whose uploaded transactions go
// into one date, fixed by the work center's normal start and stop times.
//
// The day starts at the start time and ends one minute before the next start. When the start
// time lies after the stop time (a night shift that ends the next morning), the day of a date
// begins the evening before it: "Yesterday at: 22:00" until "Today at: 21:59". Otherwise it
// begins on the date itself and runs into the next morning: "Today at: 08:00" until
// "Tomorrow at: 07:59". Equal times tell nothing about the shift, so 8:00 and 16:00 (the times
// of a new work center) stand in for them, as they do when either time is missing.
#include <QString>
#include <QTime>

namespace vel {

struct DataCollectionDay {
    QString start;  // "Today at: 08:00" or "Yesterday at: 22:00"
    QString end;    // "Tomorrow at: 07:59" or "Today at: 21:59"
    bool beginsYesterday = false;
};

DataCollectionDay dataCollectionDay(QTime start, QTime stop);

// The explanation a work-center window shows under its two times.
QString dataCollectionExplanation(QTime start, QTime stop);

}  // namespace vel

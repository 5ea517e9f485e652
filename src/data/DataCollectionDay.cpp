#include "data/DataCollectionDay.h"

namespace vel {

namespace {
QString timeText(QTime time) {
    return time.toString(QStringLiteral("HH:mm"));
}
}  // namespace

DataCollectionDay dataCollectionDay(QTime start, QTime stop) {
    if (!start.isValid() || !stop.isValid() || start == stop) {
        start = QTime(8, 0);
        stop = QTime(16, 0);
    }
    // The end is the start's hour and minute less one minute, on the following day.
    const QString end = timeText(QTime(start.hour(), start.minute()).addSecs(-60));
    if (start > stop) {
        return {QStringLiteral("Yesterday at: ") + timeText(start),
                QStringLiteral("Today at: ") + end, true};
    }
    return {QStringLiteral("Today at: ") + timeText(start), QStringLiteral("Tomorrow at: ") + end};
}

QString dataCollectionExplanation(QTime start, QTime stop) {
    const DataCollectionDay day = dataCollectionDay(start, stop);
    // The end of a day that began yesterday is indented by one blank.
    const QString indent = day.beginsYesterday ? QStringLiteral(" ") : QString();
    return QStringLiteral(
               "This will capture transactions uploaded into today's date starting \n\n") +
           day.start + QStringLiteral("\nuntil \n") + indent + day.end;
}

}  // namespace vel

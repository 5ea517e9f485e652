#pragma once
// The names and figures the demo site is made of: the types of work of a distribution center and
// their activities, the elements counted, the mistakes, work centers, groupings, schedules,
// machines, customer names and associates' names. The large site repeats them with zone and
// building suffixes.
#include <QString>
#include <QStringList>
#include <QTime>

#include <vector>

namespace vel::demoCatalogue {

struct ElementEntry {
    QString description;
    float unitsPerHour;  // a typical standard; -1: the element has no standard (travel time)
    int entryType;       // ElementRecord::Quantity or ElementRecord::Standard
};

struct TypeOfWorkEntry {
    QString code;
    QString description;
    QString activityPrefix;  // the first letters of its activities' codes
    bool tracksQuality;
    QList<int> mistakes;  // 1-based positions in mistakes()
};

struct ActivityEntry {
    int typeOfWork;  // 0-based position in typesOfWork()
    QString description;
    QStringList elements;   // element descriptions, in slot order
    int earnedHoursMethod;  // 0 unmeasured to 6 reflective of a group
    int allocate;           // 0 never, 1 sometimes, 2 always
};

struct WorkCenterEntry {
    QString code;
    QString description;
    int shift;
    QList<int> typesOfWork;  // 0-based positions in typesOfWork()
    bool staffed;            // associates call it home and record production in it
};

struct ScheduleEntry {
    QString code;
    QString description;
    QTime start;
    QTime stop;
};

struct CodedName {
    QString code;
    QString description;
};

const std::vector<ElementEntry>& elements();
const std::vector<TypeOfWorkEntry>& typesOfWork();
// The activities of each type of work; the small site leaves out those of the last one.
const std::vector<ActivityEntry>& activities();
const std::vector<WorkCenterEntry>& workCenters();
const QStringList& mistakes();
const std::vector<CodedName>& groupings();
const std::vector<ScheduleEntry>& schedules();
const std::vector<CodedName>& machineKinds();  // code prefix and description of each kind
const QStringList& customerFirstWords();
const QStringList& customerLastWords();
const QStringList& firstNames();
const QStringList& lastNames();
const QStringList& supervisors();
// Start and stop of a work center's shift (1 days, 2 swing, 3 nights).
QTime shiftStart(int shift);
QTime shiftStop(int shift);

}  // namespace vel::demoCatalogue

#include "host/DemoProductionLines.h"

#include "host/PostingRules.h"

#include <algorithm>
#include <cmath>

namespace vel {

namespace {

constexpr int fourTensSchedule = 4;
constexpr int weekendSchedule = 5;

bool isQualityTracked(const DemoWorkMasters& masters, const ActivityRecord& activity) {
    return activity.TOW >= 1 && activity.TOW <= int(masters.typesOfWork.size()) &&
           masters.typesOfWork[size_t(activity.TOW - 1)].TrackQuality;
}

}  // namespace

DemoProductionLines::DemoProductionLines(DemoRandom& random, const DemoWorkMasters& masters,
                                         bool partTimers)
    : random_(random),
      masters_(masters),
      partTimers_(partTimers),
      directActivities_(masters.workCenters.size()),
      indirectActivities_(masters.workCenters.size()) {
    // Each work center records the activities whose type of work is valid there.
    for (size_t center = 0; center < masters.workCenters.size(); ++center) {
        const WorkCenterRecord& workCenter = masters.workCenters[center];
        for (int index = 0; index < int(masters.activities.size()); ++index) {
            const ActivityRecord& activity = masters.activities[size_t(index)];
            if (isIdleActivity(index) || activity.TOW < 1 ||
                !workCenter.TOWValid[size_t(activity.TOW - 1)]) {
                continue;
            }
            auto& list = activity.EarnedHrsCalc == 0 ? indirectActivities_[center]
                                                     : directActivities_[center];
            list.push_back(index + 1);
        }
        if (!directActivities_[center].empty()) {
            directCenters_.push_back(int(center) + 1);
        }
    }
    for (int index = 0; index < int(masters.associates.size()); ++index) {
        const int center = masters.associates[size_t(index)].WorkCenter;
        if (center < 1 || center > int(masters.workCenters.size())) {
            continue;
        }
        Worker worker;
        worker.number = index + 1;
        worker.pace = random_.factor(60, 130);
        worker.errorRate = random_.between(2, 20) / 1000.0;
        worker.vacationWeek = random_.between(1, 52);
        worker.regularDay = random_.chance(85) ? random_.between(1, 5) : random_.between(6, 7);
        workers_.push_back(worker);
    }
}

void DemoProductionLines::make(
    const QDate& first, const QDate& today,
    const std::function<void(std::vector<ProductionLineRecord>&)>& store) {
    std::vector<ProductionLineRecord> lines;
    for (QDate monday = first.addDays(1 - first.dayOfWeek()); monday <= today;
         monday = monday.addDays(7)) {
        lines.clear();
        for (QDate day = monday; day <= monday.addDays(6) && day <= today; day = day.addDays(1)) {
            for (const Worker& worker : workers_) {
                if (day >= first && works(worker, day, today)) {
                    makeDay(worker, day, lines);
                }
            }
        }
        store(lines);
    }
}

bool DemoProductionLines::works(const Worker& worker, const QDate& day, const QDate& today) {
    if (isOnLeave(worker.number - 1) && day > today.addDays(-leaveDays)) {
        return false;
    }
    const AssociateRecord& associate = masters_.associates[size_t(worker.number - 1)];
    if (day < associate.HireDate || day.weekNumber() == worker.vacationWeek) {
        return false;
    }
    const int weekday = day.dayOfWeek();
    if (partTimers_) {
        return weekday == worker.regularDay ? random_.chance(65) : random_.chance(1);
    }
    const int schedule = associate.Schedule;
    bool scheduled = weekday <= 5;
    if (schedule == fourTensSchedule) {
        scheduled = weekday <= 4;
    } else if (schedule == weekendSchedule) {
        scheduled = weekday >= 5;
    }
    if (!scheduled) {
        return weekday == Qt::Saturday && random_.chance(5);  // overtime now and then
    }
    return !random_.chance(3);  // a sick day
}

void DemoProductionLines::makeDay(const Worker& worker, const QDate& day,
                                  std::vector<ProductionLineRecord>& lines) {
    const AssociateRecord& associate = masters_.associates[size_t(worker.number - 1)];
    const int home = associate.WorkCenter;
    int quarters = associate.Schedule == fourTensSchedule ? 40 : 32;
    if (partTimers_ && random_.chance(30)) {
        quarters = 24;
    }
    // A start-up meeting or some cleaning first, now and then.
    if (!indirectActivities_[size_t(home - 1)].empty() && random_.chance(15)) {
        const int meeting = random_.between(1, 3);
        lines.push_back(makeLine(worker, day, home, chooseActivity(home, false), meeting / 4.0));
        quarters -= meeting;
    }
    const int stretches = partTimers_ ? (random_.chance(80) ? 1 : 2) : random_.between(1, 3);
    for (int stretch = stretches; stretch >= 1; --stretch) {
        const int length =
            stretch == 1 ? quarters : random_.between(2, std::max(2, quarters - 2 * (stretch - 1)));
        quarters -= length;
        int center = home;
        if (directActivities_[size_t(home - 1)].empty() || random_.chance(8)) {
            center = random_.pick(directCenters_);  // helping out where there is work
        }
        const int activity = chooseActivity(center, true);
        if (activity != 0 && length > 0) {
            lines.push_back(makeLine(worker, day, center, activity, length / 4.0));
        }
    }
}

int DemoProductionLines::chooseActivity(int workCenter, bool direct) {
    const auto& list = direct ? directActivities_[size_t(workCenter - 1)]
                              : indirectActivities_[size_t(workCenter - 1)];
    return list.empty() ? 0 : random_.pick(list);
}

ProductionLineRecord DemoProductionLines::makeLine(const Worker& worker, const QDate& day,
                                                   int workCenter, int activityNumber,
                                                   double hours) {
    const ActivityRecord& activity = masters_.activities[size_t(activityNumber - 1)];
    ProductionLineRecord line;
    line.Date = day;
    line.Associate = worker.number;
    line.WorkCenter = workCenter;
    line.Activity = activityNumber;
    line.Hours = hours;
    const bool allocated = activity.Allocate == 2 || (activity.Allocate == 1 && random_.chance(60));
    if (allocated && !activity.AllocationStandards.empty()) {
        const int choice = random_.between(0, int(activity.AllocationStandards.size()) - 1);
        line.Allocation = std::next(activity.AllocationStandards.begin(), choice)->first;
    }
    countUnits(worker, line, activity);
    const double wage = masters_.associates[size_t(worker.number - 1)].WageRate;
    line.Cost = std::round(hours * wage * 100.0) / 100.0;
    if (isQualityTracked(masters_, activity)) {
        checkQuality(worker, line, activity);
    }
    return line;
}

void DemoProductionLines::countUnits(const Worker& worker, ProductionLineRecord& line,
                                     const ActivityRecord& activity) {
    // The measured elements share the time; each counts what the associate's pace gives in
    // its share, so that earned hours come to about hours x pace.
    std::vector<double> shares(ProductionLineRecord::ElementEntries, 0.0);
    double totalShare = 0.0;
    size_t entry = 0;
    for (const ActivityElementSlot& slot : activity.Elements) {
        if (slot.isEmpty() || entry >= line.Element.size()) {
            continue;
        }
        const float rate = masters_.elementRates[size_t(slot.Element - 1)];
        double minutes =
            masters_.rules.standardMinutes(line.Activity, line.Allocation, slot.Element);
        // Historical and reflective standards: the rate the site usually achieves.
        if (minutes <= 0.0 && activity.EarnedHrsCalc >= 3 && rate > 0.0F) {
            minutes = 60.0 / double(rate);
        }
        line.Element[entry] = slot.Element;
        line.StdMinutes[entry] = activity.EarnedHrsCalc > 0 ? minutes : 0.0;
        if (line.StdMinutes[entry] > 0.0) {
            shares[entry] = random_.between(1, 4);
            totalShare += shares[entry];
        } else if (rate > 0.0F) {
            line.Units[entry] = std::round(rate * line.Hours * random_.factor(75, 125));
        } else {
            // Travel time: a share of the hours, in minutes to a tenth.
            line.Units[entry] =
                std::round(line.Hours * 60.0 * random_.factor(10, 30) * 10.0) / 10.0;
        }
        ++entry;
    }
    for (size_t index = 0; index < shares.size() && totalShare > 0.0; ++index) {
        if (shares[index] > 0.0) {
            const double minutes = line.Hours * 60.0 * shares[index] / totalShare * worker.pace *
                                   random_.factor(90, 110);
            line.Units[index] = std::round(minutes / line.StdMinutes[index]);
        }
    }
}

void DemoProductionLines::checkQuality(const Worker& worker, ProductionLineRecord& line,
                                       const ActivityRecord& activity) {
    double units = 0.0;
    for (int entry = 0; entry < ProductionLineRecord::ElementEntries; ++entry) {
        const int slot = activity.slotOf(line.Element[size_t(entry)]);
        if (slot >= 0 && activity.Elements[size_t(slot)].UseUnits) {
            units += line.Units[size_t(entry)];
        }
    }
    if (units < 1.0) {
        return;
    }
    if (random_.chance(12)) {
        line.AuditedUnits = std::max(1.0, std::round(units * random_.factor(10, 40)));
        line.AuditFailed = std::min(
            line.AuditedUnits,
            std::floor(line.AuditedUnits * worker.errorRate * random_.factor(0, 300) + 0.5));
    }
    if (random_.chance(6)) {
        line.CheckFailed = std::min(units, double(random_.between(1, 2)));
    }
    if (random_.chance(8)) {
        line.CatchFailed = std::min(units, double(random_.between(1, 3)));
    }
}

}  // namespace vel

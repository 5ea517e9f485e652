#include "host/DemoProductionLines.h"

#include <cmath>

namespace vel {

DemoProductionLines::DemoProductionLines(DemoRandom& random,
                                         const std::vector<ActivityRecord>& activities,
                                         const std::vector<AssociateRecord>& associates,
                                         const std::vector<WorkCenterRecord>& workCenters,
                                         const std::vector<float>& elementRates)
    : random_(random),
      activities_(activities),
      associates_(associates),
      workCenters_(workCenters),
      elementRates_(elementRates),
      directActivities_(workCenters.size()),
      indirectActivities_(workCenters.size()) {
    for (int index = 0; index < int(associates.size()); ++index) {
        if (!isOnLeave(index) && associates[size_t(index)].WorkCenter > 0) {
            workingAssociates_.push_back(index + 1);
        }
    }
    // Each work center records the activities whose type of work is valid there.
    for (size_t center = 0; center < workCenters.size(); ++center) {
        const WorkCenterRecord& workCenter = workCenters[center];
        for (int index = 0; index < int(activities.size()); ++index) {
            const ActivityRecord& activity = activities[size_t(index)];
            if (isIdleActivity(index) || activity.TOW < 1 ||
                !workCenter.TOWValid[size_t(activity.TOW - 1)]) {
                continue;
            }
            auto& list = activity.EarnedHrsCalc == 0 ? indirectActivities_[center]
                                                     : directActivities_[center];
            list.push_back(index + 1);
        }
    }
}

std::vector<ProductionLineRecord> DemoProductionLines::make(const QDate& today, int perWeekday,
                                                            int perWeekendDay) {
    std::vector<ProductionLineRecord> lines;
    if (workingAssociates_.empty()) {
        return lines;
    }
    for (int day = Days - 1; day >= 0; --day) {
        const QDate date = today.addDays(-day);
        const int count = date.dayOfWeek() >= Qt::Saturday ? perWeekendDay : perWeekday;
        for (int entry = 0; entry < count; ++entry) {
            lines.push_back(makeLine(date, random_.pick(workingAssociates_)));
        }
    }
    return lines;
}

ProductionLineRecord DemoProductionLines::makeLine(const QDate& date, int associate) {
    ProductionLineRecord line;
    line.Date = date;
    line.Associate = associate;
    line.WorkCenter = associates_[size_t(associate - 1)].WorkCenter;
    // Now and then an associate helps out in another work center that has measured work.
    if (random_.chance(10)) {
        const int other = random_.between(1, int(workCenters_.size()));
        if (!directActivities_[size_t(other - 1)].empty()) {
            line.WorkCenter = other;
        }
    }
    line.Activity = chooseActivity(line.WorkCenter);
    if (line.Activity == 0) {
        return line;  // not reached with the catalogue: every work center has some work
    }
    const ActivityRecord& activity = activities_[size_t(line.Activity - 1)];
    line.Hours = 0.25 * random_.between(2, 16);
    countUnits(line, activity);
    const bool allocated = activity.Allocate == 2 || (activity.Allocate == 1 && random_.chance(60));
    if (allocated && !activity.AllocationStandards.empty()) {
        const int choice = random_.between(0, int(activity.AllocationStandards.size()) - 1);
        line.Allocation = std::next(activity.AllocationStandards.begin(), choice)->first;
    }
    return line;
}

int DemoProductionLines::chooseActivity(int workCenter) {
    const auto& direct = directActivities_[size_t(workCenter - 1)];
    const auto& indirect = indirectActivities_[size_t(workCenter - 1)];
    if (!indirect.empty() && (direct.empty() || random_.chance(12))) {
        return random_.pick(indirect);
    }
    return direct.empty() ? 0 : random_.pick(direct);
}

void DemoProductionLines::countUnits(ProductionLineRecord& line, const ActivityRecord& activity) {
    size_t entry = 0;
    for (const ActivityElementSlot& slot : activity.Elements) {
        if (slot.isEmpty() || entry >= line.Element.size()) {
            continue;
        }
        const float typicalRate = elementRates_[size_t(slot.Element - 1)];
        const double rate = slot.Standard > 0.0F ? slot.Standard : typicalRate;
        double units = 0.0;
        if (rate > 0.0) {
            units = std::round(rate * line.Hours * random_.factor(75, 125));
        } else {
            // Travel time: a share of the hours, in minutes to a tenth.
            units = std::round(line.Hours * 60.0 * random_.factor(10, 30) * 10.0) / 10.0;
        }
        line.Element[entry] = slot.Element;
        line.Units[entry] = units;
        ++entry;
    }
}

}  // namespace vel

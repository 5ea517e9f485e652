#pragma once
// The production-sheet lines of a demo site: four weeks up to and including today, recorded by
// the working associates on the activities valid in their work centers. Some activities are
// never recorded and some associates are on leave, so that the editors show both records "in
// use" and records free to delete.
#include "data/records/ActivityRecord.h"
#include "data/records/AssociateRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "host/DemoRandom.h"
#include "data/records/ProductionLineRecord.h"

#include <vector>

namespace vel {

class DemoProductionLines {
  public:
    static constexpr int Days = 28;

    DemoProductionLines(DemoRandom& random, const std::vector<ActivityRecord>& activities,
                        const std::vector<AssociateRecord>& associates,
                        const std::vector<WorkCenterRecord>& workCenters,
                        const std::vector<float>& elementRates);

    // Whether an activity (0-based) is left out of every line.
    static bool isIdleActivity(int index) { return index % 7 == 6; }
    // Whether an associate (0-based) is on leave and records nothing.
    static bool isOnLeave(int index) { return index % 11 == 10; }

    // The lines, day by day from 27 days before today.
    std::vector<ProductionLineRecord> make(const QDate& today, int perWeekday, int perWeekendDay);

  private:
    ProductionLineRecord makeLine(const QDate& date, int associate);
    int chooseActivity(int workCenter);
    void countUnits(ProductionLineRecord& line, const ActivityRecord& activity);

    DemoRandom& random_;
    const std::vector<ActivityRecord>& activities_;
    const std::vector<AssociateRecord>& associates_;
    const std::vector<WorkCenterRecord>& workCenters_;
    const std::vector<float>& elementRates_;
    std::vector<int> workingAssociates_;                // record numbers
    std::vector<std::vector<int>> directActivities_;    // per work center: measured work
    std::vector<std::vector<int>> indirectActivities_;  // per work center: the rest
};

}  // namespace vel

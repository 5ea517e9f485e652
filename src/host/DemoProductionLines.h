#pragma once
// The recorded work of a demo site: production-sheet lines, week by week, for a span of weeks up
// to and including today, recorded by the associates on the activities valid in their work
// centers, from their hire dates on. Each associate has a personal pace (60% to 130% of the
// standards), an accuracy, a wage, a vacation week a year and now and then a sick day;
// quality-tracking work is audited now and then and some audits find failures. On the small site
// every associate works the days of their schedule in two or three stretches; the large site's
// associates are a pool of part-timers who each work about one shift a week. Some activities are
// never recorded and some associates are on leave for the last three weeks, so that the editors
// show both records "in use" and records free to delete.
#include "data/records/ActivityRecord.h"
#include "data/records/AssociateRecord.h"
#include "data/records/ProductionLineRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "host/DemoRandom.h"

#include <functional>
#include <vector>

namespace vel {

class PostingRules;

struct DemoWorkMasters {
    const std::vector<ActivityRecord>& activities;
    const std::vector<AssociateRecord>& associates;
    const std::vector<WorkCenterRecord>& workCenters;
    const std::vector<TypeOfWorkRecord>& typesOfWork;
    const std::vector<float>& elementRates;  // typical units per hour of each element; -1: none
    const PostingRules& rules;               // the standards of the lines
};

class DemoProductionLines {
  public:
    DemoProductionLines(DemoRandom& random, const DemoWorkMasters& masters, bool partTimers);

    // Whether an activity (0-based) is left out of every line.
    static bool isIdleActivity(int index) { return index % 7 == 6; }
    // Whether an associate (0-based) is on leave for the last three weeks.
    static bool isOnLeave(int index) { return index % 11 == 10; }
    static constexpr int leaveDays = 21;

    // Makes the lines of the weeks from the Monday on or before first through today, one week
    // at a time, and hands each week's lines (days after today left out) to store.
    void make(const QDate& first, const QDate& today,
              const std::function<void(std::vector<ProductionLineRecord>&)>& store);

  private:
    struct Worker {
        int number = 0;  // record number
        double pace = 1.0;
        double errorRate = 0.0;  // failed units per audited unit
        int vacationWeek = 0;    // week of the year
        int regularDay = 1;      // the part-timer's usual day (1 Monday to 7 Sunday)
    };

    bool works(const Worker& worker, const QDate& day, const QDate& today);
    void makeDay(const Worker& worker, const QDate& day, std::vector<ProductionLineRecord>& lines);
    ProductionLineRecord makeLine(const Worker& worker, const QDate& day, int workCenter,
                                  int activity, double hours);
    int chooseActivity(int workCenter, bool direct);
    void countUnits(const Worker& worker, ProductionLineRecord& line,
                    const ActivityRecord& activity);
    void checkQuality(const Worker& worker, ProductionLineRecord& line,
                      const ActivityRecord& activity);

    DemoRandom& random_;
    DemoWorkMasters masters_;
    bool partTimers_;
    std::vector<Worker> workers_;
    std::vector<std::vector<int>> directActivities_;    // per work center: measured work
    std::vector<std::vector<int>> indirectActivities_;  // per work center: the rest
    std::vector<int> directCenters_;                    // work centers with measured work
};

}  // namespace vel

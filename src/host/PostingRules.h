#pragma once
// How a production-sheet line turns into figures and data-field values, from the master records
// as they are when the rules are loaded (see docs/history.md for the formulas):
// - total hours = the line's hours; measured hours = its hours when the activity has an
//   earned-hours method (1 to 6), else 0; earned hours = sum of units x standard minutes / 60
//   over the line's elements, for measured activities only; cost = the line's cost;
// - units = the units of the elements whose slot in the activity counts in its total units;
// - quality figures only on lines whose activity's type of work tracks quality.
// The data fields a line posts are those its activity names (actual hours, earned hours, cost,
// each element slot's units field) and the quality fields of its type of work, each at the
// account levels the data field is recorded at.
#include "data/RecordedWork.h"
#include "data/records/ActivityRecord.h"
#include "data/records/DataFieldRecord.h"
#include "data/records/TypeOfWorkRecord.h"

#include <QString>
#include <functional>
#include <vector>

namespace vel {

class VelmorSystem;

class PostingRules {
  public:
    static constexpr int Levels = 4;

    // Reads the activities, types of work and data fields; false with the reason in error.
    bool load(VelmorSystem& system, QString* error);

    WorkFigures figuresOf(const ProductionLineRecord& line) const;
    // Calls post(field, value) for every data field the line changes at the level.
    void forEachPostedField(const ProductionLineRecord& line, AccountLevel level,
                            const std::function<void(int, double)>& post) const;
    // The same with the line's figures worked out already.
    void forEachPostedField(const ProductionLineRecord& line, const WorkFigures& figures,
                            AccountLevel level, const std::function<void(int, double)>& post) const;
    bool selects(int activity, const WorkSelection& selection) const;
    // Minutes per unit of an element of an activity on an allocation: 60 / the units per hour
    // of the allocation's standard when the allocation is valid for the activity, its standards
    // differ by allocation and the slot's allocation standard is set, else of the slot's own
    // standard; 0 when that is not above 0 or the element is not on the activity.
    double standardMinutes(int activity, int allocation, int element) const;
    // The line's account at the level; 0 when it has none there (a line without allocation).
    static int accountOf(const ProductionLineRecord& line, AccountLevel level);

    const ActivityRecord* activity(int number) const;
    const TypeOfWorkRecord* typeOfWork(int number) const;

  private:
    bool recordsAt(int field, AccountLevel level) const;

    std::vector<ActivityRecord> activities_;  // by record number - 1; inactive ones blank
    std::vector<TypeOfWorkRecord> typesOfWork_;
    std::vector<DataFieldRecord> dataFields_;
};

}  // namespace vel

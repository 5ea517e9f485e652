#include "host/SystemTables.h"

namespace vel {

std::vector<TableObject*> SystemTables::all() const {
    return {standards.get(),           activities.get(),
            allocations.get(),         associates.get(),
            workCenters.get(),         elements.get(),
            typesOfWork.get(),         mistakes.get(),
            groupings.get(),           schedules.get(),
            locations.get(),           machines.get(),
            dataFields.get(),          productionLines.get(),
            corporateActivities.get(), corporateElements.get(),
            corporateTypesOfWork.get()};
}

}  // namespace vel

#pragma once
// Every table object of one reference system, with the catalogue base names of their files:
//   TBVMACT activities, TBVMELM elements, TBVMTOW types of work (also the corporate copies),
//   TBVMALC allocations, TBVMASC associates, TBVMWCT work centers, TBVMSTD allocation
//   standards, TBVMMST mistakes, TBVMGRP groupings, TBVMSCH schedules, TBVMLOC locations,
//   TBVMMCH machines, TBVMFLD data fields, TBVMPSL production-sheet lines;
// each followed by ".--" and the system number.
#include "data/records/AllocationRecord.h"
#include "data/records/AssociateRecord.h"
#include "data/records/DataFieldRecord.h"
#include "data/records/ElementRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/LocationRecord.h"
#include "data/records/MachineRecord.h"
#include "data/records/MistakeRecord.h"
#include "data/records/ScheduleRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "host/ActivityTable.h"
#include "data/records/ProductionLineRecord.h"

#include <memory>

namespace vel {

namespace hostFiles {
inline constexpr QLatin1StringView allocations{"TBVMALC.--"};
inline constexpr QLatin1StringView associates{"TBVMASC.--"};
inline constexpr QLatin1StringView workCenters{"TBVMWCT.--"};
inline constexpr QLatin1StringView standards{"TBVMSTD.--"};
inline constexpr QLatin1StringView mistakes{"TBVMMST.--"};
inline constexpr QLatin1StringView groupings{"TBVMGRP.--"};
inline constexpr QLatin1StringView groupingMembers{"TBVMGMB.--"};
inline constexpr QLatin1StringView schedules{"TBVMSCH.--"};
inline constexpr QLatin1StringView locations{"TBVMLOC.--"};
inline constexpr QLatin1StringView machines{"TBVMMCH.--"};
inline constexpr QLatin1StringView dataFields{"TBVMFLD.--"};
inline constexpr QLatin1StringView productionLines{"TBVMPSL.--"};
inline constexpr QLatin1StringView dayFile{"TBDAYFIL.--"};
inline constexpr QLatin1StringView accessLock{"TBACCESS.--"};
}  // namespace hostFiles

struct SystemTables {
    std::unique_ptr<XbaseTable<StandardRecord>> standards;
    std::unique_ptr<ActivityTable> activities;
    std::unique_ptr<XbaseTable<AllocationRecord>> allocations;
    std::unique_ptr<XbaseTable<AssociateRecord>> associates;
    std::unique_ptr<XbaseTable<WorkCenterRecord>> workCenters;
    std::unique_ptr<XbaseTable<ElementRecord>> elements;
    std::unique_ptr<XbaseTable<TypeOfWorkRecord>> typesOfWork;
    std::unique_ptr<XbaseTable<MistakeRecord>> mistakes;
    std::unique_ptr<XbaseTable<GroupingRecord>> groupings;
    std::unique_ptr<XbaseTable<ScheduleRecord>> schedules;
    std::unique_ptr<XbaseTable<LocationRecord>> locations;
    std::unique_ptr<XbaseTable<MachineRecord>> machines;
    std::unique_ptr<XbaseTable<DataFieldRecord>> dataFields;
    std::unique_ptr<XbaseTable<ProductionLineRecord>> productionLines;
    std::unique_ptr<ActivityTable> corporateActivities;
    std::unique_ptr<XbaseTable<ElementRecord>> corporateElements;
    std::unique_ptr<XbaseTable<TypeOfWorkRecord>> corporateTypesOfWork;

    // Every table object, for opening or closing them all.
    std::vector<TableObject*> all() const;
};

}  // namespace vel

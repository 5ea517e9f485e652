#include "host/DemoSiteBuilder.h"

#include "host/DemoProductionLines.h"
#include "host/DemoSiteCatalogue.h"
#include "host/PostingRules.h"
#include "services/IniSettings.h"
#include "services/RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace vel {

namespace {

namespace catalogue = demoCatalogue;

constexpr int steps = 13;
constexpr int fileAccessError = 75;
constexpr int smallSeed = 20240611;
constexpr int largeSeed = 20240612;

QString twoDigits(int number) {
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

// A standard rounded to half units, as an engineer would set it.
float roundedStandard(double unitsPerHour) {
    return float(std::round(unitsPerHour * 2.0) / 2.0);
}

}  // namespace

DemoSiteShape DemoSiteShape::of(DemoSize size) {
    DemoSiteShape shape;
    shape.typesOfWork = int(catalogue::typesOfWork().size());
    shape.schedules = int(catalogue::schedules().size());
    if (size == DemoSize::Large) {
        shape.large = true;
        shape.workCenters = 99;
        shape.mistakes = int(catalogue::mistakes().size());
        shape.elements = int(catalogue::elements().size());
        shape.activities = 999;
        shape.allocations = 9999;
        shape.associates = 5000;
        shape.groupings = 30;
        shape.locations = 500;
        shape.machines = 40;
        shape.weeksOfWork = 104;
    } else {
        shape.workCenters = 8;
        shape.mistakes = 12;
        shape.elements = 11;
        shape.activities = 40;
        shape.allocations = 30;
        shape.associates = 120;
        shape.groupings = int(catalogue::groupings().size());
        shape.locations = 24;
        shape.machines = 6;
        shape.weeksOfWork = 52;
        shape.dataFields = true;
    }
    return shape;
}

DemoSiteBuilder::DemoSiteBuilder(ReferenceSystem& system, DemoSize size, const QDate& today)
    : system_(system),
      shape_(DemoSiteShape::of(size)),
      today_(today),
      random_(size == DemoSize::Large ? largeSeed : smallSeed) {}

void DemoSiteBuilder::reportStep(const QString& text, int step) {
    system_.StatusText(QStringLiteral("Creating the demo site: ") + text);
    system_.StatusPercent(step * 100 / steps);
}

void DemoSiteBuilder::build() {
    writeSettings();
    reportStep(QStringLiteral("mistakes"), 1);
    makeMistakes();
    store(system_.mistakes(), mistakes_);
    reportStep(QStringLiteral("elements"), 2);
    makeElements();
    store(system_.elements(), elements_);
    reportStep(QStringLiteral("types of work"), 3);
    makeTypesOfWork();
    store(system_.typesOfWork(), typesOfWork_);
    reportStep(QStringLiteral("work centers"), 4);
    makeWorkCenters();
    store(system_.workCenters(), workCenters_);
    reportStep(QStringLiteral("groupings"), 5);
    makeGroupings();
    store(system_.groupings(), groupings_);
    reportStep(QStringLiteral("schedules"), 6);
    makeSchedules();
    store(system_.schedules(), schedules_);
    reportStep(QStringLiteral("locations"), 7);
    makeLocations();
    store(system_.locations(), locations_);
    reportStep(QStringLiteral("machines"), 8);
    makeMachines();
    store(system_.machines(), machines_);
    reportStep(QStringLiteral("allocations"), 9);
    makeAllocations();
    store(system_.allocations(), allocations_);
    // Every customer account of the demo site has its account in the master file.
    if (!system_.addAllocationAccount(int(allocations_.size()))) {
        throw RuntimeError(fileAccessError,
                           QStringLiteral("Cannot add the allocation accounts to ") +
                               system_.masterfile().name() + QStringLiteral(": ") +
                               system_.referenceMasterfile().lastError());
    }
    reportStep(QStringLiteral("activities"), 10);
    makeActivities();
    if (shape_.dataFields) {
        assignDataFields();
        store(system_.typesOfWork(), typesOfWork_);
    }
    store(system_.activities(), activities_);
    reportStep(QStringLiteral("associates"), 11);
    makeAssociates();
    store(system_.associates(), associates_);
    reportStep(QStringLiteral("production sheets"), 12);
    recordWork();
    system_.StatusDone();
}

template <class Record>
void DemoSiteBuilder::store(Table<Record>& table, const std::vector<Record>& records) {
    if (!table.open()) {
        throw RuntimeError(fileAccessError, table.lastError());
    }
    for (size_t index = 0; index < records.size(); ++index) {
        table.setRecord(int(index) + 1, records[index]);
    }
    if (!table.save()) {
        const QString error = table.lastError();
        table.close();
        throw RuntimeError(fileAccessError, error);
    }
    table.close();
}

void DemoSiteBuilder::writeSettings() {
    IniSettings settings(system_.settingsLocation());
    const auto write = [&settings](const QString& key, const QString& value) {
        if (!settings.writeText(key, value)) {
            throw RuntimeError(fileAccessError, settings.lastError());
        }
    };
    const auto flag = [](bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); };
    settings.selectSection(QString(ReferenceSystem::featuresSection));
    write(QStringLiteral("MistakeTracking"), flag(true));
    write(QStringLiteral("PerformancePolicy"), flag(shape_.large));
    write(QStringLiteral("Quality"), flag(true));
    write(QStringLiteral("Incentive"), flag(shape_.large));
    write(QStringLiteral("XYZ"), flag(!shape_.large));
    write(QStringLiteral("DataCollection"), flag(false));
    write(QStringLiteral("CostTracking"), flag(true));
    write(QStringLiteral("Languages"), QStringLiteral("0"));
    settings.selectSection(QStringLiteral("System"));
    write(QStringLiteral("MaxAllocations"),
          shape_.allocations > 999 ? QStringLiteral("9999") : QStringLiteral("999"));
    write(QStringLiteral("MaxWorkCenters"), QString::number(std::max(shape_.workCenters, 20)));
    if (!shape_.large) {
        settings.selectSection(QStringLiteral("XYZ"));
        write(QStringLiteral("TimeElement"), QStringLiteral("Travel Minutes"));
    }
}

void DemoSiteBuilder::makeMistakes() {
    for (int index = 0; index < shape_.mistakes; ++index) {
        mistakes_.push_back(MistakeRecord{catalogue::mistakes()[index]});
    }
}

void DemoSiteBuilder::makeElements() {
    for (int index = 0; index < shape_.elements; ++index) {
        const catalogue::ElementEntry& entry = catalogue::elements()[size_t(index)];
        ElementRecord element;
        element.Desc = entry.description;
        element.EntryType = entry.entryType;
        element.StdType = ElementRecord::MinutesPerUnit;
        elements_.push_back(element);
        elementRates_.push_back(entry.unitsPerHour);
    }
}

void DemoSiteBuilder::makeTypesOfWork() {
    for (const catalogue::TypeOfWorkEntry& entry : catalogue::typesOfWork()) {
        TypeOfWorkRecord type;
        type.Code = entry.code;
        type.Desc = entry.description;
        type.ShowUnits = entry.code != QLatin1String("INDR");
        type.TrackQuality = entry.tracksQuality;
        type.Sequence = int(typesOfWork_.size()) + 1;
        if (entry.tracksQuality) {
            type.FailHours = 0.05 * random_.between(1, 5);
            type.FailCost = 2.5 * random_.between(1, 10);
            type.CategoryEnabled = {true, true, entry.code == QLatin1String("SHIP")};
            type.CategoryHours = {0.05, 0.1, 0.25};
            type.CategoryCost = {1.5, 3.0, 12.0};
        }
        size_t slot = 0;
        for (int mistake : entry.mistakes) {
            if (mistake <= shape_.mistakes) {
                type.Mistake[slot++] = mistake;
            }
        }
        typesOfWork_.push_back(type);
    }
}

void DemoSiteBuilder::makeWorkCenters() {
    const auto& bases = catalogue::workCenters();
    for (int index = 0; index < shape_.workCenters; ++index) {
        const catalogue::WorkCenterEntry& base = bases[size_t(index) % bases.size()];
        const int building = index / int(bases.size()) + 1;
        WorkCenterRecord center;
        center.Code = building == 1 ? base.code : base.code + QString::number(building);
        center.Desc = building == 1
                          ? base.description
                          : base.description + QStringLiteral(" B") + QString::number(building);
        center.Supervisor = catalogue::supervisors()[index % catalogue::supervisors().size()];
        center.Shift = base.shift;
        center.StartTime = catalogue::shiftStart(base.shift);
        center.StopTime = catalogue::shiftStop(base.shift);
        center.LowerIndicator = 85.0;
        center.UpperIndicator = 120.0;
        center.Sequence = index + 1;
        for (int type : base.typesOfWork) {
            center.TOWValid[size_t(type)] = true;
        }
        workCenters_.push_back(center);
        if (base.staffed) {
            staffedWorkCenters_.push_back(index + 1);
        }
    }
}

void DemoSiteBuilder::makeGroupings() {
    const auto& bases = catalogue::groupings();
    for (int index = 0; index < shape_.groupings; ++index) {
        GroupingRecord grouping;
        if (index < int(bases.size())) {
            grouping.Code = bases[size_t(index)].code;
            grouping.Desc = bases[size_t(index)].description;
        } else {
            const int team = index - int(bases.size()) + 1;
            grouping.Code = QStringLiteral("TEAM") + twoDigits(team);
            grouping.Desc = QStringLiteral("Team ") + twoDigits(team);
        }
        groupings_.push_back(grouping);
    }
}

void DemoSiteBuilder::makeSchedules() {
    for (const catalogue::ScheduleEntry& entry : catalogue::schedules()) {
        schedules_.push_back(
            ScheduleRecord{entry.code, entry.description, entry.start, entry.stop});
    }
}

void DemoSiteBuilder::makeLocations() {
    // Dock doors along one wall, staging lanes beside them, then the storage aisles.
    const int docks = shape_.locations / 4;
    const int staging = shape_.locations / 6;
    const int bays = shape_.large ? 20 : 7;
    for (int index = 0; index < shape_.locations; ++index) {
        LocationRecord location;
        if (index < docks) {
            location.Code = QStringLiteral("DOCK") + twoDigits(index + 1);
            location.Desc = QStringLiteral("Dock Door ") + QString::number(index + 1);
            location.Y = 12.0 * index;
            dockLocations_.push_back(index + 1);
        } else if (index < docks + staging) {
            const int lane = index - docks + 1;
            location.Code = QStringLiteral("STAGE") + twoDigits(lane);
            location.Desc = QStringLiteral("Staging Lane ") + QString::number(lane);
            location.X = 20.0;
            location.Y = 12.0 * lane;
        } else {
            const int position = index - docks - staging;
            const int aisle = position / bays + 1;
            const int bay = position % bays + 1;
            location.Code = QStringLiteral("A") + twoDigits(aisle) + u'-' + twoDigits(bay);
            location.Desc = QStringLiteral("Aisle %1 Bay %2").arg(aisle).arg(bay);
            location.X = 40.0 + 10.0 * aisle;
            location.Y = 5.0 * bay;
            location.Z = bay % 3 == 0 ? 6.5 : 0.0;
            // Travel activities end in the first half of the aisles only.
            if (position < (shape_.locations - docks - staging) / 2) {
                aisleLocations_.push_back(index + 1);
            }
        }
        locations_.push_back(location);
    }
}

void DemoSiteBuilder::makeMachines() {
    const auto& kinds = catalogue::machineKinds();
    for (int index = 0; index < shape_.machines; ++index) {
        const int kind = index % int(kinds.size());
        const int unit = index / int(kinds.size()) + 1;
        MachineRecord machine;
        machine.Code = kinds[size_t(kind)].code + twoDigits(unit);
        machine.Desc = kinds[size_t(kind)].description + u' ' + QString::number(unit);
        machines_.push_back(machine);
        // Forklifts, reach trucks and pallet jacks travel; order pickers and tuggers do not.
        if (kind == 0 || kind == 1 || kind == 3) {
            travelMachines_.push_back(index + 1);
        }
    }
}

void DemoSiteBuilder::makeAllocations() {
    const QStringList& first = catalogue::customerFirstWords();
    const QStringList& last = catalogue::customerLastWords();
    const int names = int(first.size() * last.size());
    for (int index = 0; index < shape_.allocations; ++index) {
        AllocationRecord allocation;
        allocation.Code = QStringLiteral("C%1").arg(index + 1, 4, 10, QLatin1Char('0'));
        allocation.Desc =
            first[index % first.size()] + u' ' + last[(index / first.size()) % last.size()];
        if (index >= names) {
            allocation.Desc += QStringLiteral(" #") + QString::number(index / names + 1);
        }
        allocation.Sequence = index + 1;
        allocations_.push_back(allocation);
    }
}

void DemoSiteBuilder::makeActivities() {
    // The small site leaves the last type of work without activities.
    const auto& entries = catalogue::activities();
    const int lastType = int(catalogue::typesOfWork().size()) - 1;
    std::vector<int> usable;
    for (int index = 0; index < int(entries.size()); ++index) {
        if (shape_.large || entries[size_t(index)].typeOfWork != lastType) {
            usable.push_back(index);
        }
    }
    for (int index = 0; index < shape_.activities; ++index) {
        const int variant = index / int(usable.size());
        activities_.push_back(makeActivity(index, usable[size_t(index) % usable.size()], variant));
    }
}

ActivityRecord DemoSiteBuilder::makeActivity(int index, int catalogueIndex, int variant) {
    const catalogue::ActivityEntry& entry = catalogue::activities()[size_t(catalogueIndex)];
    const catalogue::TypeOfWorkEntry& type = catalogue::typesOfWork()[size_t(entry.typeOfWork)];
    ActivityRecord activity;
    activity.Code =
        type.activityPrefix + QStringLiteral("%1").arg(index + 1, 3, 10, QLatin1Char('0'));
    activity.Desc = variant == 0
                        ? entry.description
                        : entry.description + QStringLiteral(" Zone ") + twoDigits(variant);
    activity.TOW = entry.typeOfWork + 1;
    activity.EarnedHrsCalc = entry.earnedHoursMethod;
    activity.Allocate = entry.allocate;
    activity.UnitsinAlloc = entry.allocate > 0;
    activity.UnitsinTOW = entry.earnedHoursMethod != 0;
    activity.UnitsinQual = type.tracksQuality;
    activity.ExcludeFromIncentive = entry.earnedHoursMethod == 0;
    activity.ExcludeFromPPA = entry.earnedHoursMethod == 0;
    if (entry.earnedHoursMethod == 3) {
        activity.Historical = true;
        activity.HistStartDate = today_.addDays(-91);
    } else if (entry.earnedHoursMethod == 5) {
        activity.ReflectiveWC = staffedWorkCenters_.front();
    } else if (entry.earnedHoursMethod == 6) {
        activity.ReflectiveGroup = 5;  // the cross-trained associates
    }
    if (type.code == QLatin1String("PICK") || type.code == QLatin1String("PACK")) {
        activity.GetDoc = true;
        activity.Document = QStringLiteral("Order Number");
    }
    const bool measured = entry.earnedHoursMethod == 1 || entry.earnedHoursMethod == 2;
    bool travels = false;
    for (int slot = 0; slot < int(entry.elements.size()); ++slot) {
        const QString& name = entry.elements[slot];
        int element = 0;
        for (int number = 1; number <= int(elements_.size()); ++number) {
            element = elements_[size_t(number - 1)].Desc == name ? number : element;
        }
        const float rate = elementRates_[size_t(element - 1)];
        ActivityElementSlot& target = activity.Elements[size_t(slot)];
        target.Element = element;
        target.Standard =
            measured && rate > 0.0F ? roundedStandard(rate * random_.factor(80, 120)) : -1.0F;
        target.LowerLimit = 0.0F;
        target.UpperLimit = rate > 0.0F ? std::round(rate * 12.0F) : 240.0F;
        target.UseUnits = slot == 0;
        target.Historical = slot == 0 && activity.Historical;
        travels = travels || rate < 0.0F;
    }
    if (travels) {
        activity.UseXYZ = !shape_.large;
        activity.StartLocCode = locations_[size_t(random_.pick(dockLocations_) - 1)].Code;
        activity.EndLocCode = locations_[size_t(random_.pick(aisleLocations_) - 1)].Code;
        activity.MachineCode = machines_[size_t(random_.pick(travelMachines_) - 1)].Code;
        activity.ReleaseMachine = true;
    }
    if (entry.allocate > 0) {
        // Customer standards on a few accounts; the last quarter of the accounts has none.
        const int accounts = shape_.allocations * 3 / 4;
        const int count = random_.between(3, 5);
        for (int chosen = 0; chosen < count; ++chosen) {
            ActivityRecord::SlotStandards standards;
            standards.fill(-1.0F);
            for (size_t slot = 0; slot < standards.size(); ++slot) {
                const float standard = activity.Elements[slot].Standard;
                if (standard > 0.0F) {
                    standards[slot] = roundedStandard(standard * random_.factor(85, 115));
                }
            }
            activity.AllocationStandards[random_.between(1, accounts)] = standards;
        }
    }
    return activity;
}

void DemoSiteBuilder::makeAssociates() {
    for (int number = 1; number <= shape_.associates; ++number) {
        associates_.push_back(makeAssociate(number));
    }
}

AssociateRecord DemoSiteBuilder::makeAssociate(int number) {
    constexpr int leads = 1;
    constexpr int newHires = 4;
    AssociateRecord associate;
    associate.Code = QString::number(10000 + number);
    associate.FirstName = random_.pick(catalogue::firstNames());
    associate.LastName = random_.pick(catalogue::lastNames());
    associate.WorkCenter = random_.pick(staffedWorkCenters_);
    const WorkCenterRecord& home = workCenters_[size_t(associate.WorkCenter - 1)];
    associate.Shift = home.Shift;
    // Day-shift associates mostly work days, a few four tens; the weekend crew stays empty.
    associate.Schedule = home.Shift == 1 && random_.chance(15) ? 4 : home.Shift;
    associate.HireDate = today_.addDays(-random_.between(14, 5400));
    // The last grouping is left without members.
    associate.Grouping = random_.chance(45) ? 0 : random_.between(1, shape_.groupings - 1);
    if (associate.HireDate > today_.addDays(-90)) {
        associate.Grouping = newHires;
    }
    associate.WageRate = 15.0 + 0.25 * random_.between(0, 36);
    if (associate.Grouping == leads) {
        associate.WageRate += 3.0;
    }
    associate.Badge[0] = QString::number(700000 + number);
    associate.OnPayRoll = true;
    associate.PayIncentive = shape_.large;
    associate.AssociateIncentive = shape_.large;
    associate.IncludeinPerf = true;
    associate.IncludeinQuality = true;
    return associate;
}

// The day file is written with the recorded work (DemoSiteWork.cpp).
template void DemoSiteBuilder::store(Table<DayFileRecord>&, const std::vector<DayFileRecord>&);

}  // namespace vel

#pragma once
// A kind of work that associates record on production sheets. Active when its code is set.
// Besides its own settings it carries its 30 element slots and, per valid allocation, the
// standard of each slot (units per hour; an allocation present in the map is valid for the
// activity, so the map stays as small as the allocations in use).
#include "data/RecordFields.h"
#include "data/records/ActivityElementSlot.h"

#include <map>

namespace vel {

struct ActivityRecord {
    static constexpr int Languages = 4;
    static constexpr int ElementSlots = 30;
    using SlotStandards = std::array<float, ElementSlots>;

    QString Code;
    QString Desc;
    std::array<QString, Languages> Lang;
    int TOW = 0;      // type-of-work record number; 0: none
    int IncRate = 0;  // incentive rate scale
    bool GetDoc = false;
    bool MultiDoc = false;
    QString Document;  // document prompt text
    int Lookup = 0;    // 0 off; 1 attempt to find, 2 must find, 3 document and activity
    int Reuse = 0;     // 0 cannot be reused, 1 can be reused, 2 shared with others
    int Allocate = 0;  // 0 never, 1 sometimes, 2 always
    bool UnitsinAlloc = false;
    bool UnitsinTOW = false;
    bool UnitsinQual = false;
    bool ProRateFlag = false;
    bool AllAllocSameStd = false;
    bool Kiosk = false;
    int KioskColor = 0;  // 0x00BBGGRR
    bool SystemTracked = false;
    int EarnedHrsCalc = 0;  // 0 none to 6 reflective of a group
    int ReflectiveWC = 0;
    int ReflectiveGroup = 0;
    int ReflectiveTOW = 0;  // 0: all types of work
    int ReflectiveRecorded = 0;
    bool Historical = false;  // standards from the historical average
    QDate HistStartDate;
    bool ExcludeFromIncentive = false;
    bool Protected = false;
    bool AdditivePay = false;
    int AdditiveType = 0;  // 0 percent of wage, 1 fixed amount
    double AdditiveAmount = 0.0;
    bool ExcludeFromPPA = false;
    QString StartLocCode;
    QString EndLocCode;
    QString MachineCode;
    bool UseXYZ = false;
    bool ReleaseMachine = false;
    int FldHoursto = 0;  // data fields of actual hours, earned hours and cost; 0: none
    int FldEarnedto = 0;
    int FldCostto = 0;
    std::array<ActivityElementSlot, ElementSlots> Elements;
    std::map<int, SlotStandards> AllocationStandards;  // by allocation record number

    int elementCount() const {
        int count = 0;
        for (const ActivityElementSlot& slot : Elements) {
            count += slot.isEmpty() ? 0 : 1;
        }
        return count;
    }
    // The slot (0-based) holding an element, or -1.
    int slotOf(int element) const {
        for (int slot = 0; slot < ElementSlots; ++slot) {
            if (element != 0 && Elements[size_t(slot)].Element == element) {
                return slot;
            }
        }
        return -1;
    }

    // The stored settings; the element slots come last as Element1, Standard1, LowerLimit1,
    // UpperLimit1, Switches1, UnitsField1, ... The allocation standards are kept apart.
    static const Fields<ActivityRecord>& fields();
    bool operator==(const ActivityRecord&) const = default;
};

}  // namespace vel

#pragma once
// The local control activity file "TBCCACT.--" + system number that a corporate system publishes
// (zipped) with its control tables: one row per activity, valid allocation and element with the
// standard, by code, so that a site can read the corporate standards without the corporate
// record numbers. A row with an empty element marks the allocation as valid for the activity.
#include "data/RecordFields.h"
#include "host/ActivityTable.h"
#include "host/XbaseStore.h"

namespace vel {

class ReferenceSystem;

struct CorporateControlRow {
    QString Activity;
    QString Allocation;
    QString Element;
    double UnitsHour = 0.0;
    double MinUnit = 0.0;

    static const Fields<CorporateControlRow>& fields() {
        using R = CorporateControlRow;
        static const Fields<R> list{field(QStringLiteral("Activity"), &R::Activity, 10),
                                    field(QStringLiteral("Allocation"), &R::Allocation, 20),
                                    field(QStringLiteral("Element"), &R::Element, 30),
                                    field(QStringLiteral("UnitsHour"), &R::UnitsHour, 16, 7),
                                    field(QStringLiteral("MinUnit"), &R::MinUnit, 16, 7)};
        return list;
    }
    bool operator==(const CorporateControlRow&) const = default;
};

// Writes the file afresh from the system's activities, allocations and elements (through a
// temporary file, so that a failure leaves the earlier file); false with the reason in error.
bool writeCorporateControlFile(ReferenceSystem& system, QString* error);
// The rows of such a file; empty with the reason in error when it cannot be read.
std::vector<CorporateControlRow> readCorporateControlFile(const QString& path, QString* error);

// The allocation standards of the corporate activities (one entry per record) as this site
// numbers its allocations: read from the control activity file unpacked into the folder (the
// newest when several corporate systems left one), allocations matched to the site's by code,
// elements to the corporate activity's slots by the corporate elements' codes. An allocation
// the site does not have is left out; without a control file every activity has none.
std::vector<ActivityTable::Standards> corporateStandardsByCode(
    ReferenceSystem& system, const QString& folder, const std::vector<ActivityRecord>& activities);

}  // namespace vel

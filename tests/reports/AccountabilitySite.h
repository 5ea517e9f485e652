#pragma once
// The accountability report's tests: a system with the performance policy on, two work centers,
// a grouping, a measured activity in the policy's calculations, a measured one left out of them
// and an unmeasured one, four associates, and production-sheet lines added by each test.
#include "editors/EditorHarness.h"

#include "data/RecordedWork.h"
#include "data/records/ActivityRecord.h"
#include "data/records/AssociateRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "services/IniSettings.h"

namespace vel::testing {

struct AccountabilitySite : EditorHarness {
    AccountabilitySite() {
        site.setSetting(QStringLiteral("Features"), QStringLiteral("PerformancePolicy"),
                        QStringLiteral("True"));
        reopen();
        WorkCenterRecord receiving = withCode<WorkCenterRecord>(QStringLiteral("REC"));
        receiving.Desc = QStringLiteral("Receiving");
        WorkCenterRecord shipping = withCode<WorkCenterRecord>(QStringLiteral("SHP"));
        shipping.Desc = QStringLiteral("Shipping");
        store(system->workCenters(), {receiving, shipping});
        GroupingRecord nights = withCode<GroupingRecord>(QStringLiteral("NIGHT"));
        nights.Desc = QStringLiteral("Nights");
        store(system->groupings(), {nights});
        store(system->activities(),
              {activity("PICK", "Picking", 1, false), activity("LOAD", "Loading", 1, true),
               activity("MEET", "Meeting", 0, false)});
        store(system->associates(),
              {associate("A1", "Adams", "Ann", 1, 1), associate("B2", "Brown", "Bob", 2, 0),
               associate("C3", "Clark", "Cy", 1, 0), associate("D4", "Diaz", "Dee", 0, 1)});
    }

    static ActivityRecord activity(const char* code, const char* name, int method,
                                   bool outsidePolicy) {
        ActivityRecord record = withCode<ActivityRecord>(QLatin1String(code));
        record.Desc = QLatin1String(name);
        record.EarnedHrsCalc = method;
        record.ExcludeFromPPA = outsidePolicy;
        record.Elements[0].Element = 1;
        record.Elements[0].Standard = 60.0F;
        record.Elements[0].UseUnits = true;
        return record;
    }
    static AssociateRecord associate(const char* code, const char* last, const char* first,
                                     int workCenter, int grouping) {
        AssociateRecord record = withCode<AssociateRecord>(QLatin1String(code));
        record.LastName = QLatin1String(last);
        record.FirstName = QLatin1String(first);
        record.WorkCenter = workCenter;
        record.Grouping = grouping;
        return record;
    }
    // A line of hours on a day; units at the minutes per unit earn units x minutes / 60 hours.
    static ProductionLineRecord line(const QDate& date, int associate, int activity, double hours,
                                     double units = 0, double minutes = 1.0) {
        ProductionLineRecord record;
        record.Date = date;
        record.Associate = associate;
        record.WorkCenter = 1;
        record.Activity = activity;
        record.Hours = hours;
        record.Element = {1};
        record.Units = {units};
        record.StdMinutes = {minutes};
        record.Cost = hours * 15.0;
        return record;
    }
    void record(const std::vector<ProductionLineRecord>& lines) {
        ASSERT_TRUE(system->recordedWork().addLines(lines));
    }
    // A setting of the "AssocAccount" section as the file holds it.
    QString stored(const QString& key) const {
        IniSettings settings(IniSettings::locationFor(site.folder, 1));
        settings.selectSection(QStringLiteral("AssocAccount"));
        return settings.readValue(key, QStringLiteral("<none>"));
    }
};

}  // namespace vel::testing

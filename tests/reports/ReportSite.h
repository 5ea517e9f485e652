#pragma once
// A reference-host site with known recorded work for the associate report tests. The clock is
// Wednesday 13 March 2024, so the short-term history (4 weeks) runs 12 February to 10 March and
// the long-term history (13 weeks) 11 December 2023 to 10 March.
//
// Associates (record number, code, home work center, primary grouping, wage rate):
//   1 Adams, Ann  A01  Receiving (1)  Day Shift (1)  15.00
//   2 Baker, Bob  B02  Shipping (2)   none           16.00
//   3 Clark, Cy   C03  none           none           14.00
//   4 Dunn, Dee   D04  Receiving (1)  none           15.00
// Activities: 1 PICK (measured; element 1 counts in the units; type of work 1, which tracks
// quality: 0.5 hours and 10.00 per failed unit), 2 MEET (unmeasured; type of work 2).
// Lines (PICK at the standard minutes the line carries):
//   Adams  2024-03-04  Receiving  PICK 4 h, 300 units at 1 min, cost 60; 100 units audited,
//                                 2 failed at the audit, 1 at a check
//   Adams  2024-01-15  Receiving  PICK 4 h, 150 units at 1 min, cost 60 (long term only)
//   Baker  2024-03-05  Shipping   PICK 3 h, 90 units at 2 min, cost 48; MEET 2 h, cost 32
//   Clark  2024-03-06  Receiving  MEET 6 h, cost 84
//   Dunn   2024-03-07  Receiving  PICK 0.01 h, 1000 units at 1 min, cost 0.15
#include "component/CVelUI.h"
#include "data/records/AssociateRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "editors/EditorHarness.h"
#include "host/RecordedWorkSupport.h"

namespace vel::testing {

struct ReportSite : EditorHarness {
    ReportSite() {
        writeSampleMasters(*system);
        WorkCenterRecord receiving = withCode<WorkCenterRecord>(QStringLiteral("RECV"));
        receiving.Desc = QStringLiteral("Receiving");
        receiving.UpperIndicator = 120;
        receiving.LowerIndicator = 85;
        WorkCenterRecord shipping = withCode<WorkCenterRecord>(QStringLiteral("SHIP"));
        shipping.Desc = QStringLiteral("Shipping");
        shipping.UpperIndicator = 110;
        shipping.LowerIndicator = 80;
        store(system->workCenters(), {receiving, shipping});
        GroupingRecord days = withCode<GroupingRecord>(QStringLiteral("DAYS"));
        days.Desc = QStringLiteral("Day Shift");
        store(system->groupings(), {days});
        store(system->associates(), {associate("A01", "Adams", "Ann", 1, 1, 15.0),
                                     associate("B02", "Baker", "Bob", 2, 0, 16.0),
                                     associate("C03", "Clark", "Cy", 0, 0, 14.0),
                                     associate("D04", "Dunn", "Dee", 1, 0, 15.0)});
        EXPECT_TRUE(system->recordedWork().addLines(lines()));
    }

    static AssociateRecord associate(const char* code, const char* last, const char* first,
                                     int center, int grouping, double wage) {
        AssociateRecord record = withCode<AssociateRecord>(QString::fromLatin1(code));
        record.LastName = QString::fromLatin1(last);
        record.FirstName = QString::fromLatin1(first);
        record.WorkCenter = center;
        record.Grouping = grouping;
        record.WageRate = wage;
        record.HireDate = QDate(2020, 1, 6);
        return record;
    }

    static ProductionLineRecord line(const QDate& date, int associate, int center, int activity,
                                     double hours, double units, double minutes, double cost) {
        ProductionLineRecord line;
        line.Date = date;
        line.Associate = associate;
        line.WorkCenter = center;
        line.Activity = activity;
        line.Hours = hours;
        if (units > 0) {
            line.Element = {1};
            line.Units = {units};
            line.StdMinutes = {minutes};
        }
        line.Cost = cost;
        return line;
    }

    static std::vector<ProductionLineRecord> lines() {
        ProductionLineRecord audited = line(QDate(2024, 3, 4), 1, 1, 1, 4.0, 300, 1.0, 60);
        audited.AuditedUnits = 100;
        audited.AuditFailed = 2;
        audited.CheckFailed = 1;
        return {audited,
                line(QDate(2024, 1, 15), 1, 1, 1, 4.0, 150, 1.0, 60),
                line(QDate(2024, 3, 5), 2, 2, 1, 3.0, 90, 2.0, 48),
                line(QDate(2024, 3, 5), 2, 2, 2, 2.0, 0, 0, 32),
                line(QDate(2024, 3, 6), 3, 1, 2, 6.0, 0, 0, 84),
                line(QDate(2024, 3, 7), 4, 1, 1, 0.01, 1000, 1.0, 0.15)};
    }
};

}  // namespace vel::testing

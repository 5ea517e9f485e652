#pragma once
// The associate editor's tests: a reference system with two work centers, two groupings, a
// schedule and a few associates, and helpers to read back what the editor saved.
#include "EditorHarness.h"

#include "data/records/AssociateRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/ScheduleRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "host/ChangeLog.h"
#include "ui/MessageBoxCodes.h"

namespace vel::testing {

inline AssociateRecord associate(const QString& code, const QString& last, const QString& first,
                                 int workCenter = 1, int grouping = 0) {
    AssociateRecord record;
    record.Code = code;
    record.LastName = last;
    record.FirstName = first;
    record.WorkCenter = workCenter;
    record.Grouping = grouping;
    return record;
}

// Brings a page of the record window to the front, so that its controls take entries.
inline void onPage(FormDriver& record, const QString& page) {
    record.set(QStringLiteral("TabStrip1"), page);
}

struct AssociateSite : EditorHarness {
    AssociateSite() {
        WorkCenterRecord receiving = withCode<WorkCenterRecord>(QStringLiteral("RCV"));
        receiving.Desc = QStringLiteral("Receiving");
        WorkCenterRecord shipping = withCode<WorkCenterRecord>(QStringLiteral("SHP"));
        shipping.Desc = QStringLiteral("Shipping");
        store(system->workCenters(), {receiving, shipping});
        GroupingRecord nights = withCode<GroupingRecord>(QStringLiteral("NIGHTS"));
        nights.Desc = QStringLiteral("Night crew");
        GroupingRecord temps = withCode<GroupingRecord>(QStringLiteral("TEMPS"));
        temps.Desc = QStringLiteral("Temporary staff");
        store(system->groupings(), {nights, temps});
        ScheduleRecord days = withCode<ScheduleRecord>(QStringLiteral("DAYS"));
        days.Desc = QStringLiteral("Day shift");
        store(system->schedules(), {days});
        // Saved changes are exported automatically, which this version does not do yet.
        ui.answerAlways(QStringLiteral("The automatic export of a changed table"), IDOK);
    }
    void setSetting(const QString& section, const QString& key, const QString& value) {
        site.setSetting(section, key, value);
    }
    void storeAssociates(const std::vector<AssociateRecord>& records) {
        store(system->associates(), records);
    }
    std::vector<AssociateRecord> storedAssociates() {
        reopen();
        auto& table = system->associates();
        EXPECT_TRUE(table.open());
        std::vector<AssociateRecord> records;
        for (int number = 1; number <= table.recordCount(); ++number) {
            records.push_back(table.record(number));
        }
        table.close();
        return records;
    }
    std::vector<ChangeLogEntry> logEntries() { return system->changeLog().entries(); }
    // The messages shown, without the automatic export's.
    std::vector<MessageRecord> messages() const {
        std::vector<MessageRecord> shown;
        for (const MessageRecord& message : ui.transcript().messages()) {
            if (!message.prompt.startsWith(QStringLiteral("The automatic export"))) {
                shown.push_back(message);
            }
        }
        return shown;
    }
};

}  // namespace vel::testing

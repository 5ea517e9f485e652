#pragma once
// The activity editor's tests: a reference system with three elements, two allocations and a
// type of work, the table access answered "modify", and helpers to store and read activities
// and the change log.
#include "EditorHarness.h"

#include "data/records/ActivityRecord.h"
#include "data/records/AllocationRecord.h"
#include "data/records/ElementRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "host/ChangeLog.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>
#include <QFile>

namespace vel::testing {

// Element numbers of the site.
enum SiteElement { Cases = 1, Lines = 2, TravelMinutes = 3 };
// Allocation numbers of the site.
enum SiteAllocation { North = 1, South = 2 };

struct ActivityEditorSite : EditorHarness {
    explicit ActivityEditorSite(int extraElements = 0, int dataFields = 20)
        : EditorHarness(dataFields) {
        std::vector<ElementRecord> elements{
            withDescription<ElementRecord>(QStringLiteral("Cases")),
            withDescription<ElementRecord>(QStringLiteral("Lines")),
            withDescription<ElementRecord>(QStringLiteral("Travel Minutes"))};
        for (int extra = 1; extra <= extraElements; ++extra) {
            elements.push_back(
                withDescription<ElementRecord>(QStringLiteral("Extra ") + QString::number(extra)));
        }
        store(system->elements(), elements);
        AllocationRecord north{QStringLiteral("N"), QStringLiteral("North"), 0};
        AllocationRecord south{QStringLiteral("S"), QStringLiteral("South"), 0};
        store(system->allocations(), {north, south});
        TypeOfWorkRecord picking = withCode<TypeOfWorkRecord>(QStringLiteral("PICK"));
        picking.Desc = QStringLiteral("Picking");
        store(system->typesOfWork(), {picking});
        reopen();
        // The command class's automatic export after a changed table is not built yet.
        ui.answerAlways(QStringLiteral("is not available yet"), IDOK);
    }

    // A measured activity (individual standard) with elements and their standards (units/hour).
    static ActivityRecord measured(const QString& code, const QString& description,
                                   const std::vector<std::pair<int, float>>& elements = {}) {
        ActivityRecord activity;
        activity.Code = code;
        activity.Desc = description;
        activity.EarnedHrsCalc = 1;
        activity.TOW = 1;
        for (size_t slot = 0; slot < elements.size(); ++slot) {
            activity.Elements[slot].Element = elements[slot].first;
            activity.Elements[slot].Standard = elements[slot].second;
            activity.Elements[slot].UseUnits = true;
        }
        return activity;
    }

    void storeActivities(const std::vector<ActivityRecord>& activities) {
        store(system->activities(), activities);
        reopen();
    }

    // The activity as the files hold it after the editor closed.
    ActivityRecord stored(int number) {
        reopen();
        auto& table = system->activities();
        EXPECT_TRUE(table.open()) << table.lastError().toStdString();
        const ActivityRecord record =
            number <= table.recordCount() ? table.record(number) : ActivityRecord{};
        table.close();
        return record;
    }

    // Copies of the site's own tables as the corporate control copies that the corporate control
    // check leaves in the "Corporate" folder.
    void copyToCorporate(std::initializer_list<const char*> files) {
        ASSERT_TRUE(QDir().mkpath(site.path(QStringLiteral("Corporate"))));
        for (const char* file : files) {
            const QString name = QString::fromLatin1(file);
            ASSERT_TRUE(
                QFile::copy(site.path(name), site.path(QStringLiteral("Corporate/") + name)));
        }
    }

    std::vector<ChangeLogEntry> changeLog() {
        return ChangeLog(site.path(QStringLiteral("TBEDITLOG.--1")), fixedNow).entries();
    }

    bool edit() { return component.EditActivity(0, *system); }

    // The editor's own messages (without the command class's note on the automatic export).
    std::vector<MessageRecord> messages() const {
        std::vector<MessageRecord> own;
        for (const MessageRecord& message : ui.transcript().messages()) {
            if (!message.prompt.contains(QStringLiteral("is not available yet"))) {
                own.push_back(message);
            }
        }
        return own;
    }
};

// The list opens the first line in the record window, then closes by OK.
inline void editFirstLine(FormDriver& list) {
    list.selectLine(QStringLiteral("lvList"), 0);
    list.click(QStringLiteral("btnEdit"));
    list.click(QStringLiteral("btnOK"));
}

// Brings a tab of the record window to the front, as a person must before using its controls:
// 1 General, 2 Calculations, 3 Elements, 4 Valid Allocations, 5 Datafields, 6 Incentive and PPA,
// 7 XYZ Travel, 8 Languages, 9 Kiosk.
inline void showTab(FormDriver& record, int number) {
    record.selectTab(QStringLiteral("TabStrip1"), number);
}

inline void pressOK(FormDriver& record) {
    record.click(QStringLiteral("SaveButtons1(1)"));
}
inline void pressCancel(FormDriver& record) {
    record.click(QStringLiteral("SaveButtons1(2)"));
}

}  // namespace vel::testing

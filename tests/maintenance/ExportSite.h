#pragma once
// A reference system with a few known records of every validation table, a headless Ui whose
// unexpected windows and messages fail the test, and helpers that read an exported file back.
#include "editors/EditorHarness.h"

#include "data/records/ActivityRecord.h"
#include "data/records/AllocationRecord.h"
#include "data/records/AssociateRecord.h"
#include "data/records/DataFieldRecord.h"
#include "data/records/ElementRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "services/ErrorReport.h"

#include <QDir>
#include <QFile>

namespace vel::testing {

struct ExportSite : EditorHarness {
    ExportSite() : errors(system->errors()) {
        storeRecords();
        output = site.path(QStringLiteral("out"));
        QDir().mkpath(output);
    }

    void storeRecords() {
        WorkCenterRecord receiving = withCode<WorkCenterRecord>(QStringLiteral("RECV"));
        receiving.Desc = QStringLiteral("Receiving");
        receiving.Supervisor = QStringLiteral("Pat Lee");
        receiving.StartTime = QTime(7, 30);
        receiving.StopTime = QTime(16, 0);
        receiving.Shift = 1;
        receiving.TouchScreen = true;
        receiving.Sequence = 2;
        receiving.TOWValid[0] = true;
        WorkCenterRecord night = withCode<WorkCenterRecord>(QStringLiteral("NIGHT"));
        night.Desc = QStringLiteral("Night, \"late\" picking");
        night.StartTime = QTime(22, 0);
        night.StopTime = QTime(6, 0);
        night.Shift = 3;
        night.TOWValid[1] = true;
        store(system->workCenters(), {receiving, night});

        TypeOfWorkRecord direct = withCode<TypeOfWorkRecord>(QStringLiteral("DIRECT"));
        direct.Desc = QStringLiteral("Direct Work");
        TypeOfWorkRecord indirect = withCode<TypeOfWorkRecord>(QStringLiteral("INDIRECT"));
        indirect.Desc = QStringLiteral("Indirect Work");
        store(system->typesOfWork(), {direct, indirect});

        store(system->elements(),
              {withDescription<ElementRecord>(QStringLiteral("Cases")),
               withDescription<ElementRecord>(QStringLiteral("Lines")), ElementRecord{},
               withDescription<ElementRecord>(QStringLiteral("Pallets"))});

        AllocationRecord grocery = withCode<AllocationRecord>(QStringLiteral("GROCERY"));
        grocery.Desc = QStringLiteral("Grocery");
        AllocationRecord frozen = withCode<AllocationRecord>(QStringLiteral("FROZEN"));
        frozen.Desc = QStringLiteral("Frozen Foods");
        store(system->allocations(), {grocery, frozen});

        GroupingRecord leads = withCode<GroupingRecord>(QStringLiteral("LEADS"));
        leads.Desc = QStringLiteral("Lead Associates");
        store(system->groupings(), {leads});

        ActivityRecord pick = withCode<ActivityRecord>(QStringLiteral("PICK"));
        pick.Desc = QStringLiteral("Case Picking");
        pick.TOW = 1;
        pick.EarnedHrsCalc = 1;
        pick.Allocate = 2;
        pick.GetDoc = true;
        pick.Document = QStringLiteral("Order");
        pick.FldHoursto = 3;
        pick.FldEarnedto = 4;
        pick.UnitsinAlloc = true;
        pick.UnitsinTOW = true;
        pick.ExcludeFromPPA = true;
        pick.Kiosk = true;
        pick.Elements[0].Element = 1;
        pick.Elements[0].UseUnits = true;
        pick.Elements[0].UnitsField = 5;
        pick.Elements[0].Standard = 120.0F;
        pick.Elements[1].Element = 4;
        pick.Elements[1].Historical = true;
        pick.Elements[1].UnitsField = 6;
        ActivityRecord::SlotStandards standards{};
        standards[0] = 120.0F;
        standards[1] = 12.3F;
        pick.AllocationStandards[2] = standards;
        ActivityRecord idle = withCode<ActivityRecord>(QStringLiteral("IDLE"));
        idle.Desc = QStringLiteral("Idle Time");
        idle.TOW = 2;
        store(system->activities(), {pick, ActivityRecord{}, idle});

        AssociateRecord smith = withCode<AssociateRecord>(QStringLiteral("A100"));
        smith.LastName = QStringLiteral("Smith");
        smith.FirstName = QStringLiteral("Jo");
        smith.WorkCenter = 2;
        smith.Grouping = 1;
        smith.SSN = QStringLiteral("123-45-6789");
        smith.Badge[0] = QStringLiteral("B1");
        smith.Badge[9] = QStringLiteral("B10");
        smith.Shift = 3;
        smith.HireDate = QDate(2021, 4, 5);
        smith.WageRate = 17.5;
        smith.PerfGoal = 100;
        smith.OnPayRoll = true;
        smith.BaseIncentive = 1.5;
        smith.IncludeinPerf = true;
        AssociateRecord jones = withCode<AssociateRecord>(QStringLiteral("=B200"));
        jones.LastName = QStringLiteral("Jones");
        store(system->associates(), {smith, jones});

        auto& fields = system->dataFields();
        ASSERT_TRUE(fields.open()) << fields.lastError().toStdString();
        DataFieldRecord hours;
        hours.Desc = QStringLiteral("PICK Actual Hours");
        hours.InUse = true;
        hours.Allocation = true;
        hours.WorkCenter = false;
        fields.setRecord(3, hours);
        expectSaved(fields);
        fields.close();
    }

    // The lines of a text file, without their CR LF ends.
    static QStringList lines(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "cannot read " << path.toStdString();
            return {};
        }
        QStringList result = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        if (!result.isEmpty() && result.last().isEmpty()) {
            result.removeLast();
        }
        return result;
    }
    QStringList filesIn(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

    ScopedErrorReporter errors;
    QString output;
};

}  // namespace vel::testing

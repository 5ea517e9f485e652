// Imports while another workstation changes the same table (a second system object on the same
// folder holds the table-access lock): an unattended import waits its turn with the status shown
// and imports when the table comes free, gives up after the set time or at Cancel with nothing
// imported; a person's import is told at once. The waiting runs on a clock that takes no time.
#include "data/records/AllocationRecord.h"
#include "data/records/AssociateRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "host/HostTestSupport.h"
#include "maintenance/AllocationImport.h"
#include "maintenance/AssociateImport.h"
#include "maintenance/UnattendedImports.h"
#include "services/WaitSeconds.h"
#include "ui/HeadlessUi.h"

#include <gtest/gtest.h>
#include <QFile>

namespace vel::testing {
namespace {

const QString associateBusy = QStringLiteral(
    "The Associate Table is being changed at another workstation. Nothing was imported; try "
    "again when it is free.");
const QString allocationBusy = QStringLiteral(
    "The Allocation Table is being changed at another workstation. Nothing was imported; try "
    "again when it is free.");

// A headless Ui that tells the test each time the status says the import is waiting.
class WaitWatchingUi : public HeadlessUi {
  public:
    void statusText(const QString& text) override {
        HeadlessUi::statusText(text);
        if (text.startsWith(QStringLiteral("Waiting for the "))) {
            waits << text;
            if (onWaiting) {
                onWaiting(int(waits.size()));
            }
        } else if (onOtherStatus) {
            onOtherStatus(text);
        }
    }
    QStringList waits;
    std::function<void(int waits)> onWaiting;
    std::function<void(const QString&)> onOtherStatus;
};

// Whole seconds pass at every pause, so a wait of 30 seconds costs no time.
class InstantClock {
  public:
    InstantClock() : previous_(setWaitClock({[this] { return now_; }, [this] { now_ += 1000; }})) {}
    ~InstantClock() { setWaitClock(previous_); }

  private:
    qint64 now_ = 0;
    WaitClock previous_;
};

struct BusySite {
    BusySite() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        ui.setUnanswered(HeadlessUi::Unanswered::DefaultButton);
        system = site.open();
        other = site.open();
        auto& centers = system->workCenters();
        EXPECT_TRUE(centers.open());
        centers.setRecord(1, withCode<WorkCenterRecord>(QStringLiteral("W1")));
        expectSaved(centers);
        centers.close();
        associates = writeFile(QStringLiteral("assoc.csv"), "N1,New,One,W1\nN2,New,Two,W1\n");
        allocations = writeFile(QStringLiteral("alloc.csv"), "FROZEN,Frozen Foods,\n");
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(site.path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    template <class Record>
    int countOf(Table<Record>& table, const QString& code) {
        EXPECT_TRUE(table.open());
        int found = 0;
        for (int number = 1; number <= table.recordCount(); ++number) {
            found += table.isActive(number) && table.record(number).Code.trimmed() == code;
        }
        table.close();
        return found;
    }
    bool messageShown(const QString& text) const {
        return ui.transcript().lines().join(QLatin1Char('\n')).contains(text);
    }

    TestSite site;
    WaitWatchingUi ui;
    ScopedUi scope;
    InstantClock clock;
    std::unique_ptr<ReferenceSystem> system;
    std::unique_ptr<ReferenceSystem> other;  // the other workstation
    QString associates;
    QString allocations;
};

TEST(TableWait, AnUnattendedImportWaitsForTheOtherWorkstationAndThenImports) {
    BusySite s;
    ASSERT_TRUE(s.other->beginTableAccess(QStringLiteral("A"), true, false));
    s.ui.onWaiting = [&](int waits) {
        if (waits == 3) {
            s.other->endTableAccess();
        }
    };
    EXPECT_TRUE(importAssociatesUnattended(*s.system, s.associates, 0, 0, false));
    EXPECT_EQ(s.ui.waits,
              (QStringList{QStringLiteral("Waiting for the Associate Table: it is being changed at "
                                          "another workstation (1 of 30 seconds)"),
                           QStringLiteral("Waiting for the Associate Table: it is being changed at "
                                          "another workstation (2 of 30 seconds)"),
                           QStringLiteral("Waiting for the Associate Table: it is being changed at "
                                          "another workstation (3 of 30 seconds)")}));
    EXPECT_EQ(s.countOf(s.system->associates(), QStringLiteral("N2")), 1);
    EXPECT_FALSE(s.messageShown(associateBusy));
    // The import let the tables go again.
    EXPECT_TRUE(s.other->beginTableAccess(QStringLiteral("A"), true, false));
    s.other->endTableAccess();

    // The allocations likewise, under their own lock; while the import works, the other
    // workstation cannot take them.
    ASSERT_TRUE(s.other->beginTableAccess(QStringLiteral("AO"), true, false));
    s.ui.waits.clear();
    s.ui.onWaiting = [&](int) { s.other->endTableAccess(); };
    bool heldWhileImporting = false;
    s.ui.onOtherStatus = [&](const QString& text) {
        if (text.startsWith(QStringLiteral("Adding Allocation"))) {
            heldWhileImporting = !s.other->beginTableAccess(QStringLiteral("AO"), true, false);
        }
    };
    EXPECT_TRUE(importAllocationsUnattended(*s.system, s.allocations, 0, 0, false, 0, false));
    EXPECT_EQ(s.ui.waits.size(), 1);
    EXPECT_TRUE(heldWhileImporting);
    EXPECT_EQ(s.countOf(s.system->allocations(), QStringLiteral("FROZEN")), 1);
    EXPECT_TRUE(s.other->beginTableAccess(QStringLiteral("AO"), true, false));
    s.other->endTableAccess();
}

TEST(TableWait, AnUnattendedImportGivesUpAfterTheSetTimeOrAtCancelWithNothingImported) {
    BusySite s;
    ASSERT_TRUE(s.other->beginTableAccess(QStringLiteral("A"), true, false));
    ASSERT_TRUE(s.other->beginTableAccess(QStringLiteral("AO"), true, false));

    // Thirty seconds unless set otherwise; the table never came free.
    EXPECT_FALSE(importAssociatesUnattended(*s.system, s.associates, 0, 0, false));
    EXPECT_EQ(s.ui.waits.size(), 30);
    EXPECT_TRUE(s.messageShown(associateBusy));
    EXPECT_EQ(s.countOf(s.system->associates(), QStringLiteral("N1")), 0);

    s.site.setSetting(QStringLiteral("ImportFiles"), QStringLiteral("TableWaitSeconds"),
                      QStringLiteral("4"));
    s.ui.waits.clear();
    EXPECT_FALSE(importAllocationsUnattended(*s.system, s.allocations, 0, 0, false, 0, false));
    EXPECT_EQ(s.ui.waits.size(), 4);
    EXPECT_TRUE(s.messageShown(allocationBusy));
    EXPECT_EQ(s.countOf(s.system->allocations(), QStringLiteral("FROZEN")), 0);

    // The person at the status display presses Cancel while it waits.
    s.ui.waits.clear();
    s.ui.cancelWhenStatus(QStringLiteral("Waiting for the Associate Table"));
    EXPECT_FALSE(importAssociatesUnattended(*s.system, s.associates, 0, 0, false));
    EXPECT_EQ(s.ui.waits.size(), 1);

    // 0 seconds: no waiting at all.
    s.site.setSetting(QStringLiteral("ImportFiles"), QStringLiteral("TableWaitSeconds"),
                      QStringLiteral("0"));
    s.ui.waits.clear();
    EXPECT_FALSE(importAssociatesUnattended(*s.system, s.associates, 0, 0, false));
    EXPECT_TRUE(s.ui.waits.isEmpty());
    EXPECT_EQ(s.countOf(s.system->associates(), QStringLiteral("N1")), 0);
}

TEST(TableWait, APersonsImportIsToldAtOnce) {
    BusySite s;
    ASSERT_TRUE(s.other->beginTableAccess(QStringLiteral("A"), true, false));
    ASSERT_TRUE(s.other->beginTableAccess(QStringLiteral("AO"), true, false));
    AssociateImport associateImport(*s.system, fixedNow().date());
    EXPECT_FALSE(associateImport.importUpdates({s.associates, 0, 0, false, {}}));
    AllocationImportRequest request;
    request.fileName = s.allocations;
    EXPECT_FALSE(AllocationImport(*s.system).run(request));
    EXPECT_TRUE(s.ui.waits.isEmpty());
    EXPECT_TRUE(s.messageShown(associateBusy));
    EXPECT_TRUE(s.messageShown(allocationBusy));
    EXPECT_EQ(s.countOf(s.system->associates(), QStringLiteral("N1")), 0);
    EXPECT_EQ(s.countOf(s.system->allocations(), QStringLiteral("FROZEN")), 0);
}

}  // namespace
}  // namespace vel::testing

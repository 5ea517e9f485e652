// ReindexStandards and ReBuildStandards: the standards rebuilt from the activities only after
// both confirmations, the maintenance phase always ended, both answering False.
#include "component/CVelUI.h"
#include "editors/EditorHarness.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <gtest/gtest.h>

using namespace vel;
using vel::testing::TestSite;

namespace {

struct Standards : vel::testing::EditorHarness {
    Standards() {
        ActivityRecord activity;
        activity.Code = QStringLiteral("PICK");
        activity.Desc = QStringLiteral("Picking");
        activity.Elements[0].Element = 3;
        ActivityRecord::SlotStandards values;
        values.fill(-1.0F);
        values[0] = 40.0F;
        activity.AllocationStandards[4] = values;
        store(system->activities(), {activity});
        // A row left behind by an activity that is gone.
        auto& standards = system->standards();
        EXPECT_TRUE(standards.open());
        standards.setRecord(standards.recordCount() + 1, StandardRecord{77, 4, 3, 10.0F, 6.0F});
        EXPECT_TRUE(standards.save());
        standards.close();
    }
    // The activities the standards rows name, one entry a row.
    std::multiset<int> rows() {
        auto reader = site.open();
        auto& standards = reader->standards();
        EXPECT_TRUE(standards.open());
        std::multiset<int> activities;
        for (int row = 1; row <= standards.recordCount(); ++row) {
            if (standards.isActive(row)) {
                activities.insert(standards.record(row).Activity);
            }
        }
        return activities;
    }
    // Whether another workstation could take the activities for changes now.
    bool activitiesFree() {
        auto other = site.open();
        const bool free = other->beginTableAccess(QStringLiteral("A"), true, false);
        other->endTableAccess();
        return free;
    }
};

const std::multiset<int> withOrphan{1, 1, 77};
const std::multiset<int> rebuilt{1, 1};
const QString firstQuestion = QStringLiteral("OK to Continue with the Rebuild?");
const QString secondQuestion = QStringLiteral("Are you REALLY, REALLY sure");

TEST(StandardsMaintenance, RebuildOnlyAfterBothConfirmationsAndTheActivitiesAreFreedAfterwards) {
    Standards s;
    ASSERT_EQ(s.rows(), withOrphan);
    s.ui.answer(firstQuestion, IDCANCEL);
    EXPECT_FALSE(s.component.ReBuildStandards(0, *s.system));
    EXPECT_EQ(s.rows(), withOrphan);
    EXPECT_TRUE(s.activitiesFree());

    s.ui.answer(firstQuestion, IDOK);
    s.ui.answer(secondQuestion, IDNO);
    EXPECT_FALSE(s.component.ReBuildStandards(0, *s.system));
    EXPECT_EQ(s.rows(), withOrphan);

    s.ui.answer(firstQuestion, IDOK);
    s.ui.answer(secondQuestion, IDYES);
    EXPECT_FALSE(s.component.ReBuildStandards(0, *s.system)) << "the answer is always False";
    EXPECT_EQ(s.rows(), rebuilt);
    EXPECT_TRUE(s.activitiesFree());
    const auto& messages = s.ui.transcript().messages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[0].style, 305);
    EXPECT_EQ(messages[0].caption, "OK to Continue?");
    EXPECT_TRUE(messages[0].prompt.startsWith("Make sure all Days are Posted.  After the rebuild"));
    EXPECT_EQ(messages[2].style, 308);
}

TEST(StandardsMaintenance, ReindexAsksNothingChangesNothingAndAnswersFalse) {
    Standards s;
    EXPECT_FALSE(s.component.ReindexStandards(0, *s.system));
    EXPECT_EQ(s.rows(), withOrphan);
    EXPECT_TRUE(s.ui.transcript().messages().empty());
}

}  // namespace

// How each editor opens its table between workstations: the activity, element and associate
// editors offer the view-or-modify choice while the tables are free and open read-only without
// it while another workstation holds them; the mistake and allocation editors ask the host only.
#include "AssociateSite.h"

#include "data/records/ActivityRecord.h"
#include "data/records/AllocationRecord.h"
#include "data/records/ElementRecord.h"
#include "data/records/MistakeRecord.h"
#include "editors/frmActivity.h"
#include "editors/frmAllocation.h"
#include "editors/frmElement.h"
#include "editors/frmEmployee.h"
#include "editors/frmMistake.h"

namespace vel::testing {
namespace {

struct AccessSite : AssociateSite {
    AccessSite() {
        site.setSetting(QStringLiteral("Features"), QStringLiteral("MistakeTracking"),
                        QStringLiteral("1"));
        reopen();
        store(system->elements(), {withDescription<ElementRecord>(QStringLiteral("Cases"))});
        store(system->mistakes(), {withDescription<MistakeRecord>(QStringLiteral("Short"))});
        AllocationRecord grocery = withCode<AllocationRecord>(QStringLiteral("GROCERY"));
        grocery.Desc = QStringLiteral("Grocery");
        store(system->allocations(), {grocery});
        store(system->associates(),
              {associate(QStringLiteral("A100"), QStringLiteral("Smith"), QStringLiteral("Jo"))});
        ActivityRecord idle = withCode<ActivityRecord>(QStringLiteral("IDLE"));
        idle.Desc = QStringLiteral("Idle Time");
        store(system->activities(), {idle});
        ui.answerAlways(QStringLiteral("is not available yet"), IDOK);
        ui.whenever(QStringLiteral("TBEditForm"), [this](FormDriver& list) {
            captions << list.form().caption();
            list.click(QStringLiteral("btnCancel"));
        });
    }
    // Runs the editor, answering the choice (if it comes) with the option; answers whether the
    // list was shown and records whether the choice came.
    template <class Editor>
    bool run(const QString& option, bool& asked) {
        asked = false;
        ui.whenever(QStringLiteral("frmOKtoView"), [&](FormDriver& question) {
            asked = true;
            if (option.isEmpty()) {
                question.click(QStringLiteral("cmdCancel"));
                return;
            }
            question.click(option);
            question.click(QStringLiteral("cmdOK"));
        });
        captions.clear();
        return edit<Editor>() && !captions.isEmpty();
    }
    QStringList captions;
};

// Another workstation takes the activity family ("A") and the allocations ("AO").
void holdBothFamilies(VelmorSystem& other) {
    ASSERT_TRUE(other.beginTableAccess(QStringLiteral("A"), true, false));
    ASSERT_TRUE(other.beginTableAccess(QStringLiteral("AO"), true, false));
}

const QString view = QStringLiteral("Option1(0)");
const QString modify = QStringLiteral("Option1(1)");

template <class Editor>
void expectTheChoice(AccessSite& s, const QString& table) {
    SCOPED_TRACE(table.toStdString());
    bool asked = false;
    EXPECT_TRUE(s.run<Editor>(modify, asked));
    EXPECT_TRUE(asked);
    EXPECT_EQ(s.captions.value(0), table + QStringLiteral(" Table"));
    EXPECT_TRUE(s.run<Editor>(view, asked));
    EXPECT_EQ(s.captions.value(0), table + QStringLiteral(" Table (readonly)"));
    EXPECT_FALSE(s.run<Editor>({}, asked)) << "Cancel ends the editor";
    EXPECT_TRUE(asked);

    const auto other = s.site.open();
    holdBothFamilies(*other);
    EXPECT_TRUE(s.run<Editor>(modify, asked));
    EXPECT_FALSE(asked) << "no choice while another workstation holds the tables";
    EXPECT_EQ(s.captions.value(0), table + QStringLiteral(" Table (readonly)"));
    other->endTableAccess();
}

template <class Editor>
void expectThePlainQuestion(AccessSite& s, const QString& table) {
    SCOPED_TRACE(table.toStdString());
    bool asked = false;
    EXPECT_TRUE(s.run<Editor>(view, asked));
    EXPECT_FALSE(asked);
    EXPECT_EQ(s.captions.value(0), table + QStringLiteral(" Table"));

    const auto other = s.site.open();
    holdBothFamilies(*other);
    EXPECT_TRUE(s.run<Editor>(view, asked));
    EXPECT_FALSE(asked);
    EXPECT_EQ(s.captions.value(0), table + QStringLiteral(" Table (readonly)"));
    other->endTableAccess();
}

TEST(TableAccess, EachEditorOffersTheChoiceOrPutsThePlainQuestionAsItsRulesSay) {
    AccessSite s;
    expectTheChoice<frmActivity>(s, QStringLiteral("Activity"));
    expectTheChoice<frmElement>(s, QStringLiteral("Element"));
    expectTheChoice<frmEmployee>(s, QStringLiteral("Associate"));
    expectThePlainQuestion<frmMistake>(s, QStringLiteral("Mistake"));
    expectThePlainQuestion<frmAllocation>(s, QStringLiteral("Allocation"));
}

TEST(TableAccess, AForcedViewNeverAsks) {
    AccessSite s;
    bool asked = false;
    s.ui.whenever(QStringLiteral("frmOKtoView"), [&](FormDriver& question) {
        asked = true;
        question.click(QStringLiteral("cmdCancel"));
    });
    EXPECT_TRUE(s.edit<frmElement>(true));
    EXPECT_TRUE(s.edit<frmEmployee>(true));
    EXPECT_TRUE(s.edit<frmActivity>(true));
    EXPECT_FALSE(asked);
    EXPECT_EQ(s.captions, (QStringList{"Element Table (readonly)", "Associate Table (readonly)",
                                       "Activity Table (readonly)"}));
}

}  // namespace
}  // namespace vel::testing

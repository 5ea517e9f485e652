// The activity editor's checks on OK: each rule failing (message, tab in front, field focused,
// window open with its entries) and passing.
#include "ActivityEditorSite.h"

#include "data/records/LocationRecord.h"
#include "editors/frmActivity.h"
#include "data/records/ProductionLineRecord.h"
#include "ui/Grid.h"
#include "ui/TabStrip.h"

#include <QDir>
#include <QFile>

namespace vel::testing {
namespace {

QString frontTab(FormDriver& record) {
    return record.form().controlAs<TabStrip>(QStringLiteral("TabStrip1")).valueText();
}
QString focusedControl(FormDriver& record) {
    return record.form().focused() ? record.form().focused()->path() : QString();
}

// Scripts an edit of the first activity: `failing` sets up the window and presses OK; `check`
// looks at the reopened window, then `passing` presses OK again or cancels. The test queues the
// rule's answers and runs the editor.
struct RuleRun {
    std::function<void(FormDriver&)> failing;
    std::function<void(FormDriver&)> check;
    std::function<void(FormDriver&)> passing;
};
void runRule(ActivityEditorSite& s, const RuleRun& run) {
    s.ui.when(QStringLiteral("TBEditForm"), editFirstLine);
    s.ui.when(QStringLiteral("frmActivity"), run.failing);
    s.ui.when(QStringLiteral("frmActivity"), [run](FormDriver& record) {
        if (run.check) {
            run.check(record);
        }
        run.passing(record);
    });
}

TEST(frmActivityVerification, BlankCodeAndDescriptionTakeTheFocusOnTheGeneralTab) {
    ActivityEditorSite s;
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}})});
    runRule(s, {[](FormDriver& record) {
                    record.set(QStringLiteral("Text1(1)"), QStringLiteral("   "));
                    showTab(record, 3);
                    pressOK(record);
                },
                [](FormDriver& record) {
                    EXPECT_EQ(frontTab(record), "General");
                    EXPECT_EQ(focusedControl(record), "Text1(1)");
                },
                [](FormDriver& record) {
                    record.set(QStringLiteral("Text1(1)"), QStringLiteral("Case picking"));
                    pressOK(record);
                }});
    s.ui.answer(QStringLiteral("Description: Field cannot be blank"), IDOK);
    EXPECT_FALSE(s.edit());
    // Reached only through the blank check: the save went through afterwards.
    EXPECT_EQ(s.messages().size(), 1u);
}

TEST(frmActivityVerification, HistoricalStandardsNeedABaseElement) {
    ActivityEditorSite s;
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}})});
    runRule(s, {[](FormDriver& record) {
                    showTab(record, 2);
                    record.set(QStringLiteral("chkFlags(3)"), QStringLiteral("1"));
                    pressOK(record);
                },
                [](FormDriver& record) {
                    EXPECT_EQ(frontTab(record), "Calculations");
                    EXPECT_EQ(record.value(QStringLiteral("lblHistElement")),
                              "based on element: (None)");
                },
                [](FormDriver& record) {
                    showTab(record, 3);
                    record.set(QStringLiteral("chkHistorical"), QStringLiteral("1"));
                    EXPECT_EQ(record.value(QStringLiteral("lblHistElement")),
                              "based on element: Cases");
                    pressOK(record);
                }});
    s.ui.answer(QStringLiteral("You have selected to use Historical standards."), IDOK);
    EXPECT_FALSE(s.edit());
    EXPECT_TRUE(s.stored(1).Historical);
    EXPECT_TRUE(s.stored(1).Elements[0].Historical);
}

TEST(frmActivityVerification, UnmeasuredAndElementlessActivitiesAreAskedAbout) {
    ActivityEditorSite s;
    ActivityRecord unmeasured;
    unmeasured.Code = QStringLiteral("IDLE");
    unmeasured.Desc = QStringLiteral("Idle");
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking"), unmeasured});
    // A measured activity without elements: No keeps the window open, Yes saves.
    runRule(s, {pressOK, {}, pressOK});
    s.ui.answer(QStringLiteral("Since this activity is measured, you should have at least one "
                               "element active.  OK to save?"),
                IDNO);
    s.ui.answer(QStringLiteral("Since this activity is measured"), IDYES);
    EXPECT_FALSE(s.edit());
    // Once stored as unmeasured, the method stays and no question comes.
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        showTab(record, 2);
        EXPECT_FALSE(record.set(QStringLiteral("optEhrs(1)"), QStringLiteral("1")))
            << "an unmeasured activity stays unmeasured";
        pressOK(record);
    });
    EXPECT_FALSE(s.edit());
    const auto messages = s.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].style, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
}

TEST(frmActivityVerification, ElementsWithoutStandardsAskYesYesToAllOrNo) {
    ActivityEditorSite s;
    ActivityRecord team =
        ActivityEditorSite::measured("TEAM", "Team picking", {{Cases, 0.0F}, {Lines, 0.0F}});
    s.storeActivities({team});
    // No on the first element fails; Yes to All passes both; a team activity then needs one
    // non-zero standard; with one it saves, after the allocation's own missing standard.
    s.ui.when(QStringLiteral("TBEditForm"), editFirstLine);
    s.ui.when(QStringLiteral("frmActivity"), pressOK);
    s.ui.when(QStringLiteral("dlgYesToAll"), [](FormDriver& question) {
        EXPECT_EQ(question.value(QStringLiteral("lblPrompt")),
                  "Element: Cases on this activity does not have a standard.  OK to save?");
        question.click(QStringLiteral("cmdNo"));
    });
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        EXPECT_EQ(frontTab(record), "Elements");
        showTab(record, 2);
        record.set(QStringLiteral("optEhrs(2)"), QStringLiteral("1"));
        pressOK(record);
    });
    s.ui.when(QStringLiteral("dlgYesToAll"),
              [](FormDriver& question) { question.click(QStringLiteral("cmdYesToAll")); });
    s.ui.answer(QStringLiteral("You have selected that this is a Team Activity.  A Team Activity "
                               "must have at least one Element with a non-zero standard."),
                IDOK);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        record.set(QStringLiteral("optTime(1)"), QStringLiteral("1"));
        record.set(QStringLiteral("cboElement"), QStringLiteral("Lines"));
        record.set(QStringLiteral("nbElmTime"), QStringLiteral("50"));
        showTab(record, 4);
        record.tick(QStringLiteral("lsAllocations"), QStringLiteral("N - North"));
        record.editCell(QStringLiteral("grdAllocations"), 1, 2, QStringLiteral("0"));
        pressOK(record);
    });
    s.ui.when(QStringLiteral("dlgYesToAll"),
              [](FormDriver& question) { question.click(QStringLiteral("cmdYes")); });
    s.ui.when(QStringLiteral("dlgYesToAll"), [](FormDriver& question) {
        EXPECT_EQ(question.value(QStringLiteral("lblPrompt")),
                  "Element: Cases on Allocation: N does not have a standard.  OK to save?");
        question.click(QStringLiteral("cmdYes"));
    });
    s.ui.when(QStringLiteral("dlgYesToAll"), [](FormDriver& question) {
        EXPECT_EQ(question.value(QStringLiteral("lblPrompt")),
                  "Element: Lines on Allocation: N does not have a standard.  OK to save?");
        question.click(QStringLiteral("cmdYes"));
    });
    EXPECT_FALSE(s.edit());
    const ActivityRecord saved = s.stored(1);
    EXPECT_EQ(saved.EarnedHrsCalc, 2);
    EXPECT_FLOAT_EQ(saved.Elements[1].Standard, 50.0F);
    EXPECT_FLOAT_EQ(saved.AllocationStandards.at(North)[1], 0.0F);
}

TEST(frmActivityVerification, AlwaysAllocatingNeedsAnAllocationAndUsedAllocationsStay) {
    ActivityEditorSite s;
    ActivityRecord activity =
        ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}});
    activity.AllAllocSameStd = true;
    activity.AllocationStandards[South].fill(60.0F);
    s.storeActivities({activity});
    ProductionLineRecord line;
    line.Date = QDate(2024, 3, 12);
    line.Activity = 1;
    line.Allocation = South;
    s.store(s.system->productionLines(), {line});
    s.reopen();
    s.ui.when(QStringLiteral("TBEditForm"), editFirstLine);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        record.set(QStringLiteral("optAllocation(2)"), QStringLiteral("1"));
        showTab(record, 4);
        record.set(QStringLiteral("lsAllocations"), QString());
        pressOK(record);
    });
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        EXPECT_EQ(frontTab(record), "Valid Allocations");
        record.tick(QStringLiteral("lsAllocations"), QStringLiteral("N - North"));
        pressOK(record);
    });
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        record.tick(QStringLiteral("lsAllocations"), QStringLiteral("S - South"));
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("You must have at least one allocation active.  You have selected "
                               "the option to always allocate."),
                IDOK);
    s.ui.answer(QStringLiteral("You have removed an Allocation that is used with this Activity on "
                               "a production sheet"),
                IDOK);
    EXPECT_FALSE(s.edit());
    EXPECT_EQ(s.messages().size(), 2u);
    const ActivityRecord saved = s.stored(1);
    EXPECT_EQ(saved.Allocate, 2);
    EXPECT_EQ(saved.AllocationStandards.size(), 2u);
}

TEST(frmActivityVerification, AnUpperLimitBelowTheLowerFailsAndEqualLimitsPass) {
    ActivityEditorSite s;
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}})});
    runRule(s, {[](FormDriver& record) {
                    showTab(record, 3);
                    record.set(QStringLiteral("nbElmLimit(0)"), QStringLiteral("5"));
                    record.set(QStringLiteral("nbElmLimit(1)"), QStringLiteral("4"));
                    pressOK(record);
                },
                [](FormDriver& record) {
                    EXPECT_EQ(frontTab(record), "Elements");
                    EXPECT_EQ(focusedControl(record), "nbElmLimit(1)");
                },
                [](FormDriver& record) {
                    record.set(QStringLiteral("nbElmLimit(1)"), QStringLiteral("5"));
                    pressOK(record);
                }});
    s.ui.answer(
        QStringLiteral("The Element's Maximum value must be greater than it's Minimum value."),
        IDOK);
    EXPECT_FALSE(s.edit());
    EXPECT_FLOAT_EQ(s.stored(1).Elements[0].UpperLimit, 5.0F);
}

TEST(frmActivityVerification, XyzNeedsKnownLocationsAndTheTravelElementAtSixtyPerHour) {
    ActivityEditorSite s;
    s.site.setSetting(QStringLiteral("Features"), QStringLiteral("XYZ"), QStringLiteral("1"));
    LocationRecord dock{QStringLiteral("DOCK"), QStringLiteral("Dock"), 0, 0, 0};
    s.store(s.system->locations(), {dock});
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}})});
    s.ui.when(QStringLiteral("TBEditForm"), editFirstLine);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        showTab(record, 7);
        record.set(QStringLiteral("chkXYZ(0)"), QStringLiteral("1"));
        record.set(QStringLiteral("txtLocCode(0)"), QStringLiteral("GATE"));
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("Location Code: GATE does not exist."), IDOK);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        EXPECT_EQ(focusedControl(record), "txtLocCode(0)");
        record.set(QStringLiteral("txtLocCode(0)"), QStringLiteral("DOCK"));
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("The element: Travel Minutes must be active on this Activity"),
                IDOK);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        record.pick(QStringLiteral("lsElement"), QStringLiteral("Travel Minutes"));
        record.set(QStringLiteral("optTime(0)"), QStringLiteral("1"));
        record.set(QStringLiteral("nbElmTime"), QStringLiteral("2"));
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("The Standard for the Travel Time Element is not equal to 1, do you "
                               "wish to continue?"),
                IDNO);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        record.set(QStringLiteral("nbElmTime"), QStringLiteral("1"));
        showTab(record, 2);
        record.set(QStringLiteral("chkFlags(3)"), QStringLiteral("1"));
        showTab(record, 3);
        record.set(QStringLiteral("cboElement"), QStringLiteral("Cases"));
        record.set(QStringLiteral("chkHistorical"), QStringLiteral("1"));
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("You have selected both Historical and XYZ calculations"), IDYES);
    EXPECT_FALSE(s.edit());
    const ActivityRecord saved = s.stored(1);
    EXPECT_TRUE(saved.UseXYZ);
    EXPECT_EQ(saved.StartLocCode.trimmed(), "DOCK");
    EXPECT_FLOAT_EQ(saved.Elements[1].Standard, 60.0F);
}

TEST(frmActivityVerification, RemovingAnElementWithDataFieldsIsAskedAndYesKeepsIt) {
    ActivityEditorSite s;
    ActivityRecord activity =
        ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}, {Lines, 30.0F}});
    activity.Elements[1].UnitsField = 5;
    s.storeActivities({activity});
    runRule(s, {[](FormDriver& record) {
                    showTab(record, 3);
                    record.unpick(QStringLiteral("lsElement"), 1);
                    pressOK(record);
                },
                [](FormDriver& record) {
                    EXPECT_EQ(record.value(QStringLiteral("lsElement")), "Cases; Lines")
                        << "the element stays after Yes";
                    record.unpick(QStringLiteral("lsElement"), 1);
                },
                pressOK});
    s.ui.answer(QStringLiteral("Element: Lines is active on this Activity and has datafields "
                               "assigned.  Are you sure you want to remove it from this Activity."),
                IDYES);
    s.ui.answer(QStringLiteral("Element: Lines is active on this Activity"), IDNO);
    EXPECT_FALSE(s.edit());
    EXPECT_EQ(s.stored(1).elementCount(), 1);
}

TEST(frmActivityVerification, CorporateControlKeepsTheCorporateMeasurementAndElements) {
    ActivityEditorSite s;
    s.site.setSetting(QStringLiteral("Features"), QStringLiteral("UsesCorporateControl"),
                      QStringLiteral("1"));
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}})});
    s.copyToCorporate({"TBVMACT.--1", "TBVMELM.--1", "TBVMTOW.--1"});
    s.reopen();
    s.ui.when(QStringLiteral("TBEditForm"), editFirstLine);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        showTab(record, 2);
        record.set(QStringLiteral("optEhrs(3)"), QStringLiteral("1"));
        showTab(record, 3);
        record.pick(QStringLiteral("lsElement"), QStringLiteral("Lines"));
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("Element: Lines is not active on this Activity in the Corporate "
                               "Control File."),
                IDOK);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        record.unpick(QStringLiteral("lsElement"), 1);
        record.unpick(QStringLiteral("lsElement"), 0);
        EXPECT_EQ(record.value(QStringLiteral("lsElement")), QString());
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("Element: Cases is active on this Activity in the Corporate Control "
                               "File and cannot be deleted/removed."),
                IDOK);
    s.ui.when(QStringLiteral("frmActivity"), pressCancel);
    frmActivity editor;
    EXPECT_TRUE(editor.Edit(0, *s.system, false));
    editor.release();
    EXPECT_EQ(s.stored(1).EarnedHrsCalc, 1);
}

TEST(frmActivityVerification, TooFewFreeDataFieldsRefuseTheSave) {
    ActivityEditorSite s(19);
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}})});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnAdd"));
        list.click(QStringLiteral("btnCancel"));
    });
    // The pool holds 20 fields; hours, earned hours and 19 elements' units need 21.
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("BIG"));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Many elements"));
        showTab(record, 3);
        for (int extra = 1; extra <= 19; ++extra) {
            record.pick(QStringLiteral("lsElement"),
                        QStringLiteral("Extra ") + QString::number(extra));
        }
        showTab(record, 2);
        record.set(QStringLiteral("optEhrs(3)"), QStringLiteral("1"));
        pressOK(record);
    });
    s.ui.answer(
        QStringLiteral("The are not enough Datafields available to hold the data for this "
                       "activity.  You must allocate more fields before saving the Activity "
                       "with the current settings.  \nYou need 21 additional fields, and "
                       "only have 20 available."),
        IDOK);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        const auto& fields = record.form().controlAs<Grid>(QStringLiteral("grdFields"));
        EXPECT_EQ(fields.rows(), 22);
        EXPECT_EQ(fields.textMatrix(1, 0), "Actual Hours");
        EXPECT_EQ(fields.textMatrix(1, 1), "To Be Added");
        EXPECT_EQ(fields.textMatrix(1, 2), "Not Defined until Table Closed");
        EXPECT_EQ(fields.textMatrix(3, 0), "Extra 1 units");
        pressCancel(record);
    });
    EXPECT_FALSE(s.edit());
}

}  // namespace
}  // namespace vel::testing

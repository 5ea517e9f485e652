// The activity editor's list and record flows through the command class and the headless
// driver: add, copy, edit, view, delete, the maxima, saving and the type-of-work count.
#include "ActivityEditorSite.h"

#include "editors/frmActivity.h"
#include "data/records/ProductionLineRecord.h"
#include "ui/ComboBox.h"
#include "ui/ListView.h"
#include "ui/TabStrip.h"

namespace vel::testing {
namespace {

TEST(frmActivity, ListsActivitiesAddsOneAndLogsTheAdd) {
    ActivityEditorSite s;
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 100.0F}})});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Activity Table");
        const auto& view = list.form().controlAs<ListView>(QStringLiteral("lvList"));
        QStringList headings;
        for (const auto& column : view.columns()) {
            headings << column.heading;
        }
        EXPECT_EQ(headings,
                  (QStringList{"Code", "Number", "Description", "Earned Hours Calculation",
                               "Historical Std", "Type of Work", "Kiosk Entry"}))
            << "no incentive, PPA or XYZ columns without their features";
        EXPECT_EQ(view.item(0).texts, (QStringList{"PICK1", "1", "Case picking",
                                                   "Individual Standard", "No", "PICK", "No"}));
        EXPECT_EQ(totalsText(list), "1 active of 999 maximum");
        EXPECT_EQ(list.form().control(QStringLiteral("btnAction(1)")).caption(), "Update...");
        EXPECT_EQ(list.form().findControl(QStringLiteral("btnAction(2)")), nullptr)
            << "no fix-up without features.fld";
        list.click(QStringLiteral("btnAdd"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Activity Record: 2");
        auto& tabs = record.form().controlAs<TabStrip>(QStringLiteral("TabStrip1"));
        QStringList pages;
        for (int number = 1; number <= tabs.count(); ++number) {
            pages << tabs.tab(number).caption();
        }
        EXPECT_EQ(pages, (QStringList{"General", "Calculations", "Elements", "Valid Allocations",
                                      "Datafields", "Incentive and PPA", "XYZ Travel", "Languages",
                                      "Kiosk"}));
        EXPECT_EQ(tabs.tab(3).toolTip(), "Defines which Elements are valid for this activity");
        record.type(QStringLiteral("Text1(0)"), QStringLiteral("load{"));
        EXPECT_EQ(record.value(QStringLiteral("Text1(0)")), "LOAD[") << "codes are upper-cased";
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("LOAD"));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Trailer loading"));
        record.set(QStringLiteral("cboList"), QStringLiteral("PICK - Picking"));
        showTab(record, 3);
        record.pick(QStringLiteral("lsElement"), QStringLiteral("Cases"));
        record.set(QStringLiteral("optTime(1)"), QStringLiteral("1"));
        record.set(QStringLiteral("nbElmTime"), QStringLiteral("120"));
        EXPECT_EQ(record.form().control(QStringLiteral("nbElmTime")).caption(),
                  "Default Standard (units/hr)");
        pressOK(record);
    });
    EXPECT_FALSE(s.edit());

    const ActivityRecord added = s.stored(2);
    EXPECT_EQ(added.Code.trimmed(), "LOAD");
    EXPECT_EQ(added.TOW, 1);
    EXPECT_EQ(added.Elements[0].Element, int(Cases));
    EXPECT_FLOAT_EQ(added.Elements[0].Standard, 120.0F);
    EXPECT_GT(added.FldHoursto, 0) << "data fields are taken for the new activity";
    EXPECT_GT(added.FldEarnedto, 0);
    EXPECT_GT(added.Elements[0].UnitsField, 0);
    const auto log = s.changeLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().Action.trimmed(), "Add");
    EXPECT_EQ(log.back().Code.trimmed(), "LOAD");
}

TEST(frmActivity, EditLogsExactlyTheChangedSettingsWithTheOldStandards) {
    ActivityEditorSite s;
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}})});
    s.ui.when(QStringLiteral("TBEditForm"), editFirstLine);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Edit Activity Record: 1");
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Case picking by hand"));
        showTab(record, 9);
        record.set(QStringLiteral("chkTouch"), QStringLiteral("1"));
        showTab(record, 3);
        record.set(QStringLiteral("optTime(0)"), QStringLiteral("1"));
        EXPECT_EQ(record.value(QStringLiteral("nbElmTime")), "1.00000")
            << "60 units/hr shown in min";
        record.set(QStringLiteral("nbElmTime"), QStringLiteral("2"));
        record.set(QStringLiteral("chkUseUnits"), QStringLiteral("0"));
        pressOK(record);
    });
    EXPECT_FALSE(s.edit());
    EXPECT_FLOAT_EQ(s.stored(1).Elements[0].Standard, 30.0F) << "2 minutes per unit stores 30/hr";
    const auto log = s.changeLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().Action.trimmed(), "Edit");
    EXPECT_EQ(log.back().Changes.trimmed(),
              "Desc, Kiosk, Cases StdTime=30.00 was 60.00, Cases ActUnits=F was T");
}

TEST(frmActivity, CopiesWithTheCopyDescriptionAndRefusesADescriptionThatExists) {
    ActivityEditorSite s;
    ActivityRecord source = ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 90.0F}});
    source.AllocationStandards[North].fill(0.0F);
    source.AllocationStandards[North][0] = 45.0F;
    source.FldHoursto = s.system->assignDataField(QStringLiteral("PICK1 Actual Hours"));
    expectSaved(s.system->dataFields());
    s.storeActivities(
        {source, ActivityEditorSite::measured("PICK2", "Case picking(Copy)", {{Lines, 10.0F}})});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnCopy"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Copy an Activity Record");
        EXPECT_EQ(record.value(QStringLiteral("Text1(1)")), "Case picking(Copy)");
        EXPECT_EQ(record.value(QStringLiteral("lsElement")), "Cases");
        EXPECT_EQ(record.value(QStringLiteral("lsAllocations")), "N - North");
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("PICK3"));
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("Activity Description is not unique"), IDOK);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        EXPECT_EQ(record.value(QStringLiteral("Text1(0)")), "PICK3") << "the entries stay";
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Case picking again"));
        pressOK(record);
    });
    EXPECT_FALSE(s.edit());
    const ActivityRecord copy = s.stored(3);
    EXPECT_EQ(copy.Code.trimmed(), "PICK3");
    EXPECT_FLOAT_EQ(copy.AllocationStandards.at(North)[0], 45.0F);
    EXPECT_NE(copy.FldHoursto, 0);
    EXPECT_NE(copy.FldHoursto, s.stored(1).FldHoursto) << "the copy takes data fields of its own";
    EXPECT_EQ(s.changeLog().back().Action.trimmed(), "Copy");
}

TEST(frmActivity, RefusesThe1000thActivityAndItsCopy) {
    ActivityEditorSite s;
    std::vector<ActivityRecord> full;
    for (int number = 1; number <= 999; ++number) {
        ActivityRecord activity;
        activity.Code = QStringLiteral("A%1").arg(number);
        activity.Desc = QStringLiteral("Activity %1").arg(number);
        full.push_back(activity);
    }
    s.storeActivities(full);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(totalsText(list), "999 active of 999 maximum");
        list.click(QStringLiteral("btnAdd"));
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnCopy"));
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.answer(QStringLiteral("Cannot add any Activities, the maximum of 999 has been reached"),
                IDOK);
    s.ui.answer(QStringLiteral("Cannot copy any Activities, the maximum of 999 has been reached"),
                IDOK);
    EXPECT_FALSE(s.edit());
    EXPECT_EQ(s.messages().size(), 2u);
}

TEST(frmActivity, AsksAboutMoreThan300ActivitiesOfOneTypeOfWorkOnly) {
    for (const int count : {300, 301}) {
        ActivityEditorSite s;
        std::vector<ActivityRecord> activities;
        for (int number = 1; number <= count; ++number) {
            ActivityRecord activity;
            activity.Code = QStringLiteral("A%1").arg(number);
            activity.Desc = QStringLiteral("Activity %1").arg(number);
            activity.TOW = 1;
            activities.push_back(activity);
        }
        s.storeActivities(activities);
        s.ui.when(QStringLiteral("TBEditForm"), [count](FormDriver& list) {
            list.click(QStringLiteral("btnOK"));
            EXPECT_EQ(list.form().isVisible(), count == 301) << "No keeps the list open";
            if (list.form().isVisible()) {
                list.click(QStringLiteral("btnCancel"));
            }
        });
        if (count == 301) {
            s.ui.answer(QStringLiteral("There are 301 Activities assigned to the Picking Type of "
                                       "Work.  Are you sure you want to save the file?  This will "
                                       "cause problems with the Activity Detail Reports."),
                        IDNO);
        }
        EXPECT_FALSE(s.edit());
        EXPECT_EQ(s.messages().size(), count == 301 ? 1u : 0u);
    }
}

TEST(frmActivity, AnEmptyTableReopensTheListUntilAnActivityIsActive) {
    ActivityEditorSite s;
    s.ui.when(QStringLiteral("TBEditForm"),
              [](FormDriver& list) { list.click(QStringLiteral("btnCancel")); });
    s.ui.answer(QStringLiteral("At least 1 Activity must be active"), IDOK);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnAdd"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("IDLE"));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Idle time"));
        showTab(record, 2);
        record.set(QStringLiteral("optEhrs(0)"), QStringLiteral("1"));
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("The Earned Hours calculation is set as None."), IDYES);
    EXPECT_FALSE(s.edit());
    EXPECT_EQ(s.messages().front().style, MB_ICONCRITICAL);
    EXPECT_EQ(s.stored(1).Code.trimmed(), "IDLE");
}

// An activity on a sheet of the open week is refused; one with work in closed weeks offers the
// delete window; one without recorded work is only confirmed.
TEST(frmActivity, DeletesThroughTheDeleteWindowWithTargetsOfTheSameKind) {
    ActivityEditorSite s;
    ActivityRecord unmeasured;
    unmeasured.Code = QStringLiteral("IDLE");
    unmeasured.Desc = QStringLiteral("Idle");
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Picking one"),
                       ActivityEditorSite::measured("PICK2", "Picking two"), unmeasured,
                       ActivityEditorSite::measured("PICK3", "Picking three")});
    ProductionLineRecord openWeek;
    openWeek.Date = QDate(2024, 3, 12);  // the week of the clock, not closed yet
    openWeek.Activity = 4;
    openWeek.Associate = 1;
    openWeek.Hours = 2.0;
    ProductionLineRecord closedWeek = openWeek;
    closedWeek.Date = QDate(2024, 3, 5);
    closedWeek.Activity = 1;
    s.store(s.system->productionLines(), {openWeek, closedWeek});
    s.reopen();

    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.selectLine(QStringLiteral("lvList"), 3);
        list.click(QStringLiteral("btnDelete"));  // used on a production sheet
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnDelete"));  // cancelled at the confirmation
        list.click(QStringLiteral("btnDelete"));  // deleted, data to PICK2
        EXPECT_EQ(listTexts(list), (QStringList{"PICK2", "IDLE", "PICK3"}));
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnDelete"));  // PICK2 holds PICK1's data now
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnDelete"));  // IDLE: no recorded work, no delete window
        EXPECT_EQ(listTexts(list), (QStringList{"PICK2", "PICK3"}));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.answer(QStringLiteral("Cannot delete the Activity selected.  It is used on a Production "
                               "Sheet."),
                IDOK);
    const auto pickTarget = [](FormDriver& dialog) {
        auto& targets = dialog.form().controlAs<ComboBox>(QStringLiteral("Combo1"));
        QStringList texts;
        for (int index = 0; index < targets.listCount(); ++index) {
            texts << targets.list(index);
        }
        EXPECT_EQ(texts, (QStringList{"(None)", "PICK2", "PICK3"})) << "measured targets only";
        dialog.set(QStringLiteral("Combo1"), QStringLiteral("PICK2"));
        dialog.click(QStringLiteral("cmdDelete"));
    };
    s.ui.when(QStringLiteral("frmDelete"), pickTarget);
    s.ui.answer(QStringLiteral("OK to Delete this Activity from the system at this time?"),
                IDCANCEL);
    s.ui.when(QStringLiteral("frmDelete"), pickTarget);
    s.ui.answer(QStringLiteral("OK to Delete this Activity from the system at this time?"), IDOK);
    s.ui.answer(QStringLiteral("Cannot Delete the Activity it is holding the data for a deleted "
                               "Activity"),
                IDOK);
    s.ui.answer(QStringLiteral("OK to Delete this Activity from the system at this time?"), IDOK);
    EXPECT_FALSE(s.edit());
    EXPECT_EQ(s.messages()[0].style, MB_ICONINFORMATION);
    EXPECT_EQ(s.messages()[1].style, MB_OKCANCEL | MB_ICONQUESTION);
    EXPECT_TRUE(s.stored(1).Code.trimmed().isEmpty());
    EXPECT_EQ(s.stored(2).Code.trimmed(), "PICK2");
    EXPECT_TRUE(s.stored(3).Code.trimmed().isEmpty());
    auto& lines = s.system->productionLines();
    ASSERT_TRUE(lines.open());
    EXPECT_EQ(lines.record(2).Activity, 2) << "PICK1's closed-week line went to PICK2";
    EXPECT_EQ(lines.record(1).Activity, 4);
    lines.close();
    EXPECT_EQ(s.changeLog().back().Action.trimmed(), "Delete");
}

TEST(frmActivity, ViewOnlyWritesNothing) {
    ActivityEditorSite s;
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}})});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Activity Table (readonly)");
        EXPECT_EQ(list.form().findControl(QStringLiteral("btnAction(1)")), nullptr);
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "View Activity Record: 1");
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Changed"));
        pressOK(record);
    });
    frmActivity editor;
    EXPECT_TRUE(editor.Edit(0, *s.system, true));
    EXPECT_FALSE(editor.tableChanged());
    editor.release();
    EXPECT_EQ(s.stored(1).Desc.trimmed(), "Case picking");
}

}  // namespace
}  // namespace vel::testing

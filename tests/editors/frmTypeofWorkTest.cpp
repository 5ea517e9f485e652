// The type-of-work editor through the command class and the headless driver, on a reference
// system.
#include "EditorHarness.h"

#include "data/records/ActivityRecord.h"
#include "data/records/DataFieldRecord.h"
#include "data/records/MistakeRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "editors/frmTypeofWork.h"
#include "ui/Grid.h"
#include "ui/TabStrip.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace vel::testing {
namespace {

TypeOfWorkRecord typeOfWork(const QString& code, const QString& description, bool quality = false) {
    TypeOfWorkRecord record;
    record.Code = code;
    record.Desc = description;
    record.TrackQuality = quality;
    return record;
}

struct TypeOfWorkSite : EditorHarness {
    explicit TypeOfWorkSite(int fields = 40) : EditorHarness(fields) {
        site.setSetting(QStringLiteral("Features"), QStringLiteral("Quality"), QStringLiteral("1"));
        reopen();
        // Another workstation holds nothing: the table is opened for modification.
        ui.whenever(QStringLiteral("frmOKtoView"), [](FormDriver& question) {
            question.click(QStringLiteral("Option1(1)"));
            question.click(QStringLiteral("cmdOK"));
        });
        std::vector<MistakeRecord> mistakes;
        for (const char* name : {"Wrong pick", "Short pick", "Damaged"}) {
            mistakes.push_back(withDescription<MistakeRecord>(QString::fromLatin1(name)));
        }
        store(system->mistakes(), mistakes);
        store(system->workCenters(), {withCode<WorkCenterRecord>(QStringLiteral("RECV")),
                                      withCode<WorkCenterRecord>(QStringLiteral("SHIP"))});
    }
    std::vector<TypeOfWorkRecord> storedTypes() { return stored(&VelmorSystem::typesOfWork); }
    QStringList fieldDescriptions() {
        QStringList descriptions;
        for (const DataFieldRecord& field : stored(&VelmorSystem::dataFields)) {
            if (field.InUse) {
                descriptions << field.Desc.trimmed();
            }
        }
        return descriptions;
    }
    // The quality types of work stored with their fields, so that no conversion is offered.
    void storeWithFields(const std::vector<TypeOfWorkRecord>& types) {
        store(system->typesOfWork(), types);
        ASSERT_TRUE(system->convertQualityDataFields() || !system->qualityDataFieldsMissing());
        reopen();
    }
};

QStringList gridColumn(FormDriver& record, int col) {
    auto& grid = record.form().controlAs<Grid>(QStringLiteral("grdDatafields"));
    QStringList texts;
    for (int row = 1; row < grid.rows(); ++row) {
        texts << grid.textMatrix(row, col);
    }
    return texts;
}

TEST(frmTypeofWork, AddsWithTheRulesTheDatafieldsAndTheValidWorkCenters) {
    TypeOfWorkSite s;
    s.storeWithFields({typeOfWork(QStringLiteral("PICK"), QStringLiteral("Picking"))});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Type of Work Table");
        EXPECT_EQ(listTexts(list), QStringList{"PICK"});
        EXPECT_EQ(listTexts(list, 5), QStringList{"No"}) << "Track Quality";
        list.click(QStringLiteral("btnAdd"));
        EXPECT_EQ(listTexts(list), (QStringList{"PICK", "SHIP"}));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmTypeofWork"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Type of Work Record: 2");
        auto& tabs = record.form().controlAs<TabStrip>(QStringLiteral("TabStrip1"));
        ASSERT_EQ(tabs.count(), 6);
        EXPECT_EQ(tabs.tab(3).caption(), "Datafields");
        EXPECT_EQ(tabs.tab(6).toolTip(), "Settings for display on Kiosk entry");
        EXPECT_EQ(record.form().control(QStringLiteral("fraMistake")).caption(), "Mistake: (none)");
        record.type(QStringLiteral("Text1(0)"), QStringLiteral("pick"));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Shipping"));
        record.click(QStringLiteral("chkQuality"));
        record.selectTab(QStringLiteral("TabStrip1"), 2);
        record.tick(QStringLiteral("lsMistake"), QStringLiteral("Damaged"));
        EXPECT_EQ(record.form().control(QStringLiteral("fraMistake")).caption(),
                  "Mistake: Damaged");
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("The Mistake: Damaged does not have any settings that allow it to "
                               "be entered on Quality Sheets."),
                IDOK);
    s.ui.when(QStringLiteral("frmTypeofWork"), [](FormDriver& record) {
        record.click(QStringLiteral("chkMistake(2)"));
        record.set(QStringLiteral("nbCost(2)"), QStringLiteral("12.5"));
        EXPECT_EQ(
            gridColumn(record, 1),
            (QStringList{"Auditable Units", "Auditable Hours", "Accuracy Base Units",
                         "Audited Units", "Total Failure Cost", "Total Failure Hours",
                         "Audit Damaged Failure Occurrences", "Audit Damaged Failure Units"}));
        EXPECT_EQ(gridColumn(record, 2).filter(frmTypeofWork::notDefined).size(), 8);
        record.selectTab(QStringLiteral("TabStrip1"), 4);
        record.tick(QStringLiteral("lsWorkCenter"), QStringLiteral("SHIP"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Type of Work Code is not unique"), IDOK);
    s.ui.when(QStringLiteral("frmTypeofWork"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("SHIP"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_TRUE(s.edit<frmTypeofWork>());
    EXPECT_TRUE(s.ui.transcript().lines().contains(
        QStringLiteral("status: Saving changes to the Table and Tallybooks")));

    const auto stored = s.storedTypes();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].Code.trimmed(), "SHIP");
    EXPECT_TRUE(stored[1].TrackQuality);
    EXPECT_EQ(stored[1].Mistake[0], 3);
    EXPECT_TRUE(stored[1].CategoryEnabled[TypeOfWorkRecord::Audit]);
    EXPECT_EQ(stored[1].CategoryCost[TypeOfWorkRecord::Audit], 12.5);
    EXPECT_EQ(stored[1].Sequence, 1);
    EXPECT_GT(stored[1].QualityField[0], 0);
    const QStringList fields = s.fieldDescriptions();
    EXPECT_TRUE(fields.contains("TOW SHIP Auditable Units"));
    EXPECT_TRUE(fields.contains("TOW SHIP Audit M3 Failure Units"));
    const auto centers = s.stored(&VelmorSystem::workCenters);
    EXPECT_FALSE(centers[0].TOWValid[1]);
    EXPECT_TRUE(centers[1].TOWValid[1]);
}

TEST(frmTypeofWork, ThirtyMistakesAreAcceptedAndTheThirtyFirstRefused) {
    TypeOfWorkSite s;
    std::vector<MistakeRecord> mistakes;
    for (int number = 1; number <= 31; ++number) {
        mistakes.push_back(
            withDescription<MistakeRecord>(QStringLiteral("Mistake %1").arg(number)));
    }
    s.store(s.system->mistakes(), mistakes);
    s.storeWithFields({typeOfWork(QStringLiteral("PICK"), QStringLiteral("Picking"))});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmTypeofWork"), [](FormDriver& record) {
        record.selectTab(QStringLiteral("TabStrip1"), 2);
        for (int number = 1; number <= 31; ++number) {
            record.tick(QStringLiteral("lsMistake"), QStringLiteral("Mistake %1").arg(number));
        }
        EXPECT_EQ(record.form().control(QStringLiteral("fraMistake")).caption(),
                  "Mistake: Mistake 30");
        record.tick(QStringLiteral("lsMistake"), QStringLiteral("Mistake 3"), false);
        EXPECT_EQ(record.form().control(QStringLiteral("fraMistake")).caption(),
                  "Mistake: Mistake 30");
        record.tick(QStringLiteral("lsMistake"), QStringLiteral("Mistake 31"));  // the 30th again
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Cannot add the Mistake to the selected Mistakes.  Can only have 30 "
                               "Mistakes on a Type of Work."),
                IDOK);
    EXPECT_TRUE(s.edit<frmTypeofWork>());
    const auto stored = s.storedTypes();
    EXPECT_EQ(std::ranges::count_if(stored[0].Mistake, [](int m) { return m > 0; }), 30);
    EXPECT_EQ(std::ranges::count(stored[0].Mistake, 3), 0);
    EXPECT_EQ(std::ranges::count(stored[0].Mistake, 31), 1);
}

TEST(frmTypeofWork, QualityOffIsRefusedInUseAskedOtherwiseAndHandsTheFieldsToTheUsers) {
    TypeOfWorkSite s;
    TypeOfWorkRecord picking = typeOfWork(QStringLiteral("PICK"), QStringLiteral("Picking"), true);
    picking.Mistake[0] = 1;
    picking.CategoryEnabled[TypeOfWorkRecord::Catch] = true;
    s.storeWithFields(
        {picking, typeOfWork(QStringLiteral("LOAD"), QStringLiteral("Loading"), true)});
    ASSERT_TRUE(s.fieldDescriptions().contains("TOW PICK Catch M1 Occurrences"));
    ActivityRecord activity;
    activity.Code = QStringLiteral("P100");
    activity.TOW = 1;
    s.store(s.system->activities(), {activity});

    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnEdit"));  // PICK: in use
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnEdit"));  // LOAD: No, then Yes
        list.click(QStringLiteral("btnOK"));
    });
    const auto turnOff = [](FormDriver& record) {
        record.click(QStringLiteral("chkQuality"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    };
    s.ui.when(QStringLiteral("frmTypeofWork"), turnOff);
    s.ui.answer(QStringLiteral("Cannot turn off Quality for this Type of Work.  It is used on an "
                               "Activity"),
                IDOK);
    s.ui.when(QStringLiteral("frmTypeofWork"),
              [](FormDriver& record) { record.click(QStringLiteral("SaveButtons1(2)")); });
    s.ui.when(QStringLiteral("frmTypeofWork"), turnOff);
    const QString question = QStringLiteral(
        "You have selected to stop tracking Quality for this "
        "Type of work.");
    s.ui.answer(question, IDNO);
    s.ui.when(QStringLiteral("frmTypeofWork"),
              [](FormDriver& record) { record.click(QStringLiteral("SaveButtons1(1)")); });
    s.ui.answer(question, IDYES);
    EXPECT_TRUE(s.edit<frmTypeofWork>());
    const auto messages = editorMessages(s.ui.transcript());
    EXPECT_EQ(messages[1].style, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    const auto stored = s.storedTypes();
    EXPECT_TRUE(stored[0].TrackQuality);
    EXPECT_FALSE(stored[1].TrackQuality);
    const QStringList fields = s.fieldDescriptions();
    EXPECT_TRUE(fields.contains("TOW PICK Auditable Units"));
    EXPECT_FALSE(fields.contains("TOW LOAD Auditable Units"));
    EXPECT_TRUE(fields.contains("User: TOW LOAD Auditable Units")) << "kept with its figures";
}

TEST(frmTypeofWork, TooFewDatafieldsRefuseTheRecordWithTheCounts) {
    TypeOfWorkSite s(5);
    s.storeWithFields({typeOfWork(QStringLiteral("PICK"), QStringLiteral("Picking"))});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(QStringLiteral("frmTypeofWork"), [](FormDriver& record) {
        record.click(QStringLiteral("chkQuality"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("The are not enough Datafields available to hold the data for this "
                               "Type of Work.  You must allocate more fields before saving the "
                               "Type of Work with the current Quality settings.  \nYou need 6 "
                               "additional fields, and only have 5 available."),
                IDOK);
    s.ui.when(QStringLiteral("frmTypeofWork"),
              [](FormDriver& record) { record.click(QStringLiteral("SaveButtons1(2)")); });
    EXPECT_TRUE(s.edit<frmTypeofWork>());
    EXPECT_FALSE(s.storedTypes()[0].TrackQuality);
}

TEST(frmTypeofWork, DeleteRefusesTypesInUseOrHoldingDataAndCopiesTakeNewFields) {
    TypeOfWorkSite s;
    s.storeWithFields({typeOfWork(QStringLiteral("PICK"), QStringLiteral("Picking")),
                       typeOfWork(QStringLiteral("LOAD"), QStringLiteral("Loading")),
                       typeOfWork(QStringLiteral("PACK"), QStringLiteral("Packing"))});
    ActivityRecord activity;
    activity.Code = QStringLiteral("P100");
    activity.TOW = 1;
    s.store(s.system->activities(), {activity});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnDelete"));  // PICK: on an activity
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnDelete"));  // LOAD, its data to PACK
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnDelete"));  // PACK holds LOAD's data
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnCopy"));
        EXPECT_EQ(listTexts(list), (QStringList{"PICK", "PACK", "PICK2"}));
        EXPECT_EQ(listTexts(list, 3), (QStringList{"1", "3", "2"}))
            << "the copy takes the free slot";
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.answer(
        QStringLiteral("Cannot delete the Type of Work selected.  It is used on an Activity"),
        IDOK);
    s.ui.when(QStringLiteral("frmDelete"), [](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("lblItem")), "LOAD");
        dialog.set(QStringLiteral("Combo1"), QStringLiteral("PACK"));
        dialog.click(QStringLiteral("cmdDelete"));
    });
    s.ui.answer(QStringLiteral("OK to Delete this Type of Work from the system at this time?"),
                IDYES);
    s.ui.answer(QStringLiteral("Cannot Delete the Type of Work PACK it is holding the data for a "
                               "deleted Type of Work."),
                IDOK);
    s.ui.when(QStringLiteral("frmTypeofWork"), [](FormDriver& record) {
        EXPECT_EQ(record.value(QStringLiteral("Text1(1)")), "Picking(Copy)");
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("PICK2"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_TRUE(s.edit<frmTypeofWork>());
    const auto stored = s.storedTypes();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[1].Code.trimmed(), "PICK2");
    const auto entries = s.system->changeLog().entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Action.trimmed(), "Delete");
    EXPECT_EQ(entries[1].Action.trimmed(), "Add");
}

TEST(frmTypeofWork, TheConversionGivesQualityTypesTheirFieldsWithItsStatusTexts) {
    TypeOfWorkSite s(20);
    TypeOfWorkRecord picking = typeOfWork(QStringLiteral("PICK"), QStringLiteral("Picking"), true);
    picking.Mistake[0] = 2;
    picking.CategoryEnabled[TypeOfWorkRecord::Check] = true;
    s.store(s.system->typesOfWork(), {picking});
    const QString offer =
        QStringLiteral("This version of Velmor has new features and needs to update");
    s.ui.answer(offer, IDNO);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(QStringLiteral("frmTypeofWork"), [](FormDriver& record) {
        EXPECT_EQ(gridColumn(record, 2).value(0), frmTypeofWork::notDefined);
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    EXPECT_TRUE(s.edit<frmTypeofWork>());
    EXPECT_TRUE(s.fieldDescriptions().filter(QStringLiteral("TOW PICK")).isEmpty());

    s.ui.answer(offer, IDYES);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(QStringLiteral("frmTypeofWork"), [](FormDriver& record) {
        EXPECT_EQ(gridColumn(record, 2).filter(frmTypeofWork::notDefined).size(), 0);
        EXPECT_EQ(gridColumn(record, 1).value(6), "Check Short pick Failure Occurrences");
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    EXPECT_TRUE(s.edit<frmTypeofWork>());
    const QStringList status = s.ui.transcript().lines().filter(QStringLiteral("status: "));
    const QStringList steps{"Determining Datafields that need to be added.", "Creating Datafields.",
                            "Saving Datafields",
                            "Determining Activities that send information to Type of Work",
                            "Calculating Auditable Hours and Units for each Type of Work"};
    qsizetype at = 0;
    for (const QString& step : steps) {
        at = status.indexOf(QStringLiteral("status: ") + step, at);
        EXPECT_GE(at, 0) << step.toStdString();
    }
    EXPECT_EQ(s.fieldDescriptions().filter(QStringLiteral("TOW PICK")).size(), 8);
    EXPECT_GT(s.storedTypes()[0].QualityField[5], 0);
    const auto entries = s.system->changeLog().entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Action.trimmed(), "Convert");

    // Too few fields: the conversion says how many it needs and converts nothing.
    TestSite small(3);
    auto system = small.open();
    ASSERT_TRUE(system->typesOfWork().open());
    system->typesOfWork().setRecord(1, picking);
    ASSERT_TRUE(system->typesOfWork().save());
    s.ui.answer(
        QStringLiteral("To convert the Tallybook databases, you need 8 datafields.  However, "
                       "you only have 3 datafields available in your databases.  Exit Types "
                       "of Work and then go to File|Maintenance|Allocate Number of "
                       "DataFields."),
        IDOK);
    EXPECT_FALSE(system->convertQualityDataFields());
}

TEST(frmTypeofWork, RidgewayFixSwapsCatchesAndChecksAndViewOnlyPrintsTheList) {
    TypeOfWorkSite s;
    TypeOfWorkRecord picking = typeOfWork(QStringLiteral("PICK"), QStringLiteral("Picking"));
    picking.Mistake[0] = 1;
    picking.CategoryEnabled[TypeOfWorkRecord::Catch] = true;
    picking.CategoryCost = {1.5, 3.0, 12.0};
    picking.FailCost = 1234.5;
    picking.FailHours = 0.25;
    s.storeWithFields({picking});
    QFile marker(s.site.path(QStringLiteral("ridgeway.fix")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().control(QStringLiteral("btnAction(1)")).caption(),
                  "Fixup Ridgeway Checks/Catches");
        list.click(QStringLiteral("btnAction(1)"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.answer(QStringLiteral("OK to move Catches to Checks and Checks to Catches?"), IDYES);
    EXPECT_TRUE(s.edit<frmTypeofWork>());
    EXPECT_EQ(s.ui.transcript().messages().back().caption, "Fixup Ridgeway Mistake Types");
    auto stored = s.storedTypes();
    EXPECT_FALSE(stored[0].CategoryEnabled[TypeOfWorkRecord::Catch]);
    EXPECT_TRUE(stored[0].CategoryEnabled[TypeOfWorkRecord::Check]);
    EXPECT_EQ(stored[0].CategoryCost[TypeOfWorkRecord::Check], 1.5);

    TextPrintOutput printed;
    ScopedPrintOutput printing(printed);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Type of Work Table (readonly)");
        EXPECT_EQ(list.form().findControl(QStringLiteral("btnAction(1)")), nullptr);
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnPrint"));
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(QStringLiteral("frmTypeofWork"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "View Type of Work Record: 1");
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    EXPECT_TRUE(s.edit<frmTypeofWork>(true));
    const QStringList lines = printed.lines();
    EXPECT_EQ(lines.filter(QStringLiteral("List of Types of Work")).size(), 1);
    EXPECT_EQ(lines
                  .filter(QRegularExpression(QStringLiteral(
                      "^ *1 +PICK +Picking +No +No +1,234.50 +0.250 +Wrong pick +Check "
                      "+1.50 +0.000$")))
                  .size(),
              1)
        << lines.join(u'\n').toStdString();
}

}  // namespace
}  // namespace vel::testing

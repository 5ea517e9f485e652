// Opening the activity editor: the view-or-modify question, tables that fail to open, the
// settings and marker files it reads, and new codes under corporate control.
#include "ActivityEditorSite.h"

#include "editors/frmActivity.h"
#include "ui/Grid.h"
#include "ui/ListView.h"

#include <QDir>
#include <QFile>

namespace vel::testing {
namespace {

TEST(frmActivityOpening, TheViewOrModifyQuestionDecidesAndAHeldTableOpensReadOnly) {
    ActivityEditorSite s;
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking")});
    // Cancelled: no list.
    s.ui.when(QStringLiteral("frmOKtoView"),
              [](FormDriver& question) { question.click(QStringLiteral("cmdCancel")); });
    EXPECT_FALSE(s.edit());
    EXPECT_FALSE(s.ui.transcript().windows().contains(QStringLiteral("Activity Table")));
    // Viewing chosen.
    s.ui.when(QStringLiteral("frmOKtoView"), [](FormDriver& question) {
        question.click(QStringLiteral("Option1(0)"));
        question.click(QStringLiteral("cmdOK"));
    });
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Activity Table (readonly)");
        list.click(QStringLiteral("btnCancel"));
    });
    EXPECT_FALSE(s.edit());
    // Another workstation holds the tables: no question, viewing only.
    auto other = s.site.open();
    ASSERT_TRUE(other->beginTableAccess(QStringLiteral("A"), true, false));
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Activity Table (readonly)");
        list.click(QStringLiteral("btnCancel"));
    });
    const qsizetype before = s.ui.transcript().windows().size();
    EXPECT_FALSE(s.edit());
    EXPECT_FALSE(s.ui.transcript().windows().mid(before).contains(QStringLiteral("Open Table")));
    other->endTableAccess();
}

TEST(frmActivityOpening, TablesThatFailToOpenEndTheEditorWithTheirMessage) {
    ActivityEditorSite s;
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking")});
    ASSERT_TRUE(QFile::remove(s.site.path(QStringLiteral("TBVMLOC.--1"))));
    s.reopen();
    s.ui.answer(QStringLiteral("Error opening the Location Table"), IDOK);
    frmActivity editor;
    EXPECT_FALSE(editor.Edit(0, *s.system, false));
    editor.release();

    ASSERT_TRUE(QFile::remove(s.site.path(QStringLiteral("TBVMACT.--1"))));
    s.reopen();
    s.ui.answer(QStringLiteral("Error opening the Activity  It may be in used by another user."),
                IDOK);
    frmActivity second;
    EXPECT_FALSE(second.Edit(0, *s.system, false));
    second.release();
    EXPECT_EQ(s.messages().size(), 2u);
    EXPECT_EQ(s.messages()[1].style, MB_ICONEXCLAMATION);
}

TEST(frmActivityOpening, FeatureColumnsTheFixupMarkerAndTheTravelElementSetting) {
    ActivityEditorSite s;
    for (const char* feature : {"XYZ", "Incentive", "PerformancePolicy"}) {
        s.site.setSetting(QStringLiteral("Features"), QString::fromLatin1(feature),
                          QStringLiteral("1"));
    }
    s.site.setSetting(QStringLiteral("XYZ"), QStringLiteral("TimeElement"),
                      QStringLiteral("Walking"));
    s.site.setSetting(QStringLiteral("Preferences"), QStringLiteral("Time"), QStringLiteral("1"));
    QFile marker(s.site.path(QStringLiteral("features.fld")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    ActivityRecord activity =
        ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}});
    activity.IncRate = 2;
    activity.UseXYZ = true;
    s.storeActivities({activity});
    s.ui.answer(QStringLiteral("Cannot find element: Walking.  This element is necessary for XYZ "
                               "calculations."),
                IDOK);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().control(QStringLiteral("btnAction(2)")).caption(),
                  "Fixup CorpControl");
        const auto& view = list.form().controlAs<ListView>(QStringLiteral("lvList"));
        ASSERT_EQ(view.columns().size(), 10u);
        EXPECT_EQ(view.columns()[7].heading, "Incentive Rate Scale");
        EXPECT_EQ(view.item(0).texts.mid(7), (QStringList{"2", "Yes", "Yes"}));
        editFirstLine(list);
    });
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        EXPECT_EQ(record.value(QStringLiteral("optTime(1)")), "1") << "the Time preference";
        EXPECT_TRUE(record.form().control(QStringLiteral("cmbIncRate")).visible());
        EXPECT_FALSE(record.form().control(QStringLiteral("txtLanguage(1)")).visible());
        pressCancel(record);
    });
    EXPECT_FALSE(s.edit());
}

// The new-code checks run as the code is entered, before OK; the corporate activity's
// allocations reach the site by their codes, whatever numbers the site gives them.
TEST(frmActivityOpening, ANewCodeUnderCorporateControlComesFromTheCorporateFile) {
    ActivityEditorSite s;
    s.site.setSetting(QStringLiteral("Features"), QStringLiteral("UsesCorporateControl"),
                      QStringLiteral("1"));
    ActivityRecord corporate =
        ActivityEditorSite::measured("LOAD", "Trailer loading", {{Cases, 45.0F}, {Lines, 9.0F}});
    corporate.TOW = 1;
    corporate.AllocationStandards[North] = {30.0F, 3.0F};
    corporate.AllocationStandards[South] = {50.0F, 5.0F};
    s.storeActivities(
        {ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}}), corporate});
    ASSERT_TRUE(s.system->writeCorporateControlData());
    s.copyToCorporate({"TBVMACT.--1", "TBVMELM.--1", "TBVMTOW.--1", "TBCCACT.--1"});
    // The site itself has only PICK1, its type of work has another code, and it numbers its
    // allocations otherwise: South is its first, North it does not have.
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}}),
                       ActivityRecord{}});
    TypeOfWorkRecord packing = withCode<TypeOfWorkRecord>(QStringLiteral("PACK"));
    packing.Desc = QStringLiteral("Packing");
    s.store(s.system->typesOfWork(), {packing});
    s.store(s.system->allocations(), {AllocationRecord{QStringLiteral("S"),
                                                       QStringLiteral("South"), 0},
                                      AllocationRecord{QStringLiteral("W"),
                                                       QStringLiteral("West"), 0}});
    s.reopen();

    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnAdd"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.answer(QStringLiteral("This code is already active at this site.  It cannot be Added."),
                IDOK);
    s.ui.answer(QStringLiteral("NEW is not valid in the Corporate Control File"), IDOK);
    s.ui.answer(
        QStringLiteral("This is a new Activity at this site.  Do you wish to configure it the "
                       "same way as is configured in the Corporate system?"),
        IDYES);
    s.ui.answer(QStringLiteral("The Type of Work: PICK is defined on the Corporate Activity but is "
                               "not configured at this site."),
                IDOK);
    s.ui.when(QStringLiteral("frmActivity"), [&s](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("PICK1"));
        ASSERT_EQ(s.messages().size(), 1u) << "refused as it is entered";
        EXPECT_TRUE(record.form().control(QStringLiteral("Text1(0)")).hasFocus());
        record.type(QStringLiteral("Text1(0)"), QStringLiteral("\b\b\b\b\bNEW"));
        ASSERT_EQ(s.messages().size(), 2u);
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("LOAD"));
        ASSERT_EQ(s.messages().size(), 4u) << "the question, then the missing type of work";
        EXPECT_EQ(record.value(QStringLiteral("Text1(1)")), "Trailer loading");
        EXPECT_EQ(record.value(QStringLiteral("lsElement")), "Cases; Lines");
        EXPECT_EQ(record.value(QStringLiteral("cboList")), "(None)");
        pressOK(record);
    });
    frmActivity editor;  // the command class's corporate control check is its own
    EXPECT_TRUE(editor.Edit(0, *s.system, false));
    editor.release();
    EXPECT_EQ(s.messages().size(), 4u) << "OK asks nothing again";
    const ActivityRecord added = s.stored(2);
    EXPECT_EQ(added.Code.trimmed(), "LOAD");
    EXPECT_FLOAT_EQ(added.Elements[0].Standard, 45.0F);
    EXPECT_EQ(added.elementCount(), 2);
    EXPECT_EQ(added.TOW, 0);
    ASSERT_EQ(added.AllocationStandards.size(), 1u);
    ASSERT_TRUE(added.AllocationStandards.contains(1)) << "South, by its code";
    EXPECT_FLOAT_EQ(added.AllocationStandards.at(1)[0], 50.0F);
    EXPECT_FLOAT_EQ(added.AllocationStandards.at(1)[1], 5.0F);
}

TEST(frmActivityOpening, TheDatafieldsTabShowsFieldsToBeAddedAndDeleted) {
    ActivityEditorSite s;
    ActivityRecord activity =
        ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}});
    activity.FldHoursto = s.system->assignDataField(QStringLiteral("PICK1 Actual Hours"));
    activity.FldEarnedto = s.system->assignDataField(QStringLiteral("PICK1 Earned Hours"));
    activity.Elements[0].UnitsField =
        s.system->assignDataField(QStringLiteral("PICK1 Cases units"));
    expectSaved(s.system->dataFields());
    s.storeActivities({activity});
    s.ui.when(QStringLiteral("TBEditForm"), editFirstLine);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        showTab(record, 3);
        record.unpick(QStringLiteral("lsElement"), 0);
        record.pick(QStringLiteral("lsElement"), QStringLiteral("Lines"));
        const auto& fields = record.form().controlAs<Grid>(QStringLiteral("grdFields"));
        QStringList rows;
        for (int row = 1; row < fields.rows(); ++row) {
            rows << fields.textMatrix(row, 0) + QStringLiteral("|") + fields.textMatrix(row, 1) +
                        QStringLiteral("|") + fields.textMatrix(row, 2);
        }
        EXPECT_EQ(rows, (QStringList{"Actual Hours|PICK1 Actual Hours|1",
                                     "Earned Hours|PICK1 Earned Hours|2",
                                     "Lines units|To Be Added|Not Defined until Table Closed",
                                     "Cases units|To Be Deleted|3"}));
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("Element: Cases is active on this Activity and has datafields "
                               "assigned."),
                IDNO);
    s.ui.when(QStringLiteral("dlgYesToAll"),
              [](FormDriver& question) { question.click(QStringLiteral("cmdYes")); });
    EXPECT_FALSE(s.edit());
    const ActivityRecord saved = s.stored(1);
    EXPECT_EQ(saved.Elements[0].Element, int(Lines));
    EXPECT_EQ(saved.Elements[0].UnitsField, 3) << "the freed field is taken again";
}

}  // namespace
}  // namespace vel::testing

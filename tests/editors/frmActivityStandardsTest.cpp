// The activity editor's standards: the display unit, the allocation grid's cell entries, the
// element selection limit, the "Update..." import with its backup and log, and the corporate
// field-number fix-up.
#include "ActivityEditorSite.h"

#include "editors/ActivityCorporateFixup.h"
#include "editors/ActivityStandardsImport.h"
#include "editors/StandardUnits.h"
#include "services/NumberFormat.h"
#include "ui/Grid.h"

#include <QDir>
#include <QFile>

namespace vel::testing {
namespace {

TEST(StandardUnits, ConvertsWithoutDividingByZeroAndKeepsNotSet) {
    const auto minutes = StandardDisplay::MinutesPerUnit;
    EXPECT_EQ(displayedStandard(0.0, minutes), 0.0);
    EXPECT_EQ(displayedStandard(-5.0, minutes), 0.0);
    EXPECT_EQ(displayedStandard(-1.0, minutes), -1.0);
    EXPECT_EQ(displayedStandard(40.0, minutes), 1.5);
    EXPECT_EQ(storedStandard(2.0, minutes), 30.0F);
    EXPECT_EQ(storedStandard(0.0, minutes), 0.0F);
    EXPECT_EQ(storedStandard(-1.0, minutes), -1.0F);
    EXPECT_EQ(storedStandard(7.5, StandardDisplay::UnitsPerHour), 7.5F);
    EXPECT_EQ(standardText(1234.5, StandardDisplay::UnitsPerHour), "1,234.500");
    EXPECT_EQ(standardText(40.0, minutes), "1.50000");
    EXPECT_EQ(FormatNumber(40.0, QStringLiteral("#######0.00#####")), "40.00");
    EXPECT_EQ(FormatNumber(1.0 / 3, QStringLiteral("#######0.00#####")), "0.3333333");
    EXPECT_EQ(FormatNumber(-1234567.0, QStringLiteral("#,##0.000")), "-1,234,567.000");
}

TEST(frmActivityStandards, GridEntriesAreConvertedAndNonNumbersRefused) {
    ActivityEditorSite s;
    ActivityRecord activity =
        ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 0.0F}, {Lines, 60.0F}});
    activity.AllocationStandards[North] = {};
    activity.AllocationStandards[North][0] = 0.0F;
    activity.AllocationStandards[North][1] = 120.0F;
    s.storeActivities({activity});
    s.ui.when(QStringLiteral("TBEditForm"), editFirstLine);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        showTab(record, 3);
        record.set(QStringLiteral("optTime(0)"), QStringLiteral("1"));
        EXPECT_EQ(record.value(QStringLiteral("nbElmTime")), "0.00000") << "0 per hour shows 0 min";
        showTab(record, 4);
        const auto& grid = record.form().controlAs<Grid>(QStringLiteral("grdAllocations"));
        EXPECT_EQ(grid.textMatrix(0, 1), "Cases (min/unit)");
        EXPECT_EQ(grid.textMatrix(1, 0), "N - North");
        EXPECT_EQ(grid.textMatrix(1, 1), "0.00000");
        EXPECT_EQ(grid.textMatrix(1, 2), "0.50000");
        EXPECT_FALSE(
            record.editCell(QStringLiteral("grdAllocations"), 1, 2, QStringLiteral("abc")));
        EXPECT_EQ(grid.textMatrix(1, 2), "0.50000") << "the old value comes back";
        EXPECT_TRUE(record.editCell(QStringLiteral("grdAllocations"), 1, 1, QStringLiteral(" 2 ")));
        EXPECT_EQ(grid.textMatrix(1, 1), "2.00000");
        EXPECT_TRUE(record.editCell(QStringLiteral("grdAllocations"), 1, 2, QString()));
        showTab(record, 3);
        record.set(QStringLiteral("optTime(1)"), QStringLiteral("1"));
        EXPECT_EQ(grid.textMatrix(0, 1), "Cases (units/hr)");
        EXPECT_EQ(grid.textMatrix(1, 1), "30.000");
        record.set(QStringLiteral("cboElement"), QStringLiteral("Cases"));
        record.set(QStringLiteral("nbElmTime"), QStringLiteral("-1"));
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("Cell contains a non-numeric entry, field cannot be saved"), IDOK);
    s.ui.when(QStringLiteral("dlgYesToAll"),
              [](FormDriver& question) { question.click(QStringLiteral("cmdYesToAll")); });
    EXPECT_FALSE(s.edit());
    EXPECT_EQ(s.messages().front().style, MB_ICONEXCLAMATION);
    const ActivityRecord saved = s.stored(1);
    EXPECT_FLOAT_EQ(saved.AllocationStandards.at(North)[0], 30.0F) << "2 min/unit stores 30";
    EXPECT_FLOAT_EQ(saved.AllocationStandards.at(North)[1], 120.0F) << "an empty entry keeps it";
    EXPECT_FLOAT_EQ(saved.Elements[0].Standard, -1.0F) << "not set passes unchanged";
}

// The frame shows a standard rounded to its box; only a change of that box may change the
// stored standard, never a tick or a limit of the same element.
TEST(frmActivityStandards, OtherFrameSettingsLeaveNonRoundStandardsAsStored) {
    ActivityEditorSite s;
    s.storeActivities({ActivityEditorSite::measured(
        "PICK1", "Case picking", {{Cases, 7.0F}, {Lines, 45000.0F}, {TravelMinutes, 12.3456F}})});
    s.ui.when(QStringLiteral("TBEditForm"), editFirstLine);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        showTab(record, 3);
        record.set(QStringLiteral("optTime(0)"), QStringLiteral("1"));  // minutes per unit
        record.set(QStringLiteral("cboElement"), QStringLiteral("Cases"));
        EXPECT_EQ(record.value(QStringLiteral("nbElmTime")), "8.57143");
        record.click(QStringLiteral("chkOccur"));
        record.set(QStringLiteral("cboElement"), QStringLiteral("Lines"));
        EXPECT_EQ(record.value(QStringLiteral("nbElmTime")), "0.00133");
        record.click(QStringLiteral("chkExceed"));
        record.set(QStringLiteral("nbElmLimit(1)"), QStringLiteral("500"));
        record.set(QStringLiteral("optTime(1)"), QStringLiteral("1"));  // units per hour
        record.set(QStringLiteral("cboElement"), QStringLiteral("Travel Minutes"));
        EXPECT_EQ(record.value(QStringLiteral("nbElmTime")), "12.346");
        record.click(QStringLiteral("chkOverride"));
        record.set(QStringLiteral("cboElement"), QStringLiteral("Cases"));
        record.click(QStringLiteral("chkUseUnits"));
        pressOK(record);
    });
    EXPECT_FALSE(s.edit());
    const ActivityRecord saved = s.stored(1);
    EXPECT_EQ(saved.Elements[0].Standard, 7.0F);
    EXPECT_EQ(saved.Elements[1].Standard, 45000.0F);
    EXPECT_EQ(saved.Elements[2].Standard, 12.3456F);
    EXPECT_TRUE(saved.Elements[0].Occurrence);
    EXPECT_FALSE(saved.Elements[0].UseUnits);
    EXPECT_TRUE(saved.Elements[1].Exceed);
    EXPECT_EQ(saved.Elements[1].UpperLimit, 500.0F);
    EXPECT_TRUE(saved.Elements[2].Override);
    for (const ChangeLogEntry& entry : s.changeLog()) {
        EXPECT_FALSE(entry.Changes.contains(QStringLiteral("StdTime")))
            << entry.Changes.toStdString();
    }

    // The standard's own box does change it, in the unit shown.
    s.ui.when(QStringLiteral("TBEditForm"), editFirstLine);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        showTab(record, 3);
        record.set(QStringLiteral("optTime(1)"), QStringLiteral("1"));
        record.set(QStringLiteral("cboElement"), QStringLiteral("Lines"));
        record.set(QStringLiteral("nbElmTime"), QStringLiteral("44000"));
        pressOK(record);
    });
    EXPECT_FALSE(s.edit());
    EXPECT_EQ(s.stored(1).Elements[1].Standard, 44000.0F);
    EXPECT_EQ(s.stored(1).Elements[0].Standard, 7.0F);
}

TEST(frmActivityStandards, TheThirtyFirstElementIsRefused) {
    ActivityEditorSite s(28, 40);  // 31 elements in all; fields for 30 of them
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}})});
    s.ui.when(QStringLiteral("TBEditForm"), editFirstLine);
    s.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        showTab(record, 3);
        EXPECT_TRUE(record.pick(QStringLiteral("lsElement"), QStringLiteral("Lines")));
        EXPECT_TRUE(record.pick(QStringLiteral("lsElement"), QStringLiteral("Travel Minutes")));
        for (int extra = 1; extra <= 27; ++extra) {
            EXPECT_TRUE(record.pick(QStringLiteral("lsElement"),
                                    QStringLiteral("Extra ") + QString::number(extra)));
        }
        EXPECT_EQ(record.value(QStringLiteral("cboElement")), "Extra 27")
            << "the frame shows the element just added";
        record.set(QStringLiteral("nbElmTime"), QStringLiteral("3"));
        EXPECT_FALSE(record.pick(QStringLiteral("lsElement"), QStringLiteral("Extra 28")));
        record.click(QStringLiteral("btnClose"));
        const auto& grid = record.form().controlAs<Grid>(QStringLiteral("grdElements"));
        EXPECT_TRUE(grid.visible());
        EXPECT_EQ(grid.rows(), 31);
        EXPECT_EQ(grid.textMatrix(0, 2), "Standard (min/unit)");
        EXPECT_EQ(grid.textMatrix(30, 1), "Extra 27");
        EXPECT_EQ(grid.textMatrix(30, 2), "3.00000");
        EXPECT_EQ(record.form().control(QStringLiteral("btnClose")).caption(),
                  "&Return to Element Setup");
        pressOK(record);
    });
    s.ui.answer(QStringLiteral("Cannot add the Element to the selected Elements.  Can only have 30 "
                               "Elements on an Activity."),
                IDOK);
    s.ui.when(QStringLiteral("dlgYesToAll"),
              [](FormDriver& question) { question.click(QStringLiteral("cmdYesToAll")); });
    EXPECT_FALSE(s.edit());
    EXPECT_EQ(s.messages().front().style, MB_ICONINFORMATION);
    const ActivityRecord saved = s.stored(1);
    EXPECT_EQ(saved.elementCount(), 30);
    EXPECT_FLOAT_EQ(saved.Elements[29].Standard, 20.0F);
}

// An import file in the system folder.
QString writeImportFile(ActivityEditorSite& s, const QByteArray& text) {
    const QString path = s.site.path(QStringLiteral("standards.csv"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
}

TEST(frmActivityStandards, ImportUpdatesStandardsWithOneRemarkPerLineAfterABackup) {
    ActivityEditorSite s;
    ActivityRecord picking =
        ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}, {Lines, 10.0F}});
    picking.AllocationStandards[North].fill(0.0F);
    picking.AllocationStandards[North][0] = 50.0F;
    ActivityRecord idle;
    idle.Code = QStringLiteral("IDLE");
    idle.Desc = QStringLiteral("Idle");
    s.storeActivities({picking, idle});
    const QString path = writeImportFile(s,
                                         "Activity,Allocation,Element,UPH,MPU\r\n"
                                         "PICK1,,Cases,,1.5\n"
                                         "PICK1\tN\tLines\t25\t\n"
                                         "PICK1 N Cases 80\n"
                                         "PICK1,,Cases,,\n"
                                         "IDLE,,Cases,10,\n"
                                         "PICK1,,Boxes,10,\n"
                                         "PICK1,,Travel Minutes,10,\n"
                                         "PICK1,X,Cases,10,\n"
                                         "PICK1,S,Cases,10,\n"
                                         "NONE,,Cases,10,\n");
    auto& activities = s.system->activities();
    ASSERT_TRUE(activities.open());
    ASSERT_TRUE(s.system->elements().open());
    ASSERT_TRUE(s.system->allocations().open());
    ActivityStandardsImport job(*s.system);
    ASSERT_TRUE(job.importFile(path, 1, 0));
    QStringList remarks;
    for (const auto& line : job.log()) {
        remarks << line.remarks;
    }
    EXPECT_EQ(remarks,
              (QStringList{"All Allocations updated to 40.00 units per hour",
                           "updated to 25.00 units per hour", "updated to 80.00 units per hour",
                           "not updated. Both time fields are blank.",
                           "not updated. Unmeasured Activity.", "not updated. Element not found.",
                           "not updated. Element not active on this Activity.",
                           "not updated. Allocation not found.",
                           "not updated. Allocation is not valid for this Activity.",
                           "not updated. Activity not found."}));
    EXPECT_EQ(job.linesRead(), 10);
    EXPECT_EQ(job.linesUpdated(), 3);
    const ActivityRecord updated = activities.record(1);
    EXPECT_FLOAT_EQ(updated.Elements[0].Standard, 40.0F) << "only minutes 1.5 stores 40";
    EXPECT_FLOAT_EQ(updated.AllocationStandards.at(North)[0], 80.0F);
    EXPECT_FLOAT_EQ(updated.AllocationStandards.at(North)[1], 25.0F);

    // The backup holds the standards as they were, and reads back as an import.
    QFile backup(job.backupPath());
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly)) << job.backupPath().toStdString();
    EXPECT_TRUE(QFileInfo(job.backupPath()).fileName().startsWith(QStringLiteral("standards-")));
    const QString saved = QString::fromUtf8(backup.readAll());
    EXPECT_TRUE(saved.contains(QStringLiteral("PICK1,,Cases,60.00,1.00\r\n")));
    EXPECT_TRUE(saved.contains(QStringLiteral("PICK1,N,Cases,50.00,1.20\r\n")));
    ActivityStandardsImport restore(*s.system);
    ASSERT_TRUE(restore.importFile(job.backupPath(), 0, 0));
    EXPECT_FLOAT_EQ(activities.record(1).Elements[0].Standard, 60.0F);
    EXPECT_NE(restore.backupPath(), job.backupPath()) << "each run backs up to a new file";
    EXPECT_EQ(s.changeLog().back().Action.trimmed(), "Update");
}

TEST(frmActivityStandards, UpdateActionAsksForTheFileShowsTheLogAndTheListSavesIt) {
    ActivityEditorSite s;
    s.storeActivities({ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}})});
    writeImportFile(s, "PICK1,,Cases,,1.5\n");
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnAction(1)"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmImport"), [&s](FormDriver& window) {
        EXPECT_EQ(window.form().caption(), "Update Activity Table Records");
        EXPECT_EQ(window.value(QStringLiteral("lblPrompt")),
                  "Enter the name of the file to update the Activity Table");
        EXPECT_EQ(window.value(QStringLiteral("txtFileName")),
                  QDir(s.site.folder).filePath(QStringLiteral("standards.csv")));
        window.set(QStringLiteral("txtFileName"), QString());
        window.click(QStringLiteral("cmdImport"));
        window.set(QStringLiteral("txtFileName"), s.site.path(QStringLiteral("missing.csv")));
        window.click(QStringLiteral("cmdImport"));
        window.set(QStringLiteral("txtFileName"), s.site.path(QStringLiteral("standards.csv")));
        window.click(QStringLiteral("cmdImport"));
    });
    s.ui.answer(QStringLiteral("Filename cannot be blank."), IDOK);
    s.ui.answer(QStringLiteral("missing.csv does not exist."), IDOK);
    s.ui.when(QStringLiteral("frmImportLog"), [](FormDriver& log) {
        EXPECT_EQ(log.form().caption(), "Activity Import Log");
        EXPECT_EQ(log.value(QStringLiteral("lblHeading")), "Log of Activity Import");
        log.click(QStringLiteral("cmdOK"));
    });
    s.ui.answer(QStringLiteral("Importing Complete.  There were: 1 records read and 1 records "
                               "updated."),
                IDOK);
    s.ui.answer(QStringLiteral("Would you like to try updating again?"), IDNO);
    EXPECT_FALSE(s.edit());
    EXPECT_FLOAT_EQ(s.stored(1).Elements[0].Standard, 40.0F);
}

TEST(frmActivityStandards, FixupGivesLocalActivitiesTheCorporateFieldNumbersAndLogsThem) {
    ActivityEditorSite s;
    ActivityRecord local = ActivityEditorSite::measured("PICK1", "Case picking", {{Cases, 60.0F}});
    local.FldHoursto = 1;
    local.Elements[0].UnitsField = 2;
    s.storeActivities({local});
    s.copyToCorporate({"TBVMACT.--1", "TBVMELM.--1"});
    ActivityRecord corporate = local;
    corporate.FldHoursto = 7;
    corporate.Elements[0].UnitsField = 8;
    s.store(s.system->corporateActivities(), {corporate});
    s.reopen();
    ASSERT_TRUE(s.system->activities().open());
    s.ui.answer(QStringLiteral("Only use this to fix up a DCs setup"), IDOK);
    s.ui.answer(
        QStringLiteral("1 Activities Updated. Check the log file for the field numbers that "
                       "were adjusted: "),
        IDOK);
    ActivityCorporateFixup fixup(*s.system);
    ASSERT_TRUE(fixup.run());
    const ActivityRecord fixed = s.system->activities().record(1);
    EXPECT_EQ(fixed.FldHoursto, 7);
    EXPECT_EQ(fixed.Elements[0].UnitsField, 8);
    QFile log(fixup.logPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QFileInfo(fixup.logPath()).fileName().startsWith(QStringLiteral("TBCORPFIX.")));
    EXPECT_EQ(QString::fromUtf8(log.readAll()).toStdString(),
              "Activity,Data,Old Field,New Field\r\nPICK1,Actual Hours,1,7\r\n"
              "PICK1,Cases units,2,8\r\n")
        << "hours and the element's units take the corporate numbers";
    EXPECT_EQ(s.messages().size(), 2u);
}

}  // namespace
}  // namespace vel::testing

// The activity-detail export end to end on the reference host: production-sheet lines recorded
// through the host, written by WriteActivityDetailData and by ExportActivityDetail with its two
// windows, and the CSV read back.
#include "maintenance/ExportSite.h"

#include "data/RecordedWork.h"
#include "reports/dlgRepPrint.h"
#include "services/IniSettings.h"

namespace vel::testing {
namespace {

const QString header = QStringLiteral(
    "DATE,ASSOC_CODE,ASSOC_NAME,WC_CODE,ACT_CODE,ACT_DESC,ALLOC_CODE,UNITS,HOURS,MEAS_HOURS,"
    "EARN_HOURS,PERFORM,COST");
const QString pickRow = QStringLiteral(
    "2024/03/04,A100,\"Smith, Jo\",NIGHT,PICK,Case Picking,FROZEN,240.00,2.00,2.00,2.20,110.0,"
    "35.00");
const QString idleRow = QStringLiteral(
    "2024/03/05,A100,\"Smith, Jo\",RECV,IDLE,Idle Time,,0.00,1.50,0.00,0.00,0.0,20.00");
const QString zeroRow = QStringLiteral(
    "2024/03/05,A100,\"Smith, Jo\",NIGHT,PICK,Case Picking,,0.00,0.00,0.00,0.00,0.0,0.00");

struct DetailSite : ExportSite {
    DetailSite() {
        ProductionLineRecord pick;
        pick.Date = QDate(2024, 3, 4);
        pick.Associate = 1;
        pick.WorkCenter = 2;
        pick.Activity = 1;
        pick.Allocation = 2;
        pick.Hours = 2.0;
        pick.Element = {1, 4};
        pick.Units = {240, 10};
        pick.StdMinutes = {0.5, 1.2};  // 2.0 + 0.2 earned hours; the pallets are not counted
        pick.Cost = 35.0;
        ProductionLineRecord idle;
        idle.Date = QDate(2024, 3, 5);
        idle.Associate = 1;
        idle.WorkCenter = 1;
        idle.Activity = 3;
        idle.Hours = 1.5;
        idle.Cost = 20.0;
        ProductionLineRecord nothing;
        nothing.Date = QDate(2024, 3, 5);
        nothing.Associate = 1;
        nothing.WorkCenter = 2;
        nothing.Activity = 1;
        ProductionLineRecord later = pick;
        later.Date = QDate(2024, 3, 11);
        EXPECT_TRUE(system->recordedWork().addLines({later, pick, idle, nothing}));
    }
    bool write(const QString& file, const QDate& from, const QDate& to,
               const QString& extension = QStringLiteral("csv")) {
        return component.WriteActivityDetailData(0, *system, system->masterfile(), file, extension,
                                                 from, to);
    }
    void store(const QString& key, const QString& value) {
        IniSettings settings(system->settingsLocation());
        settings.selectSection(QStringLiteral("ExportActivityDetail-1"));
        ASSERT_TRUE(settings.writeText(key, value));
    }
    QString stored(const QString& key) {
        IniSettings settings(system->settingsLocation());
        settings.selectSection(QStringLiteral("ExportActivityDetail-1"));
        return settings.readValue(key);
    }
};

TEST(ActivityDetailExport, WritesOneRowPerLineOfTheRange) {
    DetailSite site;
    const QString file = site.output + QStringLiteral("/detail.csv");
    ASSERT_TRUE(site.write(file, QDate(2024, 3, 1), QDate(2024, 3, 7)));
    EXPECT_EQ(ExportSite::lines(file), (QStringList{header, pickRow, idleRow, zeroRow}));
    EXPECT_TRUE(site.ui.transcript().lines().contains(
        QStringLiteral("status: 3 rows of activity detail written")));

    // The last choice of the window leaves lines without figures out.
    site.store(QStringLiteral("NonZero"), QStringLiteral("1"));
    ASSERT_TRUE(site.write(file, QDate(2024, 3, 4), QDate(2024, 3, 5)));
    EXPECT_EQ(ExportSite::lines(file), (QStringList{header, pickRow, idleRow}));
    EXPECT_TRUE(site.system->errors().reports().isEmpty());
}

TEST(ActivityDetailExport, ARangeWithoutWorkGivesAFileWithoutRowsAndSaysSo) {
    DetailSite site;
    const QString file = site.output + QStringLiteral("/empty.csv");
    ASSERT_TRUE(site.write(file, QDate(2024, 3, 6), QDate(2024, 3, 10)));
    EXPECT_EQ(ExportSite::lines(file), QStringList{header});
    EXPECT_TRUE(site.ui.transcript().lines().contains(QStringLiteral(
        "status: No work was recorded from 2024/03/06 to 2024/03/10: the file has no rows")));
}

TEST(ActivityDetailExport, BadRequestsAreReportedAndLeaveTheFileAlone) {
    DetailSite site;
    const QString file = site.output + QStringLiteral("/kept.csv");
    {
        QFile existing(file);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("kept\r\n");
    }
    EXPECT_FALSE(site.write(file, QDate(2024, 3, 7), QDate(2024, 3, 1)));
    EXPECT_FALSE(site.write(file, QDate(), QDate(2024, 3, 1)));
    EXPECT_FALSE(site.write(site.output + QStringLiteral("/none/detail.csv"), QDate(2024, 3, 1),
                            QDate(2024, 3, 7)));
    EXPECT_EQ(ExportSite::lines(file), QStringList{QStringLiteral("kept")});
    const auto& reports = site.system->errors().reports();
    ASSERT_EQ(reports.size(), 3);
    EXPECT_EQ(reports[0].text,
              "The start date 2024/03/07 is after the end date 2024/03/01-WriteActivityDetailData");
    EXPECT_TRUE(reports[2].text.endsWith(QStringLiteral("-WriteActivityDetailData")));
    // An extension the writer does not know falls back on the file's own.
    ASSERT_TRUE(site.write(site.output + QStringLiteral("/detail.txt"), QDate(2024, 3, 4),
                           QDate(2024, 3, 4), QStringLiteral("???")));
    EXPECT_EQ(ExportSite::lines(site.output + QStringLiteral("/detail.txt")).size(), 2);
}

TEST(ActivityDetailExport, TheWindowsChooseThePeriodAndTheFileAndKeepTheirChoices) {
    DetailSite site;
    const QString file = site.output + QStringLiteral("/week.xlsx");
    EXPECT_EQ(site.stored(QStringLiteral("Filename")),
              QDir(site.site.path(QString())).filePath(QStringLiteral("ActDetail.csv")));
    site.ui.when(QStringLiteral("dlgRepPrint"), [](FormDriver& dialog) {
        EXPECT_TRUE(dialog.form().caption().startsWith(
            QStringLiteral("Export Activity Detail Data to File - ")));
        EXPECT_TRUE(dialog.form().caption().endsWith(QStringLiteral(" Tallybook")));
        dialog.click(QStringLiteral("optLength(2)"));
        dialog.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(dialog.value(QStringLiteral("Calendar(1)")), "2024/03/10");
        EXPECT_EQ(dialog.form().control(QStringLiteral("Command1(2)")).caption(), "Export Data");
        dialog.click(QStringLiteral("Command1(2)"));
    });
    site.ui.when(QStringLiteral("dlgExport"), [&](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("Combo1")), "Comma Separated Values (csv)");
        dialog.set(QStringLiteral("Text1"), file);
        dialog.set(QStringLiteral("Combo1"), QStringLiteral("Spreadsheet Workbook (xlsx)"));
        dialog.click(QStringLiteral("chkNonZero"));
        dialog.click(QStringLiteral("cmdOK"));
    });
    QDate current(2024, 3, 10);
    EXPECT_TRUE(
        site.component.ExportActivityDetail(0, *site.system, site.system->masterfile(), current));
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(site.stored(QStringLiteral("Filename")), file);
    EXPECT_EQ(site.stored(QStringLiteral("Type")), "XLSX");
    EXPECT_EQ(site.stored(QStringLiteral("NonZero")), "1");
    EXPECT_TRUE(site.ui.transcript().lines().contains(QStringLiteral("status: Creating Files")));

    // The next export starts from the choices kept; a week without work says so.
    const QString empty = site.output + QStringLiteral("/empty.xlsx");
    site.ui.when(QStringLiteral("dlgRepPrint"), [](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("optLength(2)")), "1");
        dialog.click(QStringLiteral("Command1(2)"));
        dialog.set(QStringLiteral("Calendar(1)"), QStringLiteral("2024/02/11"));
        dialog.click(QStringLiteral("Command1(2)"));
    });
    site.ui.when(QStringLiteral("dlgExport"), [&](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("Text1")), file);
        EXPECT_EQ(dialog.value(QStringLiteral("chkNonZero")), "1");
        dialog.set(QStringLiteral("Text1"), empty);
        dialog.click(QStringLiteral("cmdOK"));
    });
    site.ui.answer(QStringLiteral("No work was recorded from 2024/02/05 to 2024/02/11. ") + empty +
                       QStringLiteral(" was written without rows."),
                   IDOK);
    EXPECT_TRUE(
        site.component.ExportActivityDetail(0, *site.system, site.system->masterfile(), QDate()));
    EXPECT_TRUE(QFileInfo::exists(empty));

    // Cancelling either window writes nothing.
    site.ui.when(QStringLiteral("dlgRepPrint"),
                 [](FormDriver& dialog) { dialog.click(QStringLiteral("Command1(1)")); });
    EXPECT_FALSE(
        site.component.ExportActivityDetail(0, *site.system, site.system->masterfile(), current));
    EXPECT_TRUE(site.system->errors().reports().isEmpty());
}

TEST(ActivityDetailExport, TheCommandClassUnloadsItsDialogsWhenItEnds) {
    DetailSite site;
    {
        CVelUI component;
        site.ui.when(QStringLiteral("dlgRepPrint"),
                     [](FormDriver& dialog) { dialog.click(QStringLiteral("Command1(1)")); });
        QDate today = QDate::currentDate();
        EXPECT_FALSE(
            component.ExportActivityDetail(0, *site.system, site.system->masterfile(), today));
        bool loaded = false;
        for (Form* form : Form::loadedForms()) {
            loaded = loaded || form->name() == QStringLiteral("dlgRepPrint");
        }
        EXPECT_TRUE(loaded) << "kept between operations";
    }
    for (Form* form : Form::loadedForms()) {
        EXPECT_NE(form->name(), QStringLiteral("dlgRepPrint"));
    }
}

}  // namespace
}  // namespace vel::testing

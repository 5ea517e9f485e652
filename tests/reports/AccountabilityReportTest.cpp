// The accountability report: its settings, periods, figures, printed lines and export.
#include "AccountabilitySite.h"

#include "data/FiscalCalendarObject.h"
#include "reports/AccountabilityExport.h"
#include "reports/AccountabilityLines.h"
#include "reports/AccountabilityPrinter.h"
#include "reports/AccountabilitySettings.h"
#include "ui/ComboBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace vel::testing {
namespace {

const QDate monday(2024, 3, 11);  // the week of the test clock: 11 to 17 March 2024

// Adams is ramped up on picking (50 hours in January); Brown's ramp-up hours fall in the clear
// weeks; Clark picks without earning; Diaz only meets and loads (loading is outside the policy).
void recordTheWeek(AccountabilitySite& site) {
    std::vector<ProductionLineRecord> lines;
    for (int day = 0; day < 5; ++day) {
        lines.push_back(AccountabilitySite::line(QDate(2024, 1, 8).addDays(day), 1, 1, 10, 600));
        lines.push_back(AccountabilitySite::line(QDate(2024, 2, 12).addDays(day), 2, 1, 10, 600));
    }
    lines.push_back(AccountabilitySite::line(monday, 1, 1, 10, 600));            // 100 %
    lines.push_back(AccountabilitySite::line(monday, 1, 3, 2));                  // unmeasured
    lines.push_back(AccountabilitySite::line(monday.addDays(1), 2, 1, 8, 240));  // 50 %
    lines.push_back(AccountabilitySite::line(monday.addDays(2), 3, 1, 9, 0));    // no earned
    lines.push_back(AccountabilitySite::line(monday.addDays(2), 4, 3, 9));       // no measured
    lines.push_back(AccountabilitySite::line(monday.addDays(3), 4, 2, 5, 300));  // outside PPA
    site.record(lines);
}

AccountabilityReport weekReport(AccountabilitySite& site,
                                const AccountabilitySettings& settings = {},
                                ReportGrouping grouping = ReportGrouping::None,
                                AccountabilitySort sort = AccountabilitySort::Name) {
    const AccountabilityPeriod period = accountabilityPeriod(
        WeeklyReport, monday, site.system->recordedWork().fiscalCalendar(), settings);
    return buildAccountabilityReport(*site.system, period, settings, grouping, sort);
}

const AccountabilityAssociate* find(const AccountabilityReport& report, const QString& code) {
    for (const AccountabilityGroup& group : report.groups) {
        for (const AccountabilityAssociate& associate : group.associates) {
            if (associate.code == code) {
                return &associate;
            }
        }
    }
    return nullptr;
}

// Runs the window once: the script sets the options, then the button (1 print, 2 view,
// 3 export) is pressed and the window closed. Answers the printed lines.
QStringList runWindow(AccountabilitySite& site, const std::function<void(FormDriver&)>& options,
                      int button = 2) {
    TextPrintOutput printed;
    ScopedPrintOutput printing(printed);
    site.ui.when(QStringLiteral("frmEmployeeAccountability"), [&](FormDriver& window) {
        options(window);
        window.click(QStringLiteral("SaveButtons1(%1)").arg(button));
        window.click(QStringLiteral("SaveButtons1(0)"));
    });
    EXPECT_TRUE(site.component.PrintAssocAccountability(0, *site.system));
    return printed.lines();
}

QString lineWith(const QStringList& lines, const QString& text) {
    for (const QString& line : lines) {
        if (line.contains(text)) {
            return line;
        }
    }
    return {};
}

TEST(AccountabilityReport, FirstRunUsesEveryDefaultAndWritesTheOptionsBackEachRun) {
    AccountabilitySite site;
    recordTheWeek(site);
    const QString defaultFile = site.site.folder + QStringLiteral("/WeeklyAccountable.csv");
    runWindow(site, [&](FormDriver& window) {
        const QStringList expected{"8", "8", "100", "40", "52", "6"};
        for (int index = 2; index <= 7; ++index) {
            EXPECT_EQ(window.value(QStringLiteral("NumberBox1(%1)").arg(index)).toDouble(),
                      expected[index - 2].toDouble())
                << index;
        }
        for (int index = 2; index <= 4; ++index) {
            EXPECT_EQ(window.value(QStringLiteral("chkPPA(%1)").arg(index)), "1") << index;
        }
        EXPECT_EQ(window.value(QStringLiteral("txtFilename")), defaultFile);
        EXPECT_EQ(window.value(QStringLiteral("cboType")), "Comma Separated Values (csv)");
        EXPECT_EQ(window.value(QStringLiteral("txtSystemID")), "");
        EXPECT_EQ(window.value(QStringLiteral("optLength(2)")), "1");
        EXPECT_EQ(window.value(QStringLiteral("Calendar")), "Week Ending: Sunday, March 17, 2024");
    });
    const std::pair<const char*, QString> stored[] = {{"CurrentWkHours", "8"},
                                                      {"RampUpHours", "40"},
                                                      {"RampUpWeeks", "52"},
                                                      {"RampUpClearWeeks", "6"},
                                                      {"OnlyIncludePPAinWeek", "True"},
                                                      {"CurrentMonthHours", "8"},
                                                      {"OnlyIncludePPAinMonth", "True"},
                                                      {"CurrentQuarterHours", "100"},
                                                      {"OnlyIncludePPAinQuarter", "True"},
                                                      {"Filename", defaultFile},
                                                      {"Type", "CSV"},
                                                      {"SystemID", ""}};
    for (const auto& [key, value] : stored) {
        EXPECT_EQ(site.stored(QLatin1String(key)), value) << key;
    }

    // Changed options are written back and offered on the next run.
    runWindow(site, [](FormDriver& window) {
        window.selectTab(QStringLiteral("TabStrip1"), 3);
        window.set(QStringLiteral("NumberBox1(5)"), QStringLiteral("25"));
        window.selectTab(QStringLiteral("TabStrip1"), 2);
        window.click(QStringLiteral("chkPPA(3)"));
        window.selectTab(QStringLiteral("TabStrip1"), 5);
        window.set(QStringLiteral("txtSystemID"), QStringLiteral("RIVER"));
    });
    EXPECT_EQ(site.stored(QStringLiteral("RampUpHours")), "25");
    EXPECT_EQ(site.stored(QStringLiteral("OnlyIncludePPAinMonth")), "False");
    EXPECT_EQ(site.stored(QStringLiteral("SystemID")), "RIVER");
    runWindow(site, [](FormDriver& window) {
        EXPECT_EQ(window.value(QStringLiteral("NumberBox1(5)")).toDouble(), 25.0);
        EXPECT_EQ(window.value(QStringLiteral("chkPPA(3)")), "0");
        EXPECT_EQ(window.value(QStringLiteral("txtSystemID")), "RIVER");
    });
}

TEST(AccountabilityReport, PeriodsAndTheirRampUpPeriods) {
    AccountabilitySite site;
    const FiscalCalendarObject& calendar = site.system->recordedWork().fiscalCalendar();
    const AccountabilitySettings defaults;
    const AccountabilityPeriod week =
        accountabilityPeriod(WeeklyReport, QDate(2024, 3, 13), calendar, defaults);
    EXPECT_EQ(week.first, monday);
    EXPECT_EQ(week.last, QDate(2024, 3, 17));
    EXPECT_EQ(week.rampUpFirst, monday.addDays(-364));
    EXPECT_EQ(week.rampUpLast, monday.addDays(-1));
    EXPECT_EQ(week.rampUpCountedLast, monday.addDays(-1 - 42));
    EXPECT_EQ(week.dateLine(), "Week Ending: Sunday, March 17, 2024");
    EXPECT_EQ(week.rampUpLine(),
              "Ramp Up Period: Monday, March 13, 2023 to Sunday, March 10, 2024");

    const FiscalSpan quarter = calendar.quarter(QDate(2024, 3, 13));
    const AccountabilityPeriod quarterly =
        accountabilityPeriod(QuarterlyReport, QDate(2024, 3, 13), calendar, defaults);
    EXPECT_EQ(quarterly.first, quarter.first);
    EXPECT_EQ(quarterly.last, quarter.last);
    EXPECT_EQ(quarterly.rampUpFirst, quarter.first.addDays(-364));
    EXPECT_EQ(quarterly.rampUpLast, quarter.first.addDays(-1));
    EXPECT_TRUE(quarterly.dateLine().startsWith(QStringLiteral("Quarter Ending: ")));

    // More clear weeks than ramp-up weeks: no day counts.
    AccountabilitySettings cleared;
    cleared.rampUpWeeks = 4;
    cleared.rampUpClearWeeks = 5;
    EXPECT_FALSE(accountabilityPeriod(WeeklyReport, monday, calendar, cleared).rampUpCounts());

    // The date lists, latest first.
    const auto weeks = BuildDateList(WeeklyReport, calendar, QDate(2024, 2, 1), monday);
    ASSERT_EQ(weeks.size(), 7u);
    EXPECT_EQ(weeks.front().text, "Week Ending: Sunday, March 17, 2024");
    EXPECT_EQ(weeks.back().ending, QDate(2024, 2, 4));
    const auto months = BuildDateList(MonthlyReport, calendar, QDate(2024, 1, 1), monday);
    ASSERT_FALSE(months.empty());
    EXPECT_TRUE(months.front().text.startsWith(QStringLiteral("Fiscal Month: ")));
    EXPECT_TRUE(months.front().text.contains(QStringLiteral(" - Ending: ")));
    EXPECT_EQ(calendarHeading(QuarterlyReport), "Quarter");
}

TEST(AccountabilityReport, RampedUpOnlyByHoursBeforeTheClearWeeksAndZeroPerformanceWithoutHours) {
    AccountabilitySite site;
    recordTheWeek(site);
    const AccountabilityReport report = weekReport(site);

    const AccountabilityAssociate* adams = find(report, QStringLiteral("A1"));
    ASSERT_NE(adams, nullptr);
    ASSERT_EQ(adams->lines.size(), 2u);  // meeting and picking, by code
    const AccountabilityLine& picking = adams->lines[1];
    EXPECT_EQ(picking.activityCode, "PICK");
    EXPECT_TRUE(picking.rampedUp);
    EXPECT_DOUBLE_EQ(picking.sums.accountableMeasured, 10.0);
    EXPECT_DOUBLE_EQ(picking.sums.accountablePerformance(), 1.0);
    EXPECT_DOUBLE_EQ(adams->total.period.totalHours, 12.0);

    // Brown worked 50 hours on picking, but within the six clear weeks.
    const AccountabilityAssociate* brown = find(report, QStringLiteral("B2"));
    ASSERT_NE(brown, nullptr);
    EXPECT_FALSE(brown->lines[0].rampedUp);
    EXPECT_DOUBLE_EQ(brown->total.accountableMeasured, 0.0);
    EXPECT_DOUBLE_EQ(brown->total.accountablePerformance(), 0.0);
    EXPECT_DOUBLE_EQ(brown->total.totalPerformance(), 0.5);

    // Measured hours without earned hours, and no measured hours at all: 0 %.
    const AccountabilityAssociate* clark = find(report, QStringLiteral("C3"));
    const AccountabilityAssociate* diaz = find(report, QStringLiteral("D4"));
    ASSERT_NE(clark, nullptr);
    ASSERT_NE(diaz, nullptr);
    EXPECT_DOUBLE_EQ(clark->total.period.measuredHours, 9.0);
    EXPECT_DOUBLE_EQ(clark->total.totalPerformance(), 0.0);
    EXPECT_DOUBLE_EQ(diaz->total.period.measuredHours, 0.0);
    EXPECT_DOUBLE_EQ(diaz->total.totalPerformance(), 0.0);
    EXPECT_EQ(AccountabilityPrinter::totalCells(*clark)[14], "0%");
    // Loading is outside the policy: only the meeting is Diaz's.
    ASSERT_EQ(diaz->lines.size(), 1u);
    EXPECT_EQ(diaz->lines[0].activityCode, "MEET");

    // Without the policy limit loading counts; with the clear weeks off Brown is ramped up.
    AccountabilitySettings settings;
    settings.ppaOnlyInWeek = false;
    settings.rampUpClearWeeks = 0;
    const AccountabilityReport wider = weekReport(site, settings);
    EXPECT_EQ(find(wider, QStringLiteral("D4"))->lines.size(), 2u);
    EXPECT_TRUE(find(wider, QStringLiteral("B2"))->lines[0].rampedUp);
    EXPECT_DOUBLE_EQ(wider.total.period.measuredHours, 10 + 8 + 9 + 5);
}

TEST(AccountabilityReport, QuarterlyTotalLineOfAnAssociateBelowTheMinimumHoursPrintsZero) {
    AccountabilitySite site;
    std::vector<ProductionLineRecord> lines;
    // Adams: 99.99 measured hours in the quarter; Brown: 100.
    for (int day = 0; day < 9; ++day) {
        lines.push_back(AccountabilitySite::line(monday.addDays(-14 + day), 1, 1, 11.11, 600));
        lines.push_back(AccountabilitySite::line(monday.addDays(-14 + day), 2, 1, 11, 600));
    }
    lines.push_back(AccountabilitySite::line(monday, 2, 1, 1, 60));
    site.record(lines);
    const QStringList printed = runWindow(site, [](FormDriver& window) {
        window.click(QStringLiteral("optLength(4)"));
        EXPECT_TRUE(window.value(QStringLiteral("Calendar"))
                        .startsWith(QStringLiteral("Quarter Number: ")));
        window.selectTab(QStringLiteral("TabStrip1"), 4);
        window.click(QStringLiteral("optSummary"));
    });
    const QString adams = lineWith(printed, QStringLiteral("Adams, Ann"));
    const QString brown = lineWith(printed, QStringLiteral("Brown, Bob"));
    EXPECT_TRUE(adams.contains(QStringLiteral("99.99")));
    EXPECT_TRUE(adams.contains(QRegularExpression(QStringLiteral("Total .* 0\\.00  "))))
        << adams.toStdString();
    EXPECT_TRUE(brown.contains(QStringLiteral("100.00")));
    EXPECT_FALSE(brown.contains(QStringLiteral(" 0.00  "))) << brown.toStdString();
    EXPECT_FALSE(lineWith(printed, QStringLiteral("Quarter Ending: ")).isEmpty());
    EXPECT_FALSE(lineWith(printed, QStringLiteral("TOTAL")).isEmpty());
    // Only summary lines: no activity line.
    EXPECT_TRUE(lineWith(printed, QStringLiteral("Picking")).isEmpty());
}

TEST(AccountabilityReport, PrintedReportHeadingsGroupsTotalsAndSort) {
    AccountabilitySite site;
    recordTheWeek(site);
    const QStringList printed = runWindow(site, [](FormDriver& window) {
        window.selectTab(QStringLiteral("TabStrip1"), 4);
        window.click(QStringLiteral("optGroup(1)"));
        window.click(QStringLiteral("optType(1)"));
    });
    const QString text = printed.join(u'\n');
    for (const char* expected :
         {"Week Ending: Sunday, March 17, 2024",
          "Ramp Up Period: Monday, March 13, 2023 to "
          "Sunday, March 10, 2024",
          "Home Work Center: Receiving", "Home Work Center: Shipping", "No Home Work Center",
          "Sorted by This Week's Performance", "Associate Name", "Accountable", "Performance",
          "Total of All", "TOTAL", "Picking"}) {
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected;
    }
    // Receiving: Adams (100 %) before Clark (0 %); the group without a work center last.
    const qsizetype adams = text.indexOf(QStringLiteral("Adams, Ann"));
    const qsizetype clark = text.indexOf(QStringLiteral("Clark, Cy"));
    const qsizetype diaz = text.indexOf(QStringLiteral("Diaz, Dee"));
    const qsizetype brown = text.indexOf(QStringLiteral("Brown, Bob"));
    EXPECT_LT(adams, clark);
    EXPECT_LT(clark, brown);
    EXPECT_LT(brown, diaz);
    const QString adamsLine = lineWith(printed, QStringLiteral("Adams, Ann"));
    for (const char* cell : {"A1", "Receiving", "Nights", "Meeting", "MEET", "Yes", "No"}) {
        EXPECT_TRUE(adamsLine.contains(QLatin1String(cell))) << cell;
    }
    // Diaz measured nothing: below the week's minimum, the total line shows "0.00".
    const qsizetype diazTotal = text.indexOf(QStringLiteral("Total"), diaz);
    EXPECT_TRUE(text.mid(diazTotal, 200).contains(QStringLiteral("0.00")));
}

// The fields of an xBase file as vxbase info lists them: "NAME TYPE LENGTH.DECIMALS".
QStringList xbaseFields(const QString& path) {
    QProcess tool;
    tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vxbase"),
               {QStringLiteral("info"), path});
    EXPECT_TRUE(tool.waitForFinished(30000));
    QStringList fields;
    static const QRegularExpression row(
        QStringLiteral("^\\s*\\d+\\s+(\\S+)\\s+(\\S)\\s+(\\d+)\\.(\\d+)"));
    for (const QString& line : QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n')) {
        const auto match = row.match(line);
        if (match.hasMatch()) {
            fields << match.captured(1) + u' ' + match.captured(2) + u' ' + match.captured(3) +
                          u'.' + match.captured(4);
        }
    }
    return fields;
}

TEST(AccountabilityReport, ExportWritesTheTwentyFieldsAsCsvXlsxAndDbf) {
    AccountabilitySite site;
    recordTheWeek(site);
    const AccountabilityReport report = weekReport(site);

    const QString csv = site.site.path(QStringLiteral("week.csv"));
    ASSERT_TRUE(
        exportAccountability(report, QStringLiteral("RIVER"), QStringLiteral("CSV"), csv).ok());
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows =
        QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_EQ(rows.value(0),
              "LENGTH,DATE,SYSTEM_ID,HOME_WC,GROUPING,ASSOC_CODE,ASSOC_NAME,ACTVT_DESC,"
              "ACTVT_CODE,ACTVT_PPA,ACTVT_QUAL,TOW_QUAL,ACTVT_RAMP,UNITS,ACCT_EARNED,"
              "ACCT_MEASRD,EARNED_HRS,MEASRD_HRS,ACCT_PERF,TOTAL_PERF");
    ASSERT_EQ(rows.size(), 1 + 5);  // Adams twice, Brown, Clark, Diaz
    EXPECT_TRUE(rows.contains(QStringLiteral(
        "2,2024/03/17,RIVER,Receiving,Nights,A1,\"Adams, Ann\",Picking,PICK,Yes,No,0.00,Yes,"
        "600.00,10.00,10.00,10.00,10.00,100.00,100.00")))
        << rows.join(u'\n').toStdString();
    EXPECT_TRUE(rows.contains(QStringLiteral(
        "2,2024/03/17,RIVER,Shipping,,B2,\"Brown, Bob\",Picking,PICK,Yes,No,0.00,No,240.00,"
        "0.00,0.00,4.00,8.00,0.00,50.00")))
        << rows.join(u'\n').toStdString();

    const QString dbf = site.site.path(QStringLiteral("week.dbf"));
    ASSERT_TRUE(exportAccountability(report, QString(), QStringLiteral("DBF"), dbf).ok());
    if (QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/vxbase"))) {
        EXPECT_EQ(xbaseFields(dbf),
                  QStringList({"LENGTH N 8.0",      "DATE D 8.0",        "SYSTEM_ID C 10.0",
                               "HOME_WC C 30.0",    "GROUPING C 30.0",   "ASSOC_CODE C 10.0",
                               "ASSOC_NAME C 30.0", "ACTVT_DESC C 30.0", "ACTVT_CODE C 10.0",
                               "ACTVT_PPA C 10.0",  "ACTVT_QUAL C 10.0", "TOW_QUAL N 10.2",
                               "ACTVT_RAMP C 10.0", "UNITS N 10.2",      "ACCT_EARNE N 8.2",
                               "ACCT_MEASR N 8.2",  "EARNED_HRS N 8.2",  "MEASRD_HRS N 8.2",
                               "ACCT_PERF N 8.2",   "TOTAL_PERF N 8.2"}));
    } else {
        ADD_FAILURE() << "vxbase is not built beside the tests";
    }

    const QString xlsx = site.site.path(QStringLiteral("week.xlsx"));
    ASSERT_TRUE(exportAccountability(report, QString(), QStringLiteral("XLSX"), xlsx).ok());
    if (!QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty()) {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"),
                    {QStringLiteral("-p"), xlsx, QStringLiteral("xl/worksheets/sheet1.xml")});
        ASSERT_TRUE(unzip.waitForFinished(30000));
        const QString sheet = QString::fromUtf8(unzip.readAllStandardOutput());
        qsizetype at = 0;
        for (const AccountabilityExportField& field : accountabilityExportFields()) {
            const qsizetype found = sheet.indexOf(QLatin1String(field.name), at);
            EXPECT_GT(found, at - 1) << field.name;
            at = found;
        }
        EXPECT_TRUE(sheet.contains(QStringLiteral("Adams, Ann")));
    }
}

TEST(AccountabilityReport, ExportButtonWritesTheConfiguredFileAndType) {
    AccountabilitySite site;
    recordTheWeek(site);
    const QString path = site.site.path(QStringLiteral("out.dbf"));
    site.ui.answer(QStringLiteral("The report has been exported to ") + path, IDOK);
    runWindow(
        site,
        [&](FormDriver& window) {
            window.selectTab(QStringLiteral("TabStrip1"), 5);
            window.set(QStringLiteral("txtFilename"), path);
            window.set(QStringLiteral("cboType"), QStringLiteral("xBase Table (dbf)"));
        },
        3);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(site.stored(QStringLiteral("Type")), "DBF");
    EXPECT_EQ(site.stored(QStringLiteral("Filename")), path);
}

TEST(AccountabilityReport, OnlyWithThePerformancePolicy) {
    AccountabilitySite site;
    site.site.setSetting(QStringLiteral("Features"), QStringLiteral("PerformancePolicy"),
                         QStringLiteral("False"));
    site.reopen();
    site.ui.answer(
        QStringLiteral("The PPA Module must be Active before this report can be printed"), IDOK);
    EXPECT_FALSE(site.component.PrintAssocAccountability(0, *site.system));
    ASSERT_EQ(site.ui.transcript().messages().size(), 1u);
    EXPECT_EQ(site.ui.transcript().messages()[0].style, MB_OK | MB_ICONINFORMATION);
}

}  // namespace
}  // namespace vel::testing

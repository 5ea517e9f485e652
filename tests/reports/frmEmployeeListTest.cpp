// The associate production analysis window on a site with known recorded work (ReportSite.h): the
// figures worked out by hand there appear in the printed text, with the edge cases of the ratios,
// the minimum, the grouping and the charts.
#include "ReportSite.h"

#include "platform/print/TextPrintOutput.h"
#include "reports/frmEmployeeList.h"

#include <QRegularExpression>

namespace vel::testing {
namespace {

// Runs the report once to the preview with the choices made by `choose`; the printed lines.
QStringList production(ReportSite& site, const std::function<void(FormDriver&)>& choose) {
    TextPrintOutput printed;
    ScopedPrintOutput printing(printed);
    site.ui.when(QStringLiteral("frmEmployeeList"), [&](FormDriver& window) {
        choose(window);
        window.click(QStringLiteral("SaveButtons1(2)"));
        window.click(QStringLiteral("SaveButtons1(0)"));
    });
    EXPECT_TRUE(site.component.PrintAssocHist(0, *site.system));
    return printed.lines();
}

// The cells of a printed line, split on runs of two blanks.
QStringList cells(const QString& line) {
    return line.trimmed().split(QRegularExpression(QStringLiteral("\\s{2,}")));
}

// The index of the first printed line whose first cell is the text; -1 when none is.
qsizetype lineOf(const QStringList& lines, const QString& first) {
    for (qsizetype index = 0; index < lines.size(); ++index) {
        if (cells(lines[index]).value(0) == first) {
            return index;
        }
    }
    return -1;
}

QStringList cellsOf(const QStringList& lines, const QString& first) {
    const qsizetype index = lineOf(lines, first);
    return index < 0 ? QStringList() : cells(lines[index]);
}

void pick(FormDriver& window, int tab, const QString& control) {
    window.selectTab(QStringLiteral("TabStrip1"), tab);
    EXPECT_TRUE(window.click(control)) << control.toStdString();
}

TEST(frmEmployeeList, ThePerformanceReportShowsTheHandWorkedFiguresAndEdgeCases) {
    ReportSite site;
    const QStringList lines = production(site, [](FormDriver& window) {
        pick(window, 2,
             QStringLiteral("optHistType(1)"));  // short term: the last 4 weeks
    });
    EXPECT_TRUE(lines.contains("Associate Performance Analysis - Last 4 Weeks"))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("Total of All Activities"));
    EXPECT_TRUE(lines.contains("All Work Centers")) << "a minimum of 0: no clause";
    EXPECT_TRUE(lines.contains("Through Sunday, March 10, 2024"));
    EXPECT_TRUE(lines.contains("Sorted by Name"));
    EXPECT_TRUE(lines.contains("All Associates"));
    // Adams: 5 earned of 4 measured and 4 total hours.
    EXPECT_EQ(cellsOf(lines, "Adams, Ann"), (QStringList{"Adams, Ann", "A01", "125%", "4.00",
                                                         "4.00", "100%", "125%", "2020/01/06"}));
    // Baker: 3 earned of 3 measured, 5 total.
    EXPECT_EQ(cellsOf(lines, "Baker, Bob"), (QStringList{"Baker, Bob", "B02", "100%", "3.00",
                                                         "5.00", "60%", "60%", "2020/01/06"}));
    // Clark: no measured hours gives 0 %.
    EXPECT_EQ(cellsOf(lines, "Clark, Cy"),
              (QStringList{"Clark, Cy", "C03", "0%", "0.00", "6.00", "0%", "0%", "2020/01/06"}));
    // Dunn: 16.67 earned hours in 0.01 measured: 1,667 is capped at 999.
    EXPECT_EQ(cellsOf(lines, "Dunn, Dee").value(2), "99900%");
    EXPECT_EQ(cellsOf(lines, "Dunn, Dee").value(6), "99900%");
    // The block's total: 24.67 earned of 7.01 measured and 15.01 total hours.
    EXPECT_EQ(cellsOf(lines, "Total"),
              (QStringList{"Total", "352%", "7.01", "15.01", "47%", "164%"}));
    // Every associate once, in name order.
    EXPECT_LT(lineOf(lines, "Adams, Ann"), lineOf(lines, "Baker, Bob"));
    EXPECT_LT(lineOf(lines, "Baker, Bob"), lineOf(lines, "Clark, Cy"));
    EXPECT_LT(lineOf(lines, "Clark, Cy"), lineOf(lines, "Dunn, Dee"));

    // The long-term history adds Adams's January line: 7.5 earned of 8 hours.
    const QStringList longTerm = production(site, [](FormDriver&) {});
    EXPECT_TRUE(longTerm.contains("Associate Performance Analysis - Last 13 Weeks"));
    EXPECT_EQ(cellsOf(longTerm, "Adams, Ann").mid(2, 5),
              (QStringList{"94%", "8.00", "8.00", "100%", "94%"}));
}

TEST(frmEmployeeList, TheMinimumSortAndGroupingShapeTheList) {
    ReportSite site;
    const QStringList lines = production(site, [](FormDriver& window) {
        pick(window, 2, QStringLiteral("optHistType(1)"));
        EXPECT_TRUE(window.set(QStringLiteral("NumberBox1"), QStringLiteral("3.5")));
        pick(window, 3, QStringLiteral("optType(1)"));
    });
    EXPECT_TRUE(
        lines.contains("All Work Centers for Associates with a minimum of 3.5 measured "
                       "hours (Last 4 Weeks)"))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("Sorted by Last 4 Weeks History"));
    EXPECT_FALSE(cellsOf(lines, "Adams, Ann").isEmpty());
    for (const char* left : {"Baker, Bob", "Clark, Cy", "Dunn, Dee"}) {
        EXPECT_TRUE(cellsOf(lines, QString::fromLatin1(left)).isEmpty()) << left;
    }

    const QStringList grouped = production(site, [](FormDriver& window) {
        pick(window, 2, QStringLiteral("optHistType(1)"));
        pick(window, 3, QStringLiteral("optGroup(1)"));
        pick(window, 3, QStringLiteral("optType(1)"));
    });
    const auto at = [&](const char* first) { return lineOf(grouped, QString::fromLatin1(first)); };
    // Receiving holds Adams and Dunn (Dunn first: the higher performance), then Shipping, then the
    // associates without a home work center.
    EXPECT_LT(at("Home Work Center: Receiving"), at("Dunn, Dee"));
    EXPECT_LT(at("Dunn, Dee"), at("Adams, Ann"));
    EXPECT_LT(at("Adams, Ann"), at("Home Work Center: Shipping"));
    EXPECT_LT(at("Home Work Center: Shipping"), at("Baker, Bob"));
    EXPECT_LT(at("Baker, Bob"), at("No Home Work Center"));
    EXPECT_LT(at("No Home Work Center"), at("Clark, Cy"));
    EXPECT_EQ(grouped.filter(QRegularExpression("^Total  ")).size(), 3);
    EXPECT_EQ(cells(grouped.last()),
              (QStringList{"All Work Centers", "352%", "7.01", "15.01", "47%", "164%"}))
        << "the report's total ends it:\n"
        << grouped.join('\n').toStdString();

    const QStringList byGrouping = production(
        site, [](FormDriver& window) { pick(window, 3, QStringLiteral("optGroup(2)")); });
    EXPECT_LT(byGrouping.indexOf("Primary Grouping: Day Shift"), lineOf(byGrouping, "Adams, Ann"));
    EXPECT_LT(lineOf(byGrouping, "Adams, Ann"), byGrouping.indexOf("No Primary Grouping"));
}

TEST(frmEmployeeList, TheCostReportAndASingleActivity) {
    ReportSite site;
    const QStringList cost = production(site, [](FormDriver& window) {
        pick(window, 1, QStringLiteral("OptReport(1)"));
        pick(window, 2, QStringLiteral("optHistType(1)"));
    });
    EXPECT_TRUE(cost.contains("Associate Cost Analysis - Last 4 Weeks"));
    // Adams: 60.00 over 4 hours; at 125 % a 15.00 wage buys standard work at 12.00.
    EXPECT_EQ(cellsOf(cost, "Adams, Ann"),
              (QStringList{"Adams, Ann", "A01", "15.00", "15.00", "60.00", "12.00"}));
    EXPECT_EQ(cellsOf(cost, "Baker, Bob"),
              (QStringList{"Baker, Bob", "B02", "16.00", "16.00", "80.00", "16.00"}));
    EXPECT_EQ(cellsOf(cost, "Clark, Cy"),
              (QStringList{"Clark, Cy", "C03", "14.00", "14.00", "84.00", "0.00"}));

    const QStringList meetings = production(site, [](FormDriver& window) {
        pick(window, 1, QStringLiteral("optActivity(1)"));
        EXPECT_TRUE(window.set(QStringLiteral("cmbActivity"), QStringLiteral("Meeting")));
        pick(window, 2, QStringLiteral("optHistType(1)"));
    });
    EXPECT_TRUE(meetings.contains("Activity: Meeting"));
    EXPECT_EQ(cellsOf(meetings, "Clark, Cy").mid(2, 3), (QStringList{"0%", "0.00", "6.00"}));
    EXPECT_EQ(cellsOf(meetings, "Adams, Ann").mid(2, 3), (QStringList{"0%", "0.00", "0.00"}));
}

TEST(frmEmployeeList, ChartsFollowTheListOnPagesOfTheirOwn) {
    ReportSite site;
    const QStringList lines = production(site, [](FormDriver& window) {
        pick(window, 2, QStringLiteral("optHistType(1)"));
        pick(window, 3, QStringLiteral("optGroup(1)"));
        pick(window, 4, QStringLiteral("Check1(0)"));
        EXPECT_FALSE(window.form().control(QStringLiteral("chkOption(0)")).enabled());
        pick(window, 4, QStringLiteral("Check1(1)"));
        for (const char* line : {"chkOption(0)", "chkOption(1)", "chkOption(2)"}) {
            pick(window, 4, QString::fromLatin1(line));
        }
    });
    const QString text = lines.join('\n');
    EXPECT_EQ(lines.count("\f"), 2) << "list, histogram, bar chart: three pages";
    EXPECT_TRUE(lines.contains("Percent Performance")) << text.toStdString();
    // The histogram: Clark (0 %) below 50 %, Baker at 100, Adams at 125, Dunn at 99900.
    EXPECT_EQ(cellsOf(lines.mid(lines.indexOf("Percent Performance")), "49"),
              (QStringList{"49", "1", "25%"}));
    EXPECT_EQ(cellsOf(lines.mid(lines.indexOf("Percent Performance")), "100"),
              (QStringList{"100", "109", "1", "50%"}));
    EXPECT_EQ(cellsOf(lines.mid(lines.indexOf("Percent Performance")), "150"),
              (QStringList{"150", "1", "100%"}));
    EXPECT_TRUE(lines.contains("Sequence Order")) << "the list is sorted by name";
    EXPECT_TRUE(
        lines.contains("Lines: Goal 120% (solid green);  Work Center Average 540% "
                       "(dashed blue);  Minimum Acceptable 85% (dotted red)"))
        << "Receiving: 21.67 earned of 4.01 measured hours";
    EXPECT_TRUE(
        lines.contains("Lines: Goal 110% (solid green);  Work Center Average 100% "
                       "(dashed blue);  Minimum Acceptable 80% (dotted red)"));
}

TEST(frmEmployeeList, ASingleActivityMustBeChosenAndCloseAnswersFalse) {
    ReportSite site;
    site.ui.when(QStringLiteral("frmEmployeeList"),
                 [](FormDriver& window) { window.click(QStringLiteral("SaveButtons1(0)")); });
    EXPECT_FALSE(site.component.PrintAssocHist(0, *site.system)) << "nothing printed";
    EXPECT_TRUE(site.ui.transcript().lines().contains("status: Loading files ..."));
}

}  // namespace
}  // namespace vel::testing

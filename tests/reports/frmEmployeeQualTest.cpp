// The associate quality analysis window on the site with known recorded work (ReportSite.h).
#include "ReportSite.h"

#include "platform/print/TextPrintOutput.h"
#include "reports/frmEmployeeQual.h"

#include <QRegularExpression>

namespace vel::testing {
namespace {

QStringList quality(ReportSite& site, const std::function<void(FormDriver&)>& choose) {
    TextPrintOutput printed;
    ScopedPrintOutput printing(printed);
    site.ui.when(QStringLiteral("frmEmployeeQual"), [&](FormDriver& window) {
        choose(window);
        window.click(QStringLiteral("SaveButtons1(1)"));
        window.click(QStringLiteral("SaveButtons1(0)"));
    });
    EXPECT_TRUE(site.component.PrintAssocQual(0, *site.system));
    return printed.lines();
}

// The cells of the first printed line whose first cell is the text, split on runs of blanks.
QStringList cellsOf(const QStringList& lines, const QString& first) {
    for (const QString& line : lines) {
        const QStringList cells =
            line.trimmed().split(QRegularExpression(QStringLiteral("\\s{2,}")));
        if (cells.value(0) == first) {
            return cells;
        }
    }
    return {};
}

TEST(frmEmployeeQual, TheSixteenColumnsOfTheHandWorkedFigures) {
    ReportSite site;
    const QStringList lines = quality(site, [](FormDriver&) {});  // short term by default
    EXPECT_TRUE(lines.contains("Associate Quality Analysis - Last 4 Weeks"))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("Total of All Types of Work"));
    EXPECT_TRUE(lines.contains("All Work Centers"));
    EXPECT_TRUE(lines.contains("Sorted by Name"));
    // Adams: 1 audit of 100 units with 2 failed; 1 failed at a check; 300 units, all accuracy base;
    // 3 failed units at 0.5 hours and 10.00 each; 5 earned of 4 measured hours.
    EXPECT_EQ(cellsOf(lines, "Adams, Ann"),
              (QStringList{"Adams, Ann", "A01", "1", "100", "2", "98.00%", "33.33%", "1", "300",
                           "3", "99.00%", "125.00%", "1.50", "30.00", "4.00", "2020/01/06"}));
    // Baker: 90 units, never audited.
    EXPECT_EQ(cellsOf(lines, "Baker, Bob"),
              (QStringList{"Baker, Bob", "B02", "0", "0", "0", "0.00%", "0.00%", "0", "0", "0",
                           "0.00%", "100.00%", "0.00", "0.00", "3.00", "2020/01/06"}));
    // Clark: no units at all.
    EXPECT_EQ(cellsOf(lines, "Clark, Cy").mid(5, 2), (QStringList{"0.00%", "0.00%"}));
}

TEST(frmEmployeeQual, BothMinimaPrintTheirClausesAndLeaveAssociatesOut) {
    ReportSite site;
    const QStringList lines = quality(site, [](FormDriver& window) {
        window.selectTab(QStringLiteral("TabStrip1"), 2);
        EXPECT_TRUE(window.set(QStringLiteral("NumberBox1(0)"), QStringLiteral("8")));
        EXPECT_TRUE(window.set(QStringLiteral("NumberBox1(1)"), QStringLiteral("4")));
        window.selectTab(QStringLiteral("TabStrip1"), 1);
        window.click(QStringLiteral("OptReport(1)"));  // long term: Adams has 8 measured hours
        window.selectTab(QStringLiteral("TabStrip1"), 3);
        window.click(QStringLiteral("optType(3)"));
    });
    EXPECT_TRUE(
        lines.contains("All Work Centers for Associates with a minimum of 8 measured "
                       "hours and 4 Accuracy Base Units"))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("Sorted by Accuracy"));
    EXPECT_FALSE(cellsOf(lines, "Adams, Ann").isEmpty());
    EXPECT_TRUE(cellsOf(lines, "Baker, Bob").isEmpty()) << "3 measured hours, no base units";
    EXPECT_TRUE(cellsOf(lines, "Dunn, Dee").isEmpty());

    EXPECT_EQ(qualityMinimumClause(8, 0), " for Associates with a minimum of 8 measured hours");
    EXPECT_EQ(qualityMinimumClause(0, 4),
              " for Associates with a minimum of 4 Accuracy Base Units");
    EXPECT_EQ(qualityMinimumClause(0, 0), "");
}

TEST(frmEmployeeQual, TheHistogramTakesItsClassesFromTheQualitySettings) {
    ReportSite site;
    const auto histogram = [&] {
        return quality(site, [](FormDriver& window) {
            window.selectTab(QStringLiteral("TabStrip1"), 4);
            window.click(QStringLiteral("Check1(2)"));
            window.click(QStringLiteral("Check1(1)"));
        });
    };
    QStringList lines = histogram();
    qsizetype start = lines.indexOf("Percent Accuracy");
    ASSERT_GT(start, 0) << lines.join('\n').toStdString();
    // Default classes: 22 rows; Adams at 99.00 %, the three others at 0.00 %.
    EXPECT_EQ(cellsOf(lines.mid(start), "97.99%"), (QStringList{"97.99%", "3", "75%"}));
    EXPECT_EQ(cellsOf(lines.mid(start), "98.00%"), (QStringList{"98.00%", "98.09%", "0", "75%"}));
    EXPECT_EQ(cellsOf(lines.mid(start), "99.00%"), (QStringList{"99.00%", "99.09%", "1", "100%"}));
    EXPECT_EQ(cellsOf(lines.mid(start), "100.00%"), (QStringList{"100.00%", "0", "100%"}));
    EXPECT_EQ(cellsOf(lines, "Associate"), (QStringList{"Associate", "Percent"}))
        << "the bar chart's heading";

    site.site.setSetting(QStringLiteral("Quality"), QStringLiteral("HistTop"),
                         QStringLiteral("100"));
    site.site.setSetting(QStringLiteral("Quality"), QStringLiteral("HistBase"),
                         QStringLiteral("90"));
    site.site.setSetting(QStringLiteral("Quality"), QStringLiteral("HistSlots"),
                         QStringLiteral("5"));
    lines = histogram();
    start = lines.indexOf("Percent Accuracy");
    EXPECT_EQ(cellsOf(lines.mid(start), "89.80%").value(1), "3");
    EXPECT_EQ(cellsOf(lines.mid(start), "98.00%"), (QStringList{"98.00%", "99.80%", "1", "100%"}));
}

}  // namespace
}  // namespace vel::testing

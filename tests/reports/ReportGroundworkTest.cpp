// What every associate report shares: the safe division and the cap of ratios, the print
// formats, the heading texts, the grouping of associates, the PrintAPIs pens and the printer
// events with the standard page header on every page.
#include "data/records/AssociateRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "editors/EditorHarness.h"
#include "platform/print/TBPrint.h"
#include "reports/PrintAPIs.h"
#include "reports/ReportFormat.h"
#include "reports/ReportGrouping.h"
#include "reports/ReportPrinter.h"
#include "services/NumberFormat.h"

namespace vel::testing {
namespace {

TEST(ReportFormat, RatiosDivideSafelyCapAt999AndPrintInTheReportMasks) {
    EXPECT_EQ(safeDivide(5, 0), 0.0);
    EXPECT_EQ(safeDivide(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(safeDivide(3, 4), 0.75);
    EXPECT_EQ(performanceRatio(40, 0), 0.0) << "no measured hours: 0 %";
    EXPECT_DOUBLE_EQ(performanceRatio(5000, 1), RatioCap);
    EXPECT_DOUBLE_EQ(performanceRatio(9.99, 1), 9.99);
    EXPECT_EQ(safeDivide(5000, 1), 5000.0) << "only performance-type ratios are capped";

    EXPECT_EQ(percentText(performanceRatio(5000, 1)), "99900%");
    EXPECT_EQ(percentText(performanceRatio(40, 0)), "0%");
    EXPECT_EQ(percentText(1.1249), "112%");
    EXPECT_EQ(percentText(1.125), "113%") << "halves round up";
    EXPECT_EQ(percentText(0.0, 2), "0.00%");
    EXPECT_EQ(percentText(0.98094, 2), "98.09%");
    EXPECT_EQ(percentText(12.5, 2), "1250.00%") << "no thousands separator in percentages";
    EXPECT_EQ(percentText(0.5, 1), "50.0%");
    EXPECT_EQ(amountText(1234.5), "1,234.50");
    EXPECT_EQ(amountText(0), "0.00");
    EXPECT_EQ(amountText(-12.345), "-12.35");
    EXPECT_EQ(countText(12345.4), "12,345");

    EXPECT_EQ(historyText(13), "Last 13 Weeks");
    EXPECT_EQ(longDateText(QDate(2026, 12, 4)), "Friday, December 4, 2026");
    EXPECT_EQ(throughText(QDate(2024, 3, 10)), "Through Sunday, March 10, 2024");
}

TEST(ReportGrouping, HeadingsNameTheGroupOrSayThereIsNone) {
    EXPECT_EQ(groupHeading(ReportGrouping::HomeWorkCenter, "Receiving"),
              "Home Work Center: Receiving");
    EXPECT_EQ(groupHeading(ReportGrouping::HomeWorkCenter, QString()), "No Home Work Center");
    EXPECT_EQ(groupHeading(ReportGrouping::PrimaryGrouping, "Nights"), "Primary Grouping: Nights");
    EXPECT_EQ(groupHeading(ReportGrouping::PrimaryGrouping, QString()), "No Primary Grouping");
    EXPECT_EQ(groupHeading(ReportGrouping::None, "ignored"), "All Associates");
    EXPECT_EQ(allWorkCentersText(), "All Work Centers");
}

TEST(ReportGrouping, AssociatesFallUnderTheirWorkCenterOrGroupingByTrimmedName) {
    EditorHarness site;
    VelmorSystem& system = *site.system;
    WorkCenterRecord shipping = withCode<WorkCenterRecord>("SHIP");
    shipping.Desc = "Shipping   ";
    WorkCenterRecord receiving = withCode<WorkCenterRecord>("RECV");  // no description: its code
    site.store(system.workCenters(), {shipping, receiving, WorkCenterRecord{}});
    GroupingRecord nights = withCode<GroupingRecord>("NIGHT");
    nights.Desc = "  Nights";
    site.store(system.groupings(), {nights});
    ASSERT_TRUE(system.workCenters().open());
    ASSERT_TRUE(system.groupings().open());

    AssociateRecord clark;
    clark.WorkCenter = 1;
    clark.Grouping = 1;
    AssociateRecord baker;
    baker.WorkCenter = 2;
    AssociateRecord adams;  // neither
    AssociateRecord stale;
    stale.WorkCenter = 3;  // an inactive work center counts as none
    stale.Grouping = 7;

    const ReportGroups byCenter(system, ReportGrouping::HomeWorkCenter);
    EXPECT_EQ(byCenter.groupOf(clark), 1);
    EXPECT_EQ(byCenter.groupOf(baker), 2);
    EXPECT_EQ(byCenter.groupOf(adams), 0);
    EXPECT_EQ(byCenter.groupOf(stale), 0);
    EXPECT_EQ(byCenter.heading(1), "Home Work Center: Shipping");
    EXPECT_EQ(byCenter.heading(2), "Home Work Center: RECV");
    EXPECT_EQ(byCenter.heading(0), "No Home Work Center");
    EXPECT_TRUE(byCenter.printsBefore(2, 1)) << "RECV before Shipping";
    EXPECT_TRUE(byCenter.printsBefore(1, 0)) << "the associates without one come last";
    EXPECT_FALSE(byCenter.printsBefore(0, 2));

    const ReportGroups byGrouping(system, ReportGrouping::PrimaryGrouping);
    EXPECT_EQ(byGrouping.groupOf(clark), 1);
    EXPECT_EQ(byGrouping.groupOf(baker), 0);
    EXPECT_EQ(byGrouping.groupOf(stale), 0);
    EXPECT_EQ(byGrouping.heading(1), "Primary Grouping: Nights");
    EXPECT_EQ(byGrouping.heading(0), "No Primary Grouping");

    const ReportGroups none(system, ReportGrouping::None);
    EXPECT_EQ(none.groupOf(clark), 0);
    EXPECT_EQ(none.heading(0), "All Associates");
}

TEST(PrintAPIs, TheSamePenTwiceIsMadeOnceAndAnyDifferenceMakesANewOne) {
    TBPrint printer;
    DrawingSurface* chart = printer.drawing(PrintUnitsPerInch);
    DrawingSurface* other = printer.drawing(PrintUnitsPerInch);
    ASSERT_TRUE(chart && other);
    PrintAPIs::ResetPenCache();
    using Style = DrawingSurface::PenStyle;
    const int width = PrintAPIs::PenWidthInDeviceUnits(*chart, 2);
    EXPECT_EQ(width, 12);
    const auto first = PrintAPIs::SelectPen(*chart, width, Style::Solid, Qt::black);
    ASSERT_TRUE(first.has_value()) << "the surface's own pen was not the cached one";
    EXPECT_EQ(first->width, 1);
    EXPECT_FALSE(PrintAPIs::SelectPen(*chart, width, Style::Solid, Qt::black).has_value());
    EXPECT_EQ(PrintAPIs::PensMade(), 1);
    EXPECT_EQ(chart->pensMade(), 1);

    EXPECT_FALSE(PrintAPIs::SelectPen(*chart, width, Style::Dash, Qt::black).has_value())
        << "replacing the cached pen drops it";
    PrintAPIs::SelectPen(*chart, width + 1, Style::Dash, Qt::black);
    PrintAPIs::SelectPen(*chart, width + 1, Style::Dash, Qt::red);
    EXPECT_EQ(PrintAPIs::PensMade(), 4);
    PrintAPIs::SelectPen(*other, width + 1, Style::Dash, Qt::red);
    EXPECT_EQ(PrintAPIs::PensMade(), 5) << "another surface needs its own pen";
    EXPECT_EQ(other->pen(), (DrawingSurface::Pen{width + 1, Style::Dash, Qt::red}));

    PrintAPIs::DrawLine(*chart, 0, 10, 500, 10, 3);
    PrintAPIs::DrawLine(*chart, 0, 10, 500, 10, 0);
    PrintAPIs::DrawLine(*chart, 0, 10, 500, 10, -2);
    EXPECT_EQ(chart->shapes().size(), 3u);
    EXPECT_EQ(chart->shapes()[0].pen.colour, QColor(Qt::red));

    EXPECT_EQ(PrintAPIs::TextWidth(QString()), 0);
    EXPECT_GT(PrintAPIs::TextWidth(QStringLiteral("Performance")),
              PrintAPIs::TextWidth(QStringLiteral("Perf")));
    EXPECT_EQ(PrintAPIs::TextWidth(QStringLiteral("abc"), chart), chart->textWidth("abc"));

    TBPrint stream;
    stream.pageSetup().characterStream = true;
    DrawingSurface* plain = stream.drawing(100);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(PrintAPIs::PenWidthInDeviceUnits(*plain, 2), 0);
    EXPECT_EQ(PrintAPIs::PenWidthInDeviceUnits(*chart, 0.4), 1);
    EXPECT_EQ(PrintAPIs::PenWidthInDeviceUnits(*chart, 1.25), 8) << "7.5 rounds half up";
}

TEST(ReportPrinter, EveryPageCarriesTheStandardHeaderTheHeadingAndTheColumnHeadings) {
    EditorHarness site;
    TBPrint printer;
    ReportPrinter report(*site.system, printer);
    report.setPageChoices(
        [](PageSetup& setup) { setup.orientation = PrintOrientation::Landscape; });
    report.setHeading({QStringLiteral("Associate Performance Analysis"),
                       {QStringLiteral("All Work Centers")},
                       throughText(QDate(2024, 3, 10)),
                       QStringLiteral("Sorted by Name")});
    const std::vector<PrintTable::Column> columns{{QString(), 20},
                                                  {QString(), 8, PrintAlignment::Right}};
    report.setColumnHeadings(columns,
                             {{QString(), QStringLiteral("Perfor")},
                              {QStringLiteral("Associate Name"), QStringLiteral("mance")}});
    ASSERT_TRUE(printer.startJob());
    EXPECT_EQ(printer.document().setup().orientation, PrintOrientation::Landscape);
    printer.printLine(QStringLiteral("Home Work Center: Receiving"), PrintBold);
    report.setContinuation(QStringLiteral("Home Work Center: Receiving (continued)"));
    for (int line = 0; line < 80; ++line) {
        printer.printRow({QStringLiteral("Associate %1").arg(line), QStringLiteral("100%")},
                         columns);
    }
    report.setContinuation(QString());
    printer.newPage();
    printer.printLine(QStringLiteral("after"));

    TextPrintOutput text;
    ScopedPrintOutput printing(text);
    ASSERT_TRUE(report.send(PrintDestination::Printer)) << report.lastError().toStdString();
    const QStringList lines = text.lines();
    const int pages = printer.document().pageCount();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(lines.count("Associate Performance Analysis"), pages);
    EXPECT_EQ(lines.count("Through Sunday, March 10, 2024"), pages);
    EXPECT_EQ(lines.count("Sorted by Name"), pages);
    EXPECT_EQ(lines.filter(QStringLiteral("Associate Name")).size(), pages);
    EXPECT_EQ(lines.filter(QStringLiteral("Page ")).size(), pages) << "the system's header";
    EXPECT_EQ(lines.count("Home Work Center: Receiving (continued)"), pages - 2)
        << "on the pages the block runs on to, not after it ended";
    const qsizetype title = lines.indexOf("Associate Performance Analysis");
    EXPECT_EQ(lines.mid(title, 5),
              (QStringList{"Associate Performance Analysis", "All Work Centers",
                           "Through Sunday, March 10, 2024", "Sorted by Name", ""}));
}

TEST(ReportPrinter, WithoutAnOutputThePersonIsToldAndNothingFails) {
    EditorHarness site;
    TBPrint printer;
    ReportPrinter report(*site.system, printer);
    printer.printLine(QStringLiteral("body"));
    installPrintOutput(nullptr);
    site.ui.answer(QStringLiteral("There is no printer available for the report"), IDOK);
    EXPECT_FALSE(report.send(PrintDestination::Preview));
    EXPECT_EQ(report.lastError(), "There is no printer available for the report");
}

}  // namespace
}  // namespace vel::testing

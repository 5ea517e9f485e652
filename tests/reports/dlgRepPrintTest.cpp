// The report dialog through the headless driver: its pages for each kind of report, the
// texts it shows, what it writes back, the print-sequence guard, the unattended path, the
// choices it keeps between shows, cancelling and the idle time-out.
#include "reports/CDummyReport.h"
#include "reports/ReportDialogSite.h"
#include "ui/ComboBox.h"
#include "ui/ListSelect.h"
#include "ui/MessageBoxCodes.h"

namespace vel::testing {
namespace {

const QString noSequences =
    QStringLiteral("No Print Sequences are defined, not data will be output.");

QStringList itemTexts(FormDriver& dialog, const QString& combo) {
    QStringList texts;
    for (const ComboBox::Item& item : dialog.control<ComboBox>(combo)->items()) {
        texts << item.text;
    }
    return texts;
}

TEST(dlgRepPrint, CaptionCarriesTheSystemTitleAndTallybook) {
    ReportDialogSite site;
    ASSERT_TRUE(site.masterfile->setTitles({QStringLiteral("  North DC  ")}));
    EXPECT_EQ(dlgRepPrint::captionFor(QStringLiteral("Export Activity Detail Data to File"),
                                      *site.masterfile),
              "Export Activity Detail Data to File - North DC Tallybook");
    ASSERT_TRUE(site.masterfile->setTitles({QStringLiteral("   ")}));
    EXPECT_EQ(dlgRepPrint::captionFor(QStringLiteral("Export Data"), *site.masterfile),
              "Export Data");
}

TEST(dlgRepPrint, DummyReportAsksOnlyForDatesAndNeverForSequences) {
    ReportDialogSite site;
    CDummyReport dummy(site.masterfile.get());
    EXPECT_EQ(dummy.ReportType(), 9);
    EXPECT_EQ(dummy.PrintMode(), 9);
    EXPECT_EQ(dummy.NumSequences(), 0);
    EXPECT_EQ(dummy.ReportClass(), "");
    EXPECT_FALSE(dummy.UsesLastYear() || dummy.inPrintJob() || dummy.Transpose() ||
                 dummy.CommandLinePrinting());
    EXPECT_EQ(dummy.SubColumnType() + dummy.SortColumn() + dummy.ReportPrinted(), 0);
    EXPECT_EQ(dummy.TransOrientation(), CDummyReport::DefaultOrientation);
    dummy.setReportType(1);
    dummy.setSortColumn(2);
    EXPECT_EQ(dummy.ReportType(), 9);
    EXPECT_EQ(dummy.SortColumn(), 0);
    EXPECT_EQ(dummy.Owner(), site.masterfile.get());

    const int length = site.show(
        [](FormDriver& dialog) {
            EXPECT_EQ(dialog.form().caption(), "Print History");
            EXPECT_EQ(shownReportPage(dialog), "fraLength");
            // Thirteen periods: the third length reads "Period".
            EXPECT_EQ(dialog.form().control(QStringLiteral("optLength(3)")).caption(), "&Period");
            EXPECT_FALSE(dialog.form().control(QStringLiteral("frmYears")).visible());
            dialog.click(QStringLiteral("optLength(4)"));
            dialog.click(QStringLiteral("Command1(2)"));
            EXPECT_EQ(shownReportPage(dialog), "fraDates");
            EXPECT_EQ(dialog.form().control(QStringLiteral("Command1(2)")).caption(), "&Print");
            EXPECT_FALSE(dialog.form().control(QStringLiteral("fraDate(0)")).visible());
            EXPECT_EQ(dialog.form().control(QStringLiteral("fraDate(1)")).caption(),
                      "Quarter Number:");
            EXPECT_EQ(dialog.value(QStringLiteral("lblDate(1)")),
                      "1 of 2024 - Ending: Wednesday, March 20, 2024");
            dialog.set(QStringLiteral("Calendar(1)"), QStringLiteral("2024/04/02"));
            EXPECT_EQ(dialog.value(QStringLiteral("lblDescription")),
                      "Second Quarter of 2024 - Ending: Tuesday, April 2, 2024");
            dialog.click(QStringLiteral("Command1(2)"));
        },
        &dummy);
    EXPECT_EQ(length, LengthQuarter);
    EXPECT_FALSE(site.dialog.Cancelled());
    EXPECT_EQ(site.dialog.RangeStart(), QDate(2024, 3, 25));
    EXPECT_EQ(site.dialog.RangeEnd(), QDate(2024, 4, 2));
    EXPECT_EQ(site.dialog.ColumnHeading(), "Second Quarter 2024 Ending");
    EXPECT_TRUE(site.ui.transcript().messages().empty());
}

TEST(dlgRepPrint, SequenceReportWithoutSequencesStaysOnItsLastPageWithTheMessage) {
    ReportDialogSite site;
    site.report.original = {};
    site.report.fileNumber = 12;
    site.report.transposed = true;
    site.ui.answer(noSequences, IDOK);
    const int length = site.show([&](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("lblReport")), "Associate History Report Number: 12");
        EXPECT_EQ(dialog.value(QStringLiteral("OptStyle(2)")), "1");
        dialog.click(QStringLiteral("Command1(2)"));
        dialog.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(shownReportPage(dialog), "fraOptions");
        // A time series may be transposed; its rows are what the report said.
        EXPECT_TRUE(dialog.form().control(QStringLiteral("FrmTranspose")).visible());
        EXPECT_EQ(dialog.value(QStringLiteral("btnTranspose(1)")), "1");
        dialog.click(QStringLiteral("btnTranspose(0)"));
        dialog.click(QStringLiteral("chkNoData"));
        dialog.click(QStringLiteral("Command1(2)"));
        // Week-by-week without one line per account: no compare page.
        EXPECT_EQ(shownReportPage(dialog), "fraSequence");
        EXPECT_EQ(dialog.form().control(QStringLiteral("Command1(2)")).caption(), "&Print");
        dialog.click(QStringLiteral("Command1(2)"));
        EXPECT_TRUE(dialog.form().isVisible()) << "the message keeps the wizard open";
        EXPECT_EQ(shownReportPage(dialog), "fraSequence");
        dialog.tick(QStringLiteral("PrintSequence"), QStringLiteral("Night Shift"));
        dialog.set(QStringLiteral("cmbSortColumn"), QStringLiteral("Account Name"));
        dialog.click(QStringLiteral("Command1(2)"));
    });
    EXPECT_EQ(length, LengthWeek);
    const auto& messages = site.ui.transcript().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, noSequences);
    EXPECT_EQ(messages[0].style, MB_ICONEXCLAMATION);
    EXPECT_EQ(site.report.chosen, QList<int>{4});
    EXPECT_EQ(site.report.sortColumn, 2);
    EXPECT_FALSE(site.report.transposed);
    EXPECT_TRUE(site.report.noData);
    EXPECT_EQ(site.report.printMode, 2);
    EXPECT_EQ(site.report.restored, 1) << "the sequences are put back once, before the page";
}

TEST(dlgRepPrint, CompareRangesFollowTheLengthAndDescribeThemselves) {
    ReportDialogSite site;
    site.report.type = ReportOwner::ComparingReport;
    site.report.original = site.report.chosen = {1};
    site.show([&](FormDriver& dialog) {
        dialog.click(QStringLiteral("Command1(2)"));
        dialog.click(QStringLiteral("Command1(2)"));
        dialog.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(shownReportPage(dialog), "frmCompare");
        EXPECT_EQ(itemTexts(dialog, QStringLiteral("cmbCompareType")),
                  (QStringList{"Up to the Date Range", "Through the Date Range",
                               "Entire Compare Range"}));
        EXPECT_EQ(dialog.value(QStringLiteral("cmbCompareType")), "Through the Date Range");
        EXPECT_EQ(itemTexts(dialog, QStringLiteral("cmbCompareRange")),
                  (QStringList{"None", "Period", "Quarter", "Half Year", "Year"}));
        dialog.set(QStringLiteral("cmbCompareRange"), QStringLiteral("Year"));
        EXPECT_EQ(site.dialog.CompareRangeText(1), "Week");
        EXPECT_EQ(site.dialog.CompareRangeText(2), "Year through this Week");
        dialog.set(QStringLiteral("cmbCompareType"), QStringLiteral("Up to the Date Range"));
        EXPECT_EQ(site.dialog.CompareRangeText(2), "Year up to this Week");
        dialog.set(QStringLiteral("cmbCompareType"), QStringLiteral("Entire Compare Range"));
        EXPECT_EQ(site.dialog.CompareRangeText(2), "Year");
        EXPECT_EQ(site.dialog.CompareType(), dlgRepPrint::EntireCompareRange);
        EXPECT_EQ(site.dialog.CompareRange(), LengthYear);
        // A longer length drops the shorter compare ranges and keeps the one chosen.
        dialog.click(QStringLiteral("Command1(3)"));
        dialog.click(QStringLiteral("Command1(3)"));
        dialog.click(QStringLiteral("Command1(3)"));
        dialog.click(QStringLiteral("optLength(5)"));
        EXPECT_EQ(itemTexts(dialog, QStringLiteral("cmbCompareRange")),
                  (QStringList{"None", "Year"}));
        EXPECT_EQ(site.dialog.CompareRange(), LengthYear);
        dialog.click(QStringLiteral("optLength(6)"));
        EXPECT_EQ(itemTexts(dialog, QStringLiteral("cmbCompareRange")), QStringList{"None"});
        EXPECT_EQ(site.dialog.CompareRange(), 0);
        dialog.click(QStringLiteral("Command1(1)"));
    });
    EXPECT_TRUE(site.dialog.Cancelled());
}

TEST(dlgRepPrint, OneLinePerAccountOpensTheComparePageOfASummaryReport) {
    ReportDialogSite site;
    site.report.original = site.report.chosen = {1};
    site.report.printMode = 4;
    site.show([&](FormDriver& dialog) {
        dialog.click(QStringLiteral("Command1(2)"));
        dialog.click(QStringLiteral("Command1(2)"));
        EXPECT_FALSE(dialog.form().control(QStringLiteral("FrmTranspose")).visible());
        dialog.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(shownReportPage(dialog), "frmCompare");
        dialog.set(QStringLiteral("cmbCompareRange"), QStringLiteral("Quarter"));
        // Back to a time series: no compare page, and the compare range is "None" again.
        dialog.click(QStringLiteral("Command1(3)"));
        dialog.click(QStringLiteral("OptStyle(1)"));
        dialog.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(shownReportPage(dialog), "fraSequence");
        dialog.click(QStringLiteral("Command1(2)"));
    });
    EXPECT_EQ(site.dialog.CompareRange(), 0);
    EXPECT_EQ(site.report.printMode, 1);
}

TEST(dlgRepPrint, CommandLinePrintingShowsNothingAndWritesTheKeptChoicesBack) {
    ReportDialogSite site;
    site.report.commandLine = true;
    site.report.sortColumn = 1;
    site.report.noData = true;
    site.report.printMode = 3;
    // No script: a shown window would fail the test.
    EXPECT_EQ(site.show(nullptr), LengthWeek);
    EXPECT_FALSE(site.dialog.Cancelled());
    EXPECT_EQ(site.dialog.RangeStart(), QDate(2024, 3, 14));
    EXPECT_EQ(site.dialog.RangeDescription(), "Week Ending: Wednesday, March 20, 2024");
    EXPECT_EQ(site.report.sortColumn, 1);
    EXPECT_TRUE(site.report.noData);
    EXPECT_EQ(site.report.printMode, 3);
    EXPECT_TRUE(site.ui.transcript().messages().empty());
}

TEST(dlgRepPrint, KeepsItsChoicesBetweenShowsAndCancelsWithoutThem) {
    ReportDialogSite site;
    CDummyReport dummy(site.masterfile.get());
    site.dialog.setAllowSameLevel(3);
    site.ui.answer(QStringLiteral("The beginning of the range must not be after its end."), IDOK);
    site.show(
        [](FormDriver& dialog) {
            dialog.click(QStringLiteral("optLength(7)"));
            dialog.click(QStringLiteral("Command1(2)"));
            EXPECT_EQ(dialog.form().control(QStringLiteral("fraDate(0)")).caption(),
                      "Range &Beginning:");
            EXPECT_EQ(dialog.form().control(QStringLiteral("fraDate(1)")).caption(),
                      "Range &Ending:");
            dialog.set(QStringLiteral("Calendar(0)"), QStringLiteral("2024/04/01"));
            dialog.click(QStringLiteral("Command1(2)"));
            // A beginning after the end is refused.
            EXPECT_TRUE(dialog.form().isVisible());
            dialog.set(QStringLiteral("Calendar(0)"), QStringLiteral("2024/02/01"));
            dialog.click(QStringLiteral("optUnit(3)"));
            dialog.click(QStringLiteral("Command1(2)"));
        },
        &dummy);
    ASSERT_EQ(site.ui.transcript().messages().size(), 1u);
    EXPECT_EQ(site.ui.transcript().messages()[0].prompt,
              "The beginning of the range must not be after its end.");
    EXPECT_EQ(site.dialog.RangeStart(), QDate(2024, 1, 29));
    EXPECT_EQ(site.dialog.RangeDescription(),
              "Fiscal Months Ending: Sunday, February 25, 2024 to Wednesday, March 20, 2024");

    const int again = site.show(
        [](FormDriver& dialog) {
            EXPECT_EQ(dialog.value(QStringLiteral("optLength(7)")), "1");
            EXPECT_EQ(dialog.value(QStringLiteral("Calendar(0)")), "2024/02/01");
            EXPECT_EQ(dialog.value(QStringLiteral("Calendar(1)")), "2024/03/20");
            EXPECT_EQ(dialog.value(QStringLiteral("optUnit(3)")), "1");
            dialog.click(QStringLiteral("optLength(1)"));
            dialog.close();
        },
        &dummy);
    EXPECT_EQ(again, 0);
    EXPECT_TRUE(site.dialog.Cancelled());
    EXPECT_TRUE(site.dialog.isLoaded()) << "a cancelled wizard stays loaded";
    EXPECT_EQ(site.dialog.AllowSameLevel(), 3);
    // The last finished range still answers.
    EXPECT_EQ(site.dialog.RangeStart(), QDate(2024, 1, 29));
    site.dialog.release();
    EXPECT_FALSE(site.dialog.isLoaded());
}

TEST(dlgRepPrint, AnUntouchedWizardCancelsItselfAfterItsIdleTime) {
    ReportDialogSite site;
    QDateTime now(QDate(2026, 12, 6), QTime(9, 0));
    site.dialog.setClock([&] { return now; });
    site.report.original = site.report.chosen = {1};
    site.report.usesLastYear = true;
    site.show([&](FormDriver& dialog) {
        EXPECT_TRUE(dialog.form().control(QStringLiteral("frmYears")).visible());
        EXPECT_EQ(dialog.value(QStringLiteral("cmbYear(0)")), "2024");
        EXPECT_EQ(dialog.value(QStringLiteral("cmbYear(1)")), "None");
        now = now.addSecs(20 * 60);
        dialog.click(QStringLiteral("optLength(3)"));
        now = now.addSecs(29 * 60);
        dialog.form().fireTimer();
        EXPECT_TRUE(dialog.form().isVisible());
        now = now.addSecs(60);
        dialog.form().fireTimer();
        EXPECT_FALSE(dialog.form().isVisible());
    });
    EXPECT_TRUE(site.dialog.Cancelled());
    EXPECT_EQ(site.report.restored, 2);
}

}  // namespace
}  // namespace vel::testing

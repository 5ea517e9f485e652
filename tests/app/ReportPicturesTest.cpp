// The accountability report (weekly and quarterly, full and summary only) and two quick reports
// on the demo site, as PDF files turned into PNG pictures (pdftoppm) for people to look at, and
// the windows of both reports.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "platform/print/PdfPrintOutput.h"
#include "services/IniSettings.h"
#include "ui/ComboBox.h"
#include "ui/FormDriver.h"
#include "ui/MessageBoxCodes.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace vel::testing {
namespace {

// Turns the first two pages of the PDF into base-1.png and base-2.png (one page per run, so
// that the names do not depend on the page count); answers its text.
QString pictures(const QString& pdf, const QString& base) {
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    const bool twoPages = !info.contains(QRegularExpression(QStringLiteral("Pages: +1\\n")));
    for (const QString page : {QStringLiteral("1"), QStringLiteral("2")}) {
        if (page == QStringLiteral("2") && !twoPages) {
            break;
        }
        runTool(QStringLiteral("pdftoppm"),
                {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                 QStringLiteral("-f"), page, QStringLiteral("-l"), page,
                 QStringLiteral("-singlefile"), pdf, base + QStringLiteral("-") + page});
    }
    EXPECT_TRUE(QFileInfo::exists(base + QStringLiteral("-1.png"))) << base.toStdString();
    return runTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

struct ReportDemoSite : DemoEditorSite {
    ReportDemoSite() {
        IniSettings settings(IniSettings::locationFor(directory.path(), 1));
        settings.selectSection(QStringLiteral("Features"));
        settings.writeText(QStringLiteral("PerformancePolicy"), QStringLiteral("True"));
        system = std::make_unique<ReferenceSystem>(directory.path(), 1);
        system->errors().setEchoToStandardError(false);
    }
};

TEST(ReportPictures, AccountabilityReportsOnTheDemoSite) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    ReportDemoSite site;
    CVelUI component;
    const struct {
        const char* name;
        const char* length;
        bool summary;
        const char* group;
        const char* dateLine;
    } reports[] = {{"weekly", "optLength(2)", false, "optGroup(1)", "Week Ending: "},
                   {"weekly-summary", "optLength(2)", true, "optGroup(0)", "Week Ending: "},
                   {"quarterly", "optLength(4)", false, "optGroup(2)", "Quarter Ending: "},
                   {"quarterly-summary", "optLength(4)", true, "optGroup(1)", "Quarter Ending: "}};
    bool pictured = false;
    for (const auto& report : reports) {
        const QString base =
            editorPictureFolder() + QStringLiteral("/accountability-") + QLatin1String(report.name);
        PdfPrintOutput pdf(base + QStringLiteral(".pdf"), 100);
        ScopedPrintOutput printing(pdf);
        site.ui.when(QStringLiteral("frmEmployeeAccountability"), [&](FormDriver& window) {
            window.click(QLatin1String(report.length));
            window.selectTab(QStringLiteral("TabStrip1"), 4);
            window.click(QLatin1String(report.group));
            if (report.summary) {
                window.click(QStringLiteral("optSummary"));
            }
            window.selectTab(QStringLiteral("TabStrip1"), 1);
            // The period before the last one, which is complete on the demo site.
            window.form().controlAs<ComboBox>(QStringLiteral("Calendar")).setListIndex(1);
            if (!pictured) {
                saveWindowPicture(window.form(), QStringLiteral("accountability-window"),
                                  QStringLiteral("TabStrip1"));
                pictured = true;
            }
            window.click(QStringLiteral("SaveButtons1(2)"));
            window.click(QStringLiteral("SaveButtons1(0)"));
        });
        EXPECT_TRUE(component.PrintAssocAccountability(0, *site.system));
        ASSERT_TRUE(QFileInfo::exists(pdf.filePath())) << report.name;
        const QString text = pictures(pdf.filePath(), base);
        EXPECT_TRUE(text.contains(QLatin1String(report.dateLine))) << report.name;
        EXPECT_TRUE(text.contains(QStringLiteral("Ramp Up Period: "))) << report.name;
        EXPECT_TRUE(text.contains(QStringLiteral("TOTAL"))) << report.name;
    }
}

TEST(ReportPictures, QuickReportsOnTheDemoSite) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    ReportDemoSite site;
    CVelUI component;
    const struct {
        const char* name;
        short repType;
        int subject;
        int report;
        const char* title;
    } reports[] = {{"quick-activity-weekly-performance", 1, 0, 1, "Weekly Performance - "},
                   {"quick-typeofwork-daily", 2, 1, 0, "Daily Units and Hours - "}};
    for (const auto& report : reports) {
        const QString base =
            editorPictureFolder() + QStringLiteral("/") + QLatin1String(report.name);
        PdfPrintOutput pdf(base + QStringLiteral(".pdf"), 100);
        ScopedPrintOutput printing(pdf);
        site.ui.when(QStringLiteral("frmQuickReport"), [&](FormDriver& window) {
            window.selectLine(QStringLiteral("lvActivity"), report.subject);
            window.selectLine(QStringLiteral("lstBox"), report.report);
            saveWindowPicture(window.form(),
                              QLatin1String(report.name) + QStringLiteral("-window"));
            window.click(QStringLiteral("Command1(1)"));
            window.close();
        });
        QDate current = QDate::currentDate();
        EXPECT_TRUE(component.PrintQuickReport(0, *site.system, site.system->masterfile(),
                                               report.repType, current));
        ASSERT_TRUE(QFileInfo::exists(pdf.filePath())) << report.name;
        const QString text = pictures(pdf.filePath(), base);
        EXPECT_TRUE(text.contains(QLatin1String(report.title))) << text.left(400).toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Total"))) << report.name;
    }
}

}  // namespace
}  // namespace vel::testing

// The associate production and quality analyses on the small demo site, each with both charts, as
// PDF files turned into PNG pictures (pdftoppm, one per page) for people to look at, and the two
// option windows as pictures of their tabs.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "platform/print/PdfPrintOutput.h"
#include "ui/FormDriver.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace vel::testing {
namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(120000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Prints one report to a PDF named base + ".pdf" and turns every page into base-N.png; answers the
// PDF's text.
QString printPictures(const QString& base, const std::function<void()>& print) {
    PdfPrintOutput pdf(base + QStringLiteral(".pdf"), 150);
    ScopedPrintOutput printing(pdf);
    print();
    EXPECT_TRUE(QFileInfo::exists(pdf.filePath())) << base.toStdString();
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), pdf.filePath(), base});
    EXPECT_TRUE(QFileInfo::exists(base + QStringLiteral("-1.png")) ||
                QFileInfo::exists(base + QStringLiteral("-01.png")))
        << base.toStdString();
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf.filePath(), "-"});
}

void choose(FormDriver& window, int tab, const char* control) {
    window.selectTab(QStringLiteral("TabStrip1"), tab);
    EXPECT_TRUE(window.click(QString::fromLatin1(control))) << control;
}

TEST(AssociateReportPictures, TheProductionAnalysisWithItsChartsPrintsToALegiblePdf) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    DemoEditorSite site;
    CVelUI component;
    const QString base = editorPictureFolder() + QStringLiteral("/report-production");
    site.ui.when(QStringLiteral("frmEmployeeList"), [&](FormDriver& window) {
        choose(window, 3, "optGroup(1)");
        choose(window, 3, "optType(2)");
        choose(window, 4, "Check1(0)");
        choose(window, 4, "Check1(1)");
        for (const char* line : {"chkOption(0)", "chkOption(1)", "chkOption(2)"}) {
            choose(window, 4, line);
        }
        saveWindowPicture(window.form(), QStringLiteral("window-frmEmployeeList"),
                          QStringLiteral("TabStrip1"));
        window.click(QStringLiteral("SaveButtons1(2)"));
        window.click(QStringLiteral("SaveButtons1(0)"));
    });
    const QString text = printPictures(base, [&] { component.PrintAssocHist(0, *site.system); });
    EXPECT_TRUE(text.contains(QStringLiteral("Associate Performance Analysis")))
        << text.left(400).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Home Work Center:")));
    EXPECT_TRUE(text.contains(QStringLiteral("Percent Performance")));
    EXPECT_TRUE(text.contains(QStringLiteral("Performance Order")));

    const QString cost = editorPictureFolder() + QStringLiteral("/report-cost");
    site.ui.when(QStringLiteral("frmEmployeeList"), [&](FormDriver& window) {
        choose(window, 1, "OptReport(1)");
        choose(window, 3, "optGroup(2)");
        window.click(QStringLiteral("SaveButtons1(1)"));
        window.click(QStringLiteral("SaveButtons1(0)"));
    });
    EXPECT_TRUE(printPictures(cost, [&] {
                    component.PrintAssocHist(0, *site.system);
                }).contains(QStringLiteral("Equivalent Hourly Cost")));
}

TEST(AssociateReportPictures, TheQualityAnalysisWithItsChartsPrintsToALegiblePdf) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    DemoEditorSite site;
    CVelUI component;
    const QString base = editorPictureFolder() + QStringLiteral("/report-quality");
    site.ui.when(QStringLiteral("frmEmployeeQual"), [&](FormDriver& window) {
        choose(window, 1, "OptReport(1)");
        choose(window, 3, "optGroup(1)");
        choose(window, 3, "optType(3)");
        choose(window, 4, "Check1(1)");
        choose(window, 4, "Check1(2)");
        saveWindowPicture(window.form(), QStringLiteral("window-frmEmployeeQual"),
                          QStringLiteral("TabStrip1"));
        window.click(QStringLiteral("SaveButtons1(2)"));
        window.click(QStringLiteral("SaveButtons1(0)"));
    });
    const QString text = printPictures(base, [&] { component.PrintAssocQual(0, *site.system); });
    EXPECT_TRUE(text.contains(QStringLiteral("Associate Quality Analysis")))
        << text.left(400).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Percent Accuracy")));
}

}  // namespace
}  // namespace vel::testing

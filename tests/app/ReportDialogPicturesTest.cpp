// The report dialog's pages and the export options window, saved as pictures.
#include "EditorPictures.h"

#include "maintenance/dlgExport.h"
#include "reports/ReportDialogSite.h"
#include "ui/FormDriver.h"

namespace vel::testing {
namespace {

TEST(EditorPictures, ReportDialogPages) {
    ReportDialogSite site;
    site.report.type = ReportOwner::ComparingReport;
    site.report.fileNumber = 4;
    site.report.original = site.report.chosen = {1};
    site.report.usesLastYear = true;
    site.show([](FormDriver& dialog) {
        saveWindowPicture(dialog.form(), QStringLiteral("report-dialog-length"));
        dialog.click(QStringLiteral("optLength(7)"));
        dialog.click(QStringLiteral("Command1(2)"));
        dialog.set(QStringLiteral("Calendar(0)"), QStringLiteral("2024/02/01"));
        dialog.click(QStringLiteral("optUnit(2)"));
        saveWindowPicture(dialog.form(), QStringLiteral("report-dialog-dates"));
        dialog.click(QStringLiteral("Command1(3)"));
        dialog.click(QStringLiteral("optLength(2)"));
        dialog.click(QStringLiteral("Command1(2)"));
        saveWindowPicture(dialog.form(), QStringLiteral("report-dialog-dates-week"));
        dialog.click(QStringLiteral("Command1(2)"));
        saveWindowPicture(dialog.form(), QStringLiteral("report-dialog-options"));
        dialog.click(QStringLiteral("Command1(2)"));
        dialog.set(QStringLiteral("cmbCompareRange"), QStringLiteral("Year"));
        saveWindowPicture(dialog.form(), QStringLiteral("report-dialog-compare"));
        dialog.click(QStringLiteral("Command1(2)"));
        saveWindowPicture(dialog.form(), QStringLiteral("report-dialog-sequences"));
        dialog.click(QStringLiteral("Command1(1)"));
    });
}

TEST(EditorPictures, ExportOptionsWindow) {
    QTemporaryDir folder;
    HeadlessUi ui;
    ScopedUi scope(ui);
    ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    ui.when(QStringLiteral("dlgExport"), [](FormDriver& dialog) {
        saveWindowPicture(dialog.form(), QStringLiteral("export-options"));
        dialog.click(QStringLiteral("cmdCancel"));
    });
    dlgExport window;
    dlgExport::Options options{folder.path() + QStringLiteral("/ActDetail.csv"),
                               QStringLiteral("CSV"), true};
    EXPECT_FALSE(window.ShowOptions(0, options));
}

}  // namespace
}  // namespace vel::testing

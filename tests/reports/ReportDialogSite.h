#pragma once
// The report dialog's tests: a master file with a stored calendar of 13 four-week periods from
// 2024/01/01 and the host's print sequences, and a report that records what the dialog writes
// back to it.
#include "reports/FiscalCalendarRules.h"
#include "reports/PeriodSite.h"
#include "reports/ReportOwner.h"
#include "reports/dlgRepPrint.h"

namespace vel::testing {

// A report of a given type whose properties the test sets and reads back.
struct RecordingReport : ReportOwner {
    Masterfile* Owner() const override { return owner; }
    int ReportType() const override { return type; }
    void setReportType(int value) override { type = value; }
    QString ReportClass() const override { return reportClass; }
    int FileNum() const override { return fileNumber; }
    int PrintMode() const override { return printMode; }
    void setPrintMode(int mode) override { printMode = mode; }
    bool Transpose() const override { return transposed; }
    void setTranspose(bool value) override { transposed = value; }
    bool UsesLastYear() const override { return usesLastYear; }
    bool inPrintJob() const override { return printJob; }
    int SubColumnType() const override { return subColumnType; }
    bool PrintNoData() const override { return noData; }
    void setPrintNoData(bool value) override { noData = value; }
    bool NewPagePerAccount() const override { return newPage; }
    void setNewPagePerAccount(bool value) override { newPage = value; }
    bool CommandLinePrinting() const override { return commandLine; }
    int LineStyle() const override { return lineStyle; }
    void setLineStyle(int style) override { lineStyle = style; }
    int NumSequences() const override { return int(chosen.size()); }
    int SortColumn() const override { return sortColumn; }
    void setSortColumn(int column) override { sortColumn = column; }
    void RestoreOrigSequence() override {
        ++restored;
        chosen = original;
    }
    int sequenceLevel() const override { return level; }
    QList<int> sequences() const override { return chosen; }
    void setSequences(const QList<int>& numbers) override { chosen = numbers; }

    Masterfile* owner = nullptr;
    int type = AccountSummary;
    QString reportClass = QStringLiteral("Associate History");
    int fileNumber = 0;
    int printMode = 2;
    bool transposed = false;
    bool usesLastYear = false;
    bool printJob = false;
    int subColumnType = 0;
    bool noData = false;
    bool newPage = false;
    bool commandLine = false;
    int lineStyle = 1;
    int sortColumn = 0;
    int level = 3;
    QList<int> original;
    QList<int> chosen;
    int restored = 0;
};

struct ReportDialogSite : PeriodSite {
    ReportDialogSite() : PeriodSite(QDate(2024, 1, 1)) {
        FiscalCalendar stored;
        stored.type = FiscalCalendar::PeriodAndWeek;
        stored.yearStart = QDate(2024, 1, 1);
        stored.periods = defaultWeekPeriods(FiscalCalendar::PeriodAndWeek, 1);
        EXPECT_TRUE(masterfile->setFiscalCalendar(stored));
        EXPECT_TRUE(masterfile->setPrintSequences(
            3, {{1, QStringLiteral("All Associates")}, {4, QStringLiteral("Night Shift")}}));
        report.owner = masterfile.get();
        dialog.setCurrentDate(QDate(2024, 3, 20));
    }
    // Shows the dialog for the report with the script; the length code it answers.
    int show(HeadlessUi::FormScript script, ReportOwner* owner = nullptr) {
        if (script) {
            ui.when(QStringLiteral("dlgRepPrint"), std::move(script));
        }
        return dialog.Show(0, owner ? *owner : report, QStringLiteral("Print History"),
                           QStringLiteral("&Print"), 3100);
    }

    RecordingReport report;
    dlgRepPrint dialog;
};

// The frames of the dialog's pages that show now.
inline QString shownReportPage(FormDriver& dialog) {
    QStringList shown;
    for (const char* page : {"fraLength", "fraDates", "fraOptions", "frmCompare", "fraSequence"}) {
        if (dialog.form().control(QLatin1String(page)).visible()) {
            shown << QLatin1String(page);
        }
    }
    return shown.join(u',');
}

}  // namespace vel::testing

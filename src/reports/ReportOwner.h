#pragma once
// ReportOwner: what the report dialog (dlgRepPrint) reads from and writes back to the report it
// is shown for. Every report window implements it; CDummyReport answers it with neutral values
// when the dialog only picks dates. The members keep the names the reports have always used.
//
// Read when the dialog starts: Owner, ReportType, ReportClass, FileNum, PrintMode, Transpose,
// inPrintJob, UsesLastYear, SubColumnType, PrintNoData, NewPagePerAccount, CommandLinePrinting.
// Written back when the person finishes (or at once when CommandLinePrinting): LineStyle,
// ReportType, PrintMode, NewPagePerAccount, PrintNoData, Transpose, SortColumn.
// The print sequences: the dialog's sequence page lists the host's sequences of
// sequenceLevel() and hands the ticked ones to setSequences(); NumSequences() then counts them.
// RestoreOrigSequence() puts back the sequences the report had before the dialog changed them.
#include <QList>
#include <QString>

namespace vel {

class Masterfile;

class ReportOwner {
  public:
    // Report types: below DateRangeOnly the report prints accounts through print sequences.
    static constexpr int AccountSummary = 1;   // time series or one line per account
    static constexpr int ComparingReport = 2;  // always offers a compare range
    static constexpr int DateRangeOnly = 9;    // only a stretch of time is asked for

    virtual ~ReportOwner() = default;

    // The master file of the system the report is for (its fiscal calendar and title).
    virtual Masterfile* Owner() const = 0;
    virtual int ReportType() const = 0;
    virtual void setReportType(int type) = 0;
    // The report's name; numbered reports also show " Report Number: " and FileNum.
    virtual QString ReportClass() const = 0;
    virtual int FileNum() const { return 0; }
    // The print style: 1 day-by-day, 2 week-by-week, 3 period-by-period, 4 one line per
    // account for one stretch of time.
    virtual int PrintMode() const = 0;
    virtual void setPrintMode(int mode) = 0;
    // Dates in columns (true) or in rows.
    virtual bool Transpose() const = 0;
    virtual void setTranspose(bool transposed) = 0;
    // Whether the person chooses "this year" and "last year" from the fiscal years.
    virtual bool UsesLastYear() const = 0;
    // Already inside a print job: the print sequences stay as they are.
    virtual bool inPrintJob() const = 0;
    // 0 when the report's columns may be split by a compare range.
    virtual int SubColumnType() const = 0;
    virtual bool PrintNoData() const { return false; }
    virtual void setPrintNoData(bool) {}
    virtual bool NewPagePerAccount() const { return false; }
    virtual void setNewPagePerAccount(bool) {}
    // The report runs unattended: the dialog takes its choices without showing itself.
    virtual bool CommandLinePrinting() const = 0;
    virtual int LineStyle() const = 0;
    virtual void setLineStyle(int style) = 0;
    virtual int NumSequences() const = 0;
    virtual int SortColumn() const = 0;
    virtual void setSortColumn(int column) = 0;
    virtual void RestoreOrigSequence() = 0;

    // The account level (1 system, 2 work center, 3 associate, 4 allocation) whose print
    // sequences the report prints; 0 when it prints none.
    virtual int sequenceLevel() const { return 0; }
    virtual QList<int> sequences() const { return {}; }
    virtual void setSequences(const QList<int>&) {}
};

}  // namespace vel

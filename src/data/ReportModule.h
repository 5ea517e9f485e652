#pragma once
// The system's report module: report templates kept as files in the system's report folder and
// the reports built from them for one activity or one type of work over a stretch of time. The
// quick report chooses the template and the subject; the module builds, shows, prints or
// exports the report. A template file is named "TB" + letter ("A" activity, "T" type of work) +
// the system's one-letter report-set code + the report number + ".TPL".
#include <QDate>
#include <QString>
#include <vector>

namespace vel {

// What one report covers: one activity, or the activities of one type of work (number 0: the
// activities without a type of work).
struct ReportSubject {
    enum class Kind { Activity, TypeOfWork };
    Kind kind = Kind::Activity;
    int number = 0;  // record number
};

// The stretch of time and the print sequences a report is built over; the date-range type is
// a length code of the report dialog (1 day, 2 week, 3 fiscal month, 4 quarter, 5 half, 6 year,
// 7 custom range, 8 all years), the data level the points of the time series (1 day, 2 week,
// 3 fiscal period).
struct ReportRange {
    int dateRangeType = 0;
    int dataLevel = 0;
    QDate startDate;
    QDate lastDate;
    std::vector<short> sequenceTypes;  // 1-based, index 0 unused
    std::vector<short> sequenceNumbers;
    bool operator==(const ReportRange&) const = default;
};

enum class ReportOutput { Export, Preview, Print };

class ReportModule {
  public:
    virtual ~ReportModule() = default;

    // The folder holding the templates (with a trailing separator) and the report-set code.
    virtual QString reportFolder() const = 0;
    virtual QString reportSetCode() const = 0;
    // The title a template file carries; empty when the file cannot be read as a template.
    virtual QString templateTitle(const QString& path) const = 0;

    // Selects a template; false (with lastError) when it cannot be read.
    virtual bool selectReport(const QString& path) = 0;
    // The selected report's title; the caller may change it before output.
    virtual QString title() const = 0;
    virtual void setTitle(const QString& title) = 0;
    // Prepares the selected report for the subject, over the template's own range ending on the
    // current date; showElements adds the units of every element.
    virtual bool build(const ReportSubject& subject, const QDate& currentDate,
                       bool showElements) = 0;
    // The range of the built report; setRange replaces it (the quick report's pre-fill).
    virtual ReportRange range() const = 0;
    virtual void setRange(const ReportRange& range) = 0;
    // Computes the figures and sends the report to the preview, the printer or its export file.
    virtual bool output(ReportOutput output, quintptr ownerHandle) = 0;
    virtual QString lastError() const = 0;
};

}  // namespace vel

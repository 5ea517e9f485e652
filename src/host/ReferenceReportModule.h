#pragma once
// The reference host's report module: templates in the "Reports" folder of the data folder
// (ReportTemplate.h gives their format), reports built from the system's recorded work, shown in
// the preview, printed through the printer object, or exported through the export writer to
// "<template name>-<subject code>.<extension>" in the same folder. The report-set code is the
// "ReportSet" value of the settings section "Reports" ("A" when none).
#include "data/ReportModule.h"
#include "host/ReportTemplate.h"

#include <optional>

namespace vel {

class VelmorSystem;
struct ReportSeries;

class ReferenceReportModule : public ReportModule {
  public:
    ReferenceReportModule(VelmorSystem& system, QString dataFolder);

    QString reportFolder() const override;
    QString reportSetCode() const override;
    QString templateTitle(const QString& path) const override;

    bool selectReport(const QString& path) override;
    QString title() const override { return title_; }
    void setTitle(const QString& title) override { title_ = title; }
    bool build(const ReportSubject& subject, const QDate& currentDate, bool showElements) override;
    ReportRange range() const override { return range_; }
    void setRange(const ReportRange& range) override;
    bool output(ReportOutput output, quintptr ownerHandle) override;
    QString lastError() const override { return lastError_; }

    // The export file of the built report.
    QString exportPath() const;
    // Writes the demo site's templates into the report folder; false with the reason.
    static bool writeDemoTemplates(const QString& dataFolder, QString* error);

  private:
    bool fail(const QString& message);
    bool print(const ReportSeries& series, ReportOutput output);
    bool exportSeries(const ReportSeries& series);
    QString rangeText() const;

    VelmorSystem& system_;
    QString dataFolder_;
    QString templatePath_;
    std::optional<ReportTemplate> template_;
    QString title_;
    ReportSubject subject_;
    QString subjectCode_;
    bool showElements_ = false;
    bool built_ = false;
    ReportRange range_;
    QString lastError_;
};

}  // namespace vel

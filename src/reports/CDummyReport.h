#pragma once
// CDummyReport: a neutral report for the report dialog when it is used only to pick a stretch
// of time (the activity-detail export). Every property answers a fixed value and every change
// is ignored, except the Owner (the master file), which it keeps until it is destroyed. Its
// ReportType is 9, so the dialog never asks it for print sequences.
#include "reports/ReportOwner.h"

namespace vel {

class CDummyReport : public ReportOwner {
  public:
    // Printer orientations as the printer object numbers them; 0: the printer's own.
    enum Orientation { DefaultOrientation = 0 };

    CDummyReport() = default;
    explicit CDummyReport(Masterfile* owner) { setOwner(owner); }

    QString ReportClass() const override { return {}; }
    bool UsesLastYear() const override { return false; }
    // The line style the system's master file holds.
    int LineStyle() const override;
    void setLineStyle(int) override {}
    int NumSequences() const override { return 0; }
    void RestoreOrigSequence() override {}
    bool inPrintJob() const override { return false; }
    Masterfile* Owner() const override { return owner_; }
    // Keeps the master file in place of the one stored before (none for nullptr).
    void setOwner(Masterfile* owner) { owner_ = owner; }
    int ReportType() const override { return DateRangeOnly; }
    void setReportType(int) override {}
    int PrintMode() const override { return 9; }
    void setPrintMode(int) override {}
    int SubColumnType() const override { return 0; }
    int SortColumn() const override { return 0; }
    void setSortColumn(int) override {}
    bool Transpose() const override { return false; }
    void setTranspose(bool) override {}
    Orientation TransOrientation() const { return DefaultOrientation; }
    void setOrientation(Orientation) {}
    bool CommandLinePrinting() const override { return false; }
    int ReportPrinted() const { return 0; }

  private:
    Masterfile* owner_ = nullptr;
};

}  // namespace vel

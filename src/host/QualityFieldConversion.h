#pragma once
// The conversion of a system from before the quality data fields: every type of work that
// tracks quality gets the data fields its posted quality data updates (data/QualityDataFields.h)
// and its six quality field numbers, and the auditable hours and units it has had so far are
// worked out from the production-sheet lines.
//
// Auditable units of a type of work: the units of every element entry of the lines whose
// activity names the type of work and includes its units in quality; auditable hours: the hours
// of those lines. The figures are written to the change log, one "Convert" entry per type of
// work ("AuditableUnits=1234.00, AuditableHours=56.000"), as the opening balance of its fields;
// the posted figures themselves are worked out again from the lines whenever they are posted.
#include <QString>

namespace vel {

class ReferenceSystem;

class QualityFieldConversion {
  public:
    explicit QualityFieldConversion(ReferenceSystem& system) : system_(system) {}

    // Whether an active type of work that tracks quality lacks one of its fields.
    bool fieldsMissing();
    // Runs the conversion with its status texts; false after the message that says why.
    bool run();

  private:
    bool openTables();
    int missingFieldCount();
    bool createFields();
    void logAuditableFigures();

    ReferenceSystem& system_;
};

}  // namespace vel

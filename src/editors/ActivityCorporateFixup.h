#pragma once
// The activity list's "Fixup CorpControl" action (offered only where the file "features.fld"
// is in the system folder): after a warning with the steps to take around it, gives every local
// activity the data-field numbers of its activity in the corporate control file (hours, earned
// hours, cost, and each element's units, elements matched by description). Each number changed
// is written to the log file "TBCORPFIX." + date and time + ".CSV" in the system folder as
// "Activity,Data,Old Field,New Field".
#include <QString>

namespace vel {

class VelmorSystem;

class ActivityCorporateFixup {
  public:
    explicit ActivityCorporateFixup(VelmorSystem& system);

    // The warning, the fix-up and its report. True when an activity changed.
    bool run();
    // The fix-up without the warning: answers the number of activities changed, -1 when the log
    // file could not be created (nothing changed then).
    int fixFieldNumbers();
    const QString& logPath() const { return logPath_; }

  private:
    int message(const QString& text, int style);

    VelmorSystem& system_;
    QString logPath_;
};

}  // namespace vel

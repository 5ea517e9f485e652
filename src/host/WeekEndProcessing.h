#pragma once
// The reference host's week-end processing. It closes the last complete week (Monday to Sunday)
// before the system's clock: the production-sheet lines of each week not yet closed are counted
// into the master file's [WeekEnds] section (week-ending date = lines), and [Master] LastWeekEnd
// moves to that Sunday. A week already closed is not closed again. Asked interactively, it first
// asks "OK to run Week-End Processing for the week ending <date>?"; No closes nothing.
//
// A history recalculation left pending by the settings is done (and cleared) on every run.
//
// The follow-up report is wanted when the settings say so ("WeekEnd"/"FollowUp"). Mode 3 lists
// the active associates with no production-sheet line on or after the date, one "code<TAB>last
// name, first name" line each, in "followup" + system number + ".txt" in the data folder.
#include <QDate>
#include <QString>

namespace vel {

class ReferenceSystem;

class WeekEndProcessing {
  public:
    static constexpr int inactiveAssociatesMode = 3;

    explicit WeekEndProcessing(ReferenceSystem& system) : system_(system) {}

    // True when the weeks were closed (or were closed already); false when the person said No
    // or a file could not be read or written (the reason goes to the error reporter).
    bool run(bool interactive);
    bool followUpWanted() const;
    bool followUp(int mode, const QDate& date);
    // The Sunday that ends the last complete week before the day.
    static QDate lastWeekEnd(const QDate& today);

  private:
    bool fail(const QString& reason);
    // The history recalculation the settings editor left for the week-end ("History" /
    // "RecalculatePending"): recalculated, then the request is cleared (kept when it failed).
    bool recalculatePendingHistory();

    ReferenceSystem& system_;
};

}  // namespace vel

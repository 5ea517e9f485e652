#pragma once
// What follows the system object's week-end processing: when it succeeded and the site wants
// it, the follow-up report for the last fourteen days (mode 3); and, when the site keeps a
// printed week-end log (settings "WeekEnd"/"PrintLog"), the line "Week-End Processing -
// Completed" with the date and time on the installed printer.

namespace vel {

class VelmorSystem;

// Runs the follow-up and the printed log after a week-end processing that answered succeeded.
void afterWeekEnd(VelmorSystem& system, bool succeeded);

}  // namespace vel

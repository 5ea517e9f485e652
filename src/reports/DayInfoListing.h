#pragma once
// The rows of the "List of Day Info" listing: every day from the day file's first to its last
// date, the date first, then the day's nine values (production-sheet lines, associates, total,
// measured and earned hours, units, cost, audited and failed units) with zeros left unwritten,
// then the date of the day's file and the times it covers. A day the file does not hold prints
// its date alone.
#include "platform/print/PrintTable.h"

#include <vector>

namespace vel {

struct DayEntry;

// The column headings: "Date", the nine values, "File Date", "Times".
std::vector<PrintTable::Column> dayInfoColumns();
// Fills the table (from row 1) with the days of the entries.
void fillDayInfoTable(PrintTable& table, const std::vector<DayEntry>& entries);

}  // namespace vel

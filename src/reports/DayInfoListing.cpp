#include "reports/DayInfoListing.h"

#include "data/VelmorSystem.h"
#include "services/NumberFormat.h"

#include <map>

namespace vel {

namespace {

// The nine values' headings; the first two are counts.
const char* const valueHeadings[DayEntry::Values] = {
    "Lines", "Associates", "Total Hours",   "Measured Hours", "Earned Hours",
    "Units", "Cost",       "Audited Units", "Failed Units"};
constexpr int countColumns = 2;

const QString dateFormat = QStringLiteral("yyyy/MM/dd");

}  // namespace

std::vector<PrintTable::Column> dayInfoColumns() {
    std::vector<PrintTable::Column> columns{{QStringLiteral("Date"), 10, PrintAlignment::Left}};
    for (const char* heading : valueHeadings) {
        columns.push_back({QLatin1String(heading), 10, PrintAlignment::Right});
    }
    columns.push_back({QStringLiteral("File Date"), 10, PrintAlignment::Left});
    columns.push_back({QStringLiteral("Times"), 24, PrintAlignment::Left});
    return columns;
}

void fillDayInfoTable(PrintTable& table, const std::vector<DayEntry>& entries) {
    const std::vector<PrintTable::Column> columns = dayInfoColumns();
    for (size_t column = 0; column < columns.size(); ++column) {
        table.setColumn(int(column) + 1, columns[column].heading, columns[column].width,
                        columns[column].alignment);
    }
    std::map<QDate, const DayEntry*> byDate;
    for (const DayEntry& entry : entries) {
        if (entry.date.isValid()) {
            byDate[entry.date] = &entry;
        }
    }
    if (byDate.empty()) {
        return;
    }
    int row = 0;
    const QDate last = byDate.rbegin()->first;
    for (QDate day = byDate.begin()->first; day <= last; day = day.addDays(1)) {
        ++row;
        table.setCell(row, 1, day.toString(dateFormat));
        const auto found = byDate.find(day);
        if (found == byDate.end()) {
            continue;
        }
        const DayEntry& entry = *found->second;
        for (int index = 0; index < DayEntry::Values; ++index) {
            const double value = entry.values[size_t(index)];
            if (value != 0.0) {
                table.setCell(
                    row, index + 2,
                    FormatNumber(value, index < countColumns ? QStringLiteral("#,##0")
                                                             : QStringLiteral("#,##0.00")));
            }
        }
        table.setCell(row, DayEntry::Values + 2, entry.fileDate.toString(dateFormat));
        table.setCell(row, DayEntry::Values + 3, entry.times);
    }
}

}  // namespace vel

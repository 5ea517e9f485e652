// The rows of the day listing: every day from the first to the last, the nine values with zeros
// left unwritten, the file date and times last.
#include "data/VelmorSystem.h"
#include "reports/DayInfoListing.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

TEST(DayInfoListing, EveryDayFromTheFirstToTheLastWithZerosUnwritten) {
    DayEntry monday{QDate(2024, 3, 5), QDate(2024, 3, 4), QStringLiteral("07:00-15:30"),
                    {1234, 12, 96.5, 80, 72.25, 15000, 1447.5, 0, 3}};
    DayEntry wednesday{QDate(2024, 3, 6), QDate(2024, 3, 6), QStringLiteral("07:00-12:00"),
                       {2, 1, 4, 0, 0, 0, 60, 0, 0}};
    PrintTable table;
    fillDayInfoTable(table, {wednesday, monday});  // any order in the file
    EXPECT_EQ(table.rowTexts(0),
              QStringList({"Date", "Lines", "Associates", "Total Hours", "Measured Hours",
                           "Earned Hours", "Units", "Cost", "Audited Units", "Failed Units",
                           "File Date", "Times"}));
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.rowTexts(1),
              QStringList({"2024/03/04", "1,234", "12", "96.50", "80.00", "72.25", "15,000.00",
                           "1,447.50", "", "3.00", "2024/03/05", "07:00-15:30"}));
    EXPECT_EQ(table.rowTexts(2).join(u'|'), "2024/03/05|||||||||||");
    EXPECT_EQ(table.rowTexts(3),
              QStringList({"2024/03/06", "2", "1", "4.00", "", "", "", "60.00", "", "",
                           "2024/03/06", "07:00-12:00"}));

    PrintTable empty;
    fillDayInfoTable(empty, {});
    EXPECT_EQ(empty.rowCount(), 0);
    EXPECT_TRUE(empty.hasHeadings());
}

}  // namespace
}  // namespace vel

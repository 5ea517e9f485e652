#include "data/DataCollectionDay.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

QString day(QTime start, QTime stop) {
    const DataCollectionDay texts = dataCollectionDay(start, stop);
    return texts.start + QStringLiteral(" - ") + texts.end;
}

TEST(DataCollectionDay, ANightShiftBeginsYesterdayAndADayShiftRunsIntoTomorrow) {
    EXPECT_EQ(day(QTime(23, 30), QTime(0, 10)), "Yesterday at: 23:30 - Today at: 23:29");
    EXPECT_EQ(day(QTime(22, 0), QTime(6, 0)), "Yesterday at: 22:00 - Today at: 21:59");
    EXPECT_EQ(day(QTime(0, 0), QTime(8, 0)), "Today at: 00:00 - Tomorrow at: 23:59");
    EXPECT_EQ(day(QTime(7, 30), QTime(8, 0)), "Today at: 07:30 - Tomorrow at: 07:29");
    // The end comes from the start's hour and minute: seconds do not show.
    EXPECT_EQ(day(QTime(6, 15, 40), QTime(14, 0)), "Today at: 06:15 - Tomorrow at: 06:14");
    // Equal or missing times count as 8:00 to 16:00.
    EXPECT_EQ(day(QTime(9, 0), QTime(9, 0)), "Today at: 08:00 - Tomorrow at: 07:59");
    EXPECT_EQ(day(QTime(), QTime(6, 0)), "Today at: 08:00 - Tomorrow at: 07:59");
    EXPECT_TRUE(dataCollectionDay(QTime(20, 0), QTime(4, 0)).beginsYesterday);
}

}  // namespace
}  // namespace vel

// An import's held change-log lines give back each line as added (codes in any characters,
// empty ones, texts shared or not), and hold nothing after clear().
#include "maintenance/PendingChangeLog.h"

#include <gtest/gtest.h>

namespace vel::testing {
namespace {

TEST(PendingChangeLog, GivesBackEveryLineAsAddedAndForgetsThemOnClear) {
    PendingChangeLog log;
    const std::vector<ChangeLogLine> added{
        {QStringLiteral("A100"), QStringLiteral("Add"), QStringLiteral("LastName, Wage")},
        {QStringLiteral("ÆØ€½"), QStringLiteral("Add"), QStringLiteral("LastName, Wage")},
        {QString(), QStringLiteral("Error Importing"), QString()},
        {QStringLiteral("B7"), QStringLiteral("Updated"), QStringLiteral("LastName, Wage")},
        {QStringLiteral("B7"), QStringLiteral("Codes Changed"), QStringLiteral("A100")},
        {QStringLiteral("C 9 "), QStringLiteral("Add"), QString()},
        {QStringLiteral("D1"), QStringLiteral("Updated"), QStringLiteral("Shift")}};
    for (int round = 0; round < 2; ++round) {
        for (const ChangeLogLine& line : added) {
            log.add(line.recordCode, line.action, line.changedSettings);
        }
        ASSERT_EQ(log.size(), added.size());
        const std::vector<ChangeLogLine> lines = log.lines();
        ASSERT_EQ(lines.size(), added.size());
        for (size_t index = 0; index < added.size(); ++index) {
            for (const ChangeLogLine& line : {lines[index], log.line(index)}) {
                EXPECT_EQ(line.recordCode, added[index].recordCode) << index;
                EXPECT_EQ(line.action, added[index].action) << index;
                EXPECT_EQ(line.changedSettings, added[index].changedSettings) << index;
            }
        }
        log.clear();
        EXPECT_TRUE(log.empty()) << "round " << round;
        EXPECT_TRUE(log.lines().empty());
    }
}

}  // namespace
}  // namespace vel::testing

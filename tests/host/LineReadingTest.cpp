// Reading the production-sheet lines of a date range: by date, then in the order they were
// recorded, whether the file holds them day after day or not; every stored value read back
// exactly (the number fields are parsed by hand for speed); deleted and emptied records left
// out; the visitor may stop at any line.
#include "RecordedWorkSupport.h"

#include "data/VelmorSystem.h"
#include "host/DemoRandom.h"
#include "host/SystemTables.h"
#include "platform/xbase/Table.h"

#include <algorithm>

namespace vel::testing {
namespace {

// A decimal text read as a double: the value the file gives back for it.
double decimal(qint64 whole, int fraction, int decimals) {
    return QStringLiteral("%1%2.%3")
        .arg(whole < 0 || fraction < 0 ? "-" : "")
        .arg(std::abs(whole))
        .arg(std::abs(fraction), decimals, 10, QLatin1Char('0'))
        .toDouble();
}

// count lines over March 2024 with values of every width the fields allow; in date order or
// with the days shuffled.
std::vector<ProductionLineRecord> linesOfMarch(int count, bool inDateOrder) {
    DemoRandom random(11);
    std::vector<ProductionLineRecord> lines;
    for (int index = 0; index < count; ++index) {
        ProductionLineRecord line = sampleLines()[size_t(random.between(0, 2))];
        line.Date =
            QDate(2024, 3, 1).addDays(inDateOrder ? index * 31 / count : random.between(0, 30));
        line.Associate = random.between(1, 6);
        line.Hours = decimal(random.between(-99, 99999), random.between(0, 9999), 4);
        line.Units[0] = decimal(random.between(0, 999999999), random.between(0, 9999), 4);
        line.Units[1] = decimal(-random.between(0, 99999), random.between(0, 9999), 4);
        line.StdMinutes[0] = decimal(random.between(0, 9999999), random.between(0, 999999), 6);
        line.Cost = decimal(random.between(0, 9999999), random.between(0, 9999), 4);
        line.AuditedUnits = decimal(random.between(0, 99999999), random.between(0, 99), 2);
        lines.push_back(line);
    }
    return lines;
}

// The parameter: the lines are recorded day after day (else in any order).
class LineReadingTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        system = site.open();
        writeSampleMasters(*system);
    }
    RecordedWork& work() { return system->recordedWork(); }
    // The lines forEachLine hands over for the range, stopping after `limit`.
    std::vector<ProductionLineRecord> read(const QDate& from, const QDate& to,
                                           size_t limit = SIZE_MAX) {
        std::vector<ProductionLineRecord> lines;
        EXPECT_TRUE(work().forEachLine(from, to, [&](const ProductionLineRecord& line) {
            lines.push_back(line);
            return lines.size() < limit;
        }));
        return lines;
    }
    // What forEachLine must give: the recorded lines of the range by date, stable.
    static std::vector<ProductionLineRecord> expected(std::vector<ProductionLineRecord> lines,
                                                      const QDate& from, const QDate& to) {
        std::erase_if(lines, [&](const auto& line) { return line.Date < from || line.Date > to; });
        std::stable_sort(lines.begin(), lines.end(), [](const auto& left, const auto& right) {
            return left.Date < right.Date;
        });
        return lines;
    }

    TestSite site;
    std::unique_ptr<ReferenceSystem> system;
};

TEST_P(LineReadingTest, ByDateThenRecordOrderWithEveryValueExact) {
    const std::vector<ProductionLineRecord> lines = linesOfMarch(300, GetParam());
    ASSERT_TRUE(work().addLines(lines));
    const QDate from(2024, 3, 7);
    const QDate to(2024, 3, 21);
    const std::vector<ProductionLineRecord> wanted = expected(lines, from, to);
    ASSERT_GT(wanted.size(), 100u);
    EXPECT_TRUE(read(from, to) == wanted);
    EXPECT_TRUE(read(QDate(1, 1, 1), QDate(9999, 12, 31)) ==
                expected(lines, QDate(1, 1, 1), QDate(9999, 12, 31)));
    // Stopping early: exactly the first lines, in order.
    const std::vector<ProductionLineRecord> first = read(from, to, 7);
    EXPECT_TRUE(first == std::vector(wanted.begin(), wanted.begin() + 7));
    EXPECT_TRUE(read(QDate(2024, 4, 1), QDate(2024, 4, 30)).empty());
}

TEST_P(LineReadingTest, DeletedAndEmptiedLinesAreLeftOut) {
    std::vector<ProductionLineRecord> lines = linesOfMarch(40, GetParam());
    ASSERT_TRUE(work().addLines(lines));
    {
        xbase::Table table;
        ASSERT_TRUE(table
                        .open(system->filePath(QString(hostFiles::productionLines)),
                              xbase::OpenOptions::exclusive())
                        .ok());
        ASSERT_TRUE(table.go(1).ok());
        ASSERT_TRUE(table.deleteRecord().ok());
        ASSERT_TRUE(table.go(40).ok());
        ASSERT_TRUE(table.setNumber(table.fieldIndex(QStringLiteral("ACTIVITY")), 0).ok());
        ASSERT_TRUE(table.close().ok());
    }
    lines.erase(lines.begin() + 39);
    lines.erase(lines.begin());
    EXPECT_TRUE(read(QDate(2024, 3, 1), QDate(2024, 3, 31)) ==
                expected(lines, QDate(2024, 3, 1), QDate(2024, 3, 31)));
}

INSTANTIATE_TEST_SUITE_P(RecordedDayAfterDayOrNot, LineReadingTest, ::testing::Bool());

}  // namespace
}  // namespace vel::testing

// New records kept and written as one batch leave the table and its indexes byte for byte as
// appending them one at a time does, shared or exclusive, and the table stands on the last.
#include "platform/xbase/XbaseTestSupport.h"

namespace vel::xbase::testing {
namespace {

constexpr int rows = 1500;  // enough to split index pages many times

QString codeOf(int row) {
    // Out of order, so that the index inserts land all over the tree.
    return QStringLiteral("C%1").arg((row * 7919) % 100003, 6, 10, QLatin1Char('0'));
}

Status assignRow(Table& table, int row) {
    Status status = table.setText(0, codeOf(row));
    if (status.ok()) {
        status = table.setText(1, QStringLiteral("Last %1").arg(row));
    }
    if (status.ok() && row % 3 != 0) {  // every third name stays blank
        status = table.setText(2, QStringLiteral("First"));
    }
    return status;
}

// A table with two records and an index on the code and one on the names, then the new rows
// appended one at a time or as kept batches of batchSize.
void writeTable(const QString& path, const OpenOptions& options, int batchSize) {
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path, options).ok());
    ASSERT_TRUE(table.createIndex(path + QStringLiteral(".code"), QStringLiteral("CODE")).ok());
    ASSERT_TRUE(
        table.createIndex(path + QStringLiteral(".name"), QStringLiteral("UPPER(LNAME+FNAME)"))
            .ok());
    for (int row = -2; row < 0; ++row) {
        ASSERT_TRUE(table.startAppend(true).ok());
        ASSERT_TRUE(assignRow(table, row).ok());
        ASSERT_TRUE(table.appendCurrent().ok());
    }
    for (int start = 0; start < rows; start += batchSize) {
        ASSERT_TRUE(table.startAppend(true).ok());
        for (int row = start; row < std::min(rows, start + batchSize); ++row) {
            ASSERT_TRUE(assignRow(table, row).ok());
            ASSERT_TRUE(batchSize == 1 ? table.appendCurrent().ok() : table.keepForAppend().ok());
        }
        if (batchSize > 1) {
            ASSERT_TRUE(table.appendKept().ok());
        }
        const int last = std::min(rows, start + batchSize) - 1;
        EXPECT_EQ(table.recordNumber(), quint32(last + 3));
        EXPECT_EQ(table.text(0), codeOf(last));
    }
    ASSERT_TRUE(table.close().ok());
}

TEST(XbaseBatchAppend, WritesTheSameTableAndIndexesAsOneAtATime) {
    QTemporaryDir folder;
    for (const OpenOptions& options : {OpenOptions::shared(), OpenOptions::exclusive()}) {
        const QString single =
            folder.filePath(QStringLiteral("single%1.dbf")
                                .arg(options.access == AccessMode::Exclusive ? "x" : "s"));
        const QString batched =
            folder.filePath(QStringLiteral("batched%1.dbf")
                                .arg(options.access == AccessMode::Exclusive ? "x" : "s"));
        writeTable(single, options, 1);
        writeTable(batched, options, 400);
        for (const QString& suffix :
             {QString(), QStringLiteral(".code"), QStringLiteral(".name")}) {
            EXPECT_EQ(comparable(batched + suffix, !suffix.isEmpty()),
                      comparable(single + suffix, !suffix.isEmpty()))
                << (batched + suffix).toStdString();
        }
        // Read back through the index: every code found at its record.
        Table table;
        ASSERT_TRUE(table.open(batched).ok());
        ASSERT_TRUE(table.openIndex(batched + QStringLiteral(".code")).ok());
        ASSERT_TRUE(table.selectIndex(0).ok());
        EXPECT_EQ(table.recordCount(), quint32(rows + 2));
        for (int row : {0, 399, 400, 1499}) {
            SeekResult result{};
            ASSERT_TRUE(table.seek(codeOf(row), &result).ok());
            EXPECT_EQ(result, SeekResult::Found);
            EXPECT_EQ(table.recordNumber(), quint32(row + 3));
        }
    }
}

// Keeping needs a new record to keep; closing without appendKept() writes nothing of the batch.
TEST(XbaseBatchAppend, KeptRecordsAreWrittenOnlyByAppendKept) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("kept.dbf"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path).ok());
    ASSERT_TRUE(table.appendBlank().ok());
    ASSERT_TRUE(table.go(1).ok());
    EXPECT_FALSE(table.keepForAppend().ok()) << "standing on record 1, not on a new one";
    ASSERT_TRUE(table.startAppend(true).ok());
    ASSERT_TRUE(assignRow(table, 1).ok());
    ASSERT_TRUE(table.keepForAppend().ok());
    ASSERT_TRUE(table.close().ok());
    ASSERT_TRUE(table.open(path).ok());
    EXPECT_EQ(table.recordCount(), 1u);
    ASSERT_TRUE(table.appendKept().ok()) << "an empty batch appends nothing";
    EXPECT_EQ(table.recordCount(), 1u);
}

}  // namespace
}  // namespace vel::xbase::testing

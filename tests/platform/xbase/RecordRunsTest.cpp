// Runs of records rewritten with one write leave the table and its indexes byte for byte as
// rewriting them one at a time does; reading runs gives the stored bytes; a run is refused
// without the file lock, past the last record and when it is not made of whole records.
#include "XbaseTestSupport.h"

namespace vel::xbase::testing {
namespace {

constexpr quint32 records = 3000;

// A table of lookup records with an index on the code and one on the names.
void makeTable(const QString& path) {
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
    ASSERT_TRUE(table.createIndex(path + QStringLiteral(".code"), QStringLiteral("CODE")).ok());
    ASSERT_TRUE(
        table.createIndex(path + QStringLiteral(".name"), QStringLiteral("UPPER(LNAME+FNAME)"))
            .ok());
    for (quint32 number = 1; number <= records; ++number) {
        ASSERT_NO_FATAL_FAILURE(appendLookup(table, QStringLiteral("C%1").arg(number),
                                             QStringLiteral("Last%1").arg(number % 97),
                                             QStringLiteral("First")));
    }
}

// What a rewrite makes of record n: every third gets a new code (its keys move in both indexes),
// every fifth is deleted, the others get a new name.
QByteArray rewritten(QByteArray record, quint32 number) {
    const auto put = [&](int offset, int width, const QByteArray& text) {
        record.replace(offset, width, text.leftJustified(width, ' '));
    };
    if (number % 3 == 0) {
        put(1, 20, "R" + QByteArray::number(records - number));
    } else {
        put(21, 15, "New" + QByteArray::number(number % 13));
    }
    if (number % 5 == 0) {
        record[0] = '*';
    }
    return record;
}

void openWithIndexes(Table& table, const QString& path) {
    ASSERT_TRUE(table.open(path, OpenOptions::shared()).ok());
    ASSERT_TRUE(table.openIndex(path + QStringLiteral(".code")).ok());
    ASSERT_TRUE(table.openIndex(path + QStringLiteral(".name")).ok());
    ASSERT_TRUE(table.lockFile().ok());
}

TEST(XbaseRecordRuns, ARunWrittenAtOnceEqualsRecordsWrittenOneByOne) {
    QTemporaryDir folder;
    const QString single = folder.filePath(QStringLiteral("single.dbf"));
    const QString runs = folder.filePath(QStringLiteral("runs.dbf"));
    ASSERT_NO_FATAL_FAILURE(makeTable(single));
    ASSERT_NO_FATAL_FAILURE(makeTable(runs));
    // Runs of several lengths with gaps between them, one past the last read-ahead block.
    const std::vector<std::pair<quint32, quint32>> spans = {
        {1, 1}, {3, 7}, {11, 2048}, {2100, 1}, {2102, 899}};
    {
        Table table;
        ASSERT_NO_FATAL_FAILURE(openWithIndexes(table, single));
        for (const auto& [first, count] : spans) {
            for (quint32 number = first; number < first + count; ++number) {
                ASSERT_TRUE(table.go(number).ok());
                ASSERT_TRUE(table.setRecordBytes(rewritten(table.recordBytes(), number)).ok());
                ASSERT_TRUE(table.flush().ok());
            }
        }
    }
    {
        Table table;
        ASSERT_NO_FATAL_FAILURE(openWithIndexes(table, runs));
        const qsizetype length = table.header().recordLength;
        ASSERT_TRUE(table.go(500).ok());  // standing inside a run: the record follows it
        for (const auto& [first, count] : spans) {
            QByteArray run(qsizetype(count) * length, '\0');
            ASSERT_TRUE(table.readRecords(first, count, run.data()).ok());
            ASSERT_TRUE(table.go(first + count - 1).ok());
            EXPECT_EQ(run.right(length), table.recordBytes()) << "a run reads as stored";
            for (quint32 offset = 0; offset < count; ++offset) {
                run.replace(offset * length, length,
                            rewritten(run.mid(offset * length, length), first + offset));
            }
            ASSERT_TRUE(table.go(first).ok());
            const Status written = table.writeRecords(first, run);
            ASSERT_TRUE(written.ok()) << text(written);
            EXPECT_EQ(table.recordBytes(), run.left(length)) << "the current record is the new";
        }
    }
    for (const QString& suffix : {QString(), QStringLiteral(".code"), QStringLiteral(".name")}) {
        EXPECT_EQ(comparable(runs + suffix, !suffix.isEmpty()),
                  comparable(single + suffix, !suffix.isEmpty()))
            << suffix.toStdString();
    }
    // The moved codes are found at their records through the index.
    Table table;
    ASSERT_TRUE(table.open(runs, OpenOptions::readOnlyShared()).ok());
    ASSERT_TRUE(table.openIndex(runs + QStringLiteral(".code")).ok());
    ASSERT_TRUE(table.selectIndex(0).ok());
    SeekResult result{};
    ASSERT_TRUE(table.seekPadded(QStringLiteral("R%1").arg(records - 2049), &result).ok());
    EXPECT_EQ(result, SeekResult::Found);
    EXPECT_EQ(table.recordNumber(), 2049u);
}

TEST(XbaseRecordRuns, RunsAreRefusedWithoutTheFileLockPastTheEndOrCutShort) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("runs.dbf"));
    ASSERT_NO_FATAL_FAILURE(makeTable(path));
    const QByteArray before = fileBytes(path);
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::shared()).ok());
    const qsizetype length = table.header().recordLength;
    QByteArray run(2 * length, '\0');
    ASSERT_TRUE(table.readRecords(records - 1, 2, run.data()).ok());
    EXPECT_EQ(table.writeRecords(1, run).code(), ErrorCode::Locked);
    ASSERT_TRUE(table.lockFile().ok());
    EXPECT_EQ(table.writeRecords(records, run).code(), ErrorCode::BadRecordNumber);
    EXPECT_EQ(table.readRecords(records, 2, run.data()).code(), ErrorCode::BadRecordNumber);
    EXPECT_EQ(table.readRecords(0, 1, run.data()).code(), ErrorCode::BadRecordNumber);
    EXPECT_EQ(table.writeRecords(1, QByteArrayView(run).first(length + 1)).code(),
              ErrorCode::BadArgument);
    EXPECT_EQ(table.writeRecords(1, QByteArrayView()).code(), ErrorCode::BadArgument);
    ASSERT_TRUE(table.close().ok());
    EXPECT_EQ(fileBytes(path), before);
}

}  // namespace
}  // namespace vel::xbase::testing

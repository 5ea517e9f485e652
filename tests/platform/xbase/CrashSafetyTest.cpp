// A write that fails part-way (a full disk, a crash) never leaves a table that the next open
// rejects, and loses at most the record being written.
#include "XbaseTestSupport.h"

#include "platform/xbase/TableChecker.h"

#include <QDir>

namespace vel::xbase::testing {
namespace {

QStringList leftovers(const QTemporaryDir& folder) {
    return QDir(folder.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files);
}

}  // namespace

TEST(XbaseCrashSafety, AFailedWriteInAnAppendLosesAtMostThatRecord) {
    // Fail each of the writes of the next appends in turn (record, header count, index pages).
    for (int failing = 1; failing <= 8; ++failing) {
        SCOPED_TRACE(failing);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("CRASH.DBF"));
        const QString indexPath = folder.filePath(QStringLiteral("CRASH.NDX"));
        ASSERT_TRUE(Table::create(path, lookupFields()).ok());
        FailingFileOperations operations;
        int confirmed = 0;
        {
            Table table(operations);
            ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
            ASSERT_TRUE(table.createIndex(indexPath, QStringLiteral("CODE")).ok());
            for (; confirmed < 5; ++confirmed) {
                appendLookup(table, QStringLiteral("OK%1").arg(confirmed), QString(), QString());
            }
            operations.failFrom = operations.writes + failing;
            for (int more = 0; more < 3; ++more) {
                if (!table.appendBlank().ok()) {
                    break;
                }
                if (!table.setText(0, QStringLiteral("MORE%1").arg(more)).ok() ||
                    !table.flush().ok()) {
                    break;
                }
                ++confirmed;
            }
            table.close();  // fails too: the disk is still full
        }
        Table reopened;
        const Status status = reopened.open(path, OpenOptions::exclusive());
        ASSERT_TRUE(status.ok()) << text(status);
        ASSERT_GE(reopened.recordCount(), 5u);
        EXPECT_LE(reopened.recordCount(), quint32(confirmed + 1));
        for (quint32 record = 1; record <= 5; ++record) {
            ASSERT_TRUE(reopened.go(record).ok());
            EXPECT_EQ(reopened.text(0), QStringLiteral("OK%1").arg(record - 1));
        }
        // The table takes appends again and ends up sound; a rebuild mends the index.
        appendLookup(reopened, QStringLiteral("AFTER"), QString(), QString());
        ASSERT_TRUE(reopened.openIndex(indexPath).ok());
        ASSERT_TRUE(reopened.reindex().ok());
        ASSERT_TRUE(reopened.close().ok());
        EXPECT_TRUE(TableChecker().checkTable(path).ok()) << text(TableChecker().checkTable(path));
        EXPECT_TRUE(TableChecker().checkIndex(path, indexPath).ok());
    }
}

TEST(XbaseCrashSafety, ARecordWrittenWithoutItsCountIsDroppedCleanly) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("HALF.DBF"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    FailingFileOperations operations;
    {
        Table table(operations);
        ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
        appendLookup(table, QStringLiteral("ONE"), QString(), QString());
        operations.failFrom = operations.writes + 2;  // the record goes out, its count does not
        operations.onlyOnce = true;
        EXPECT_EQ(table.appendBlank().code(), ErrorCode::WriteFailed);
    }
    const QByteArray before = fileBytes(path);
    Table reopened;
    ASSERT_TRUE(reopened.open(path, OpenOptions::exclusive()).ok());
    EXPECT_EQ(reopened.recordCount(), 1u);
    EXPECT_EQ(fileBytes(path), before);  // opening repairs nothing by itself
    appendLookup(reopened, QStringLiteral("TWO"), QString(), QString());
    ASSERT_TRUE(reopened.close().ok());
    EXPECT_TRUE(TableChecker().checkTable(path).ok()) << text(TableChecker().checkTable(path));
    ASSERT_TRUE(reopened.open(path).ok());
    EXPECT_EQ(reopened.recordCount(), 2u);
    ASSERT_TRUE(reopened.go(2).ok());
    EXPECT_EQ(reopened.text(0), QStringLiteral("TWO"));
}

TEST(XbaseCrashSafety, FailedPackCreateAndReindexLeaveTheOldFiles) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("KEEP.DBF"));
    const QString indexPath = folder.filePath(QStringLiteral("KEEP.NDX"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    {
        Table table;
        ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
        for (int number = 0; number < 300; ++number) {
            appendLookup(table, QStringLiteral("K%1").arg(number), QString(), QString());
            if (number % 2) {
                ASSERT_TRUE(table.deleteRecord().ok());
            }
        }
        ASSERT_TRUE(table.createIndex(indexPath, QStringLiteral("CODE")).ok());
    }
    const QByteArray tableBefore = fileBytes(path);
    const QByteArray indexBefore = fileBytes(indexPath);
    for (int failing = 1; failing <= 3; ++failing) {
        FailingFileOperations operations;
        Table table(operations);
        ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
        ASSERT_TRUE(table.openIndex(indexPath).ok());
        operations.failFrom = failing;
        EXPECT_EQ(table.pack().code(), ErrorCode::WriteFailed);
        EXPECT_EQ(table.reindex().code(), ErrorCode::WriteFailed);
        table.close();
        EXPECT_EQ(fileBytes(path), tableBefore);
        EXPECT_EQ(fileBytes(indexPath), indexBefore);
        EXPECT_TRUE(leftovers(folder).isEmpty()) << leftovers(folder).join(' ').toStdString();
    }
    FailingFileOperations operations;
    operations.failFrom = 1;
    const QString newPath = folder.filePath(QStringLiteral("NEW.DBF"));
    EXPECT_EQ(Table::create(newPath, lookupFields(), operations).code(), ErrorCode::WriteFailed);
    EXPECT_FALSE(QFile::exists(newPath));
    EXPECT_TRUE(leftovers(folder).isEmpty());
    EXPECT_EQ(Table::create(path, lookupFields()).code(), ErrorCode::AlreadyExists);
    EXPECT_EQ(fileBytes(path), tableBefore);
}

}  // namespace vel::xbase::testing

// The journal and what builds on it: a save put back after its writer died, a pack whose renames
// are finished after a crash, the shared count read from the header, the file lock keeping out
// appends, and the repair of a table that a copy cut short.
#include "XbaseTestSupport.h"

#include "platform/xbase/Journal.h"
#include "platform/xbase/TableChecker.h"
#include "platform/xbase/TableRepair.h"

#include <QDataStream>
#include <QDir>
#include <QtEndian>

namespace vel::xbase::testing {
namespace {

QStringList journalsIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.jnl*")}, QDir::Files);
}

void fillLookup(const QString& path, int records) {
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
    for (int number = 1; number <= records; ++number) {
        appendLookup(table, QStringLiteral("C%1").arg(number), QStringLiteral("Old"), QString());
    }
}

TEST(XbaseJournal, AnAbandonedJournalPutsBackRewritesAndAppendsByteForByte) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("SAVE.DBF"));
    fillLookup(path, 5);
    const QByteArray before = fileBytes(path);
    {
        Table table;
        ASSERT_TRUE(table.open(path, OpenOptions::shared()).ok());
        ASSERT_TRUE(table.lockFile().ok());
        TableImage image;
        ASSERT_TRUE(table.captureImage({2, 4}, &image).ok());
        Journal journal;
        journal.protect(image);
        for (quint32 record : {2u, 4u}) {
            ASSERT_TRUE(table.go(record).ok());
            ASSERT_TRUE(table.setText(1, QStringLiteral("New")).ok());
        }
        appendLookup(table, QStringLiteral("C6"), QStringLiteral("New"), QString());
        table.discardChanges();
        EXPECT_NE(fileBytes(path), before);
        journal.abandon();  // the writer dies here: its journal stays, unlocked
    }
    EXPECT_EQ(journalsIn(folder.path()).size(), 1);
    EXPECT_TRUE(Journal::hasAbandoned(folder.path()));
    ASSERT_TRUE(Journal::recoverFolder(folder.path()).ok());
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_TRUE(journalsIn(folder.path()).isEmpty());

    // A live writer's journal is left alone, and an unpublished one protects nothing.
    Table writer;
    ASSERT_TRUE(writer.open(path, OpenOptions::shared()).ok());
    ASSERT_TRUE(writer.lockFile().ok());
    TableImage image;
    ASSERT_TRUE(writer.captureImage({1}, &image).ok());
    Journal live;
    live.protect(image);
    writeBytes(folder.filePath(QStringLiteral("SAVE.DBF.0badf00d.jnl.tmp")), "VELJRNL1torn");
    EXPECT_TRUE(Journal::hasAbandoned(folder.path()));  // the torn start
    ASSERT_TRUE(
        Journal::recoverFolder(folder.path(), FileOperations::standard(), LockPolicy::failAtOnce())
            .ok());
    EXPECT_EQ(journalsIn(folder.path()).size(), 1);
    EXPECT_FALSE(Journal::hasAbandoned(folder.path()));
    live.commit();
    EXPECT_TRUE(journalsIn(folder.path()).isEmpty());
}

TEST(XbaseJournal, ATornLastPartIsIgnoredAndEarlierPartsStillPutBack) {
    TableImage image;
    image.path = QStringLiteral("/x/T.DBF");
    image.prefix = QByteArray(32, 'p');
    image.size = 100;
    image.records = {3};
    image.recordBytes = QByteArray(10, 'r');
    Journal::Contents none = Journal::parse(QByteArrayLiteral("garbage"));
    EXPECT_TRUE(none.images.empty());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("T.DBF"));
    fillLookup(path, 2);
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::shared()).ok());
    ASSERT_TRUE(table.lockFile().ok());
    TableImage real;
    ASSERT_TRUE(table.captureImage({1}, &real).ok());
    Journal journal;
    journal.protect(real);
    journal.protect(real);
    QString name = journalsIn(folder.path()).value(0);
    QByteArray bytes = fileBytes(folder.filePath(name));
    EXPECT_EQ(Journal::parse(bytes).images.size(), 2u);
    bytes.chop(3);
    const Journal::Contents contents = Journal::parse(bytes);
    ASSERT_EQ(contents.images.size(), 1u);
    EXPECT_EQ(contents.images[0].path, path);
    EXPECT_EQ(contents.images[0].records.size(), 1u);
    journal.commit();
}

// Rewrites the given records with a new last name, a run at a time.
void rewriteAll(Table& table, const std::vector<quint32>& numbers) {
    const qsizetype length = table.header().recordLength;
    for (quint32 number : numbers) {
        QByteArray record(length, '\0');
        ASSERT_TRUE(table.readRecords(number, 1, record.data()).ok());
        record.replace(21, 3, "New");
        ASSERT_TRUE(table.writeRecords(number, record).ok());
    }
}

TEST(XbaseJournal, RecordsReadInRunsAndJournalsOfTheFirstFormatArePutBack) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("RUNS.DBF"));
    fillLookup(path, 5000);
    const QByteArray before = fileBytes(path);
    std::vector<quint32> numbers;  // runs longer than one read, with gaps
    for (quint32 number = 1; number <= 5000; ++number) {
        if (number % 2500 != 7) {
            numbers.push_back(number);
        }
    }
    for (const bool dies : {true, false}) {
        Table table;
        ASSERT_TRUE(table.open(path, OpenOptions::shared()).ok());
        ASSERT_TRUE(table.lockFile().ok());
        TableImage image;
        ASSERT_TRUE(table.captureImage(numbers, &image, false).ok());
        EXPECT_EQ(image.records, numbers);
        EXPECT_TRUE(image.recordBytes.isEmpty());
        std::vector<std::pair<quint32, quint32>> reads;
        Journal journal;
        journal.protect(image, [&](quint32 first, quint32 count, char* into) {
            reads.emplace_back(first, count);
            ASSERT_TRUE(table.readRecords(first, count, into).ok());
        });
        const std::vector<std::pair<quint32, quint32>> runs = {
            {1, 6}, {8, 2048}, {2056, 451}, {2508, 2048}, {4556, 445}};
        EXPECT_EQ(reads, runs) << "runs between the gaps, a long run in parts";
        ASSERT_NO_FATAL_FAILURE(rewriteAll(table, numbers));
        appendLookup(table, QStringLiteral("C5001"), QStringLiteral("New"), QString());
        table.discardChanges();
        EXPECT_NE(fileBytes(path), before);
        if (dies) {
            journal.abandon();  // put back by the next recovery
            table.close();
            ASSERT_TRUE(Journal::recoverFolder(folder.path()).ok());
        } else {
            ASSERT_TRUE(journal.rollback().ok());  // the writer puts it back itself
        }
        EXPECT_EQ(fileBytes(path), before) << (dies ? "recovered" : "rolled back");
        EXPECT_TRUE(journalsIn(folder.path()).isEmpty());
    }

    // A journal of the first format: its parts checksummed a byte at a time.
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::shared()).ok());
    ASSERT_TRUE(table.lockFile().ok());
    TableImage image;
    ASSERT_TRUE(table.captureImage({2, 3, 9}, &image).ok());
    QByteArray part;
    QDataStream out(&part, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << quint8('T') << image.path << image.prefix << image.size << image.tailOffset << image.tail
        << qint32(image.recordLength) << image.headerLength << quint32(3);
    for (int index = 0; index < 3; ++index) {
        out << image.records[size_t(index)]
            << image.recordBytes.mid(index * image.recordLength, image.recordLength);
    }
    quint64 sum = 14695981039346656037ULL;
    for (const char byte : part) {
        sum = (sum ^ quint8(byte)) * 1099511628211ULL;
    }
    QByteArray journal = QByteArrayLiteral("VELJRNL1");
    journal.append(QByteArray(12, '\0'));
    qToLittleEndian<quint32>(quint32(part.size()), journal.data() + 8);
    qToLittleEndian<quint64>(sum, journal.data() + 12);
    writeBytes(path + QStringLiteral(".0000abcd.jnl"), journal + part);
    ASSERT_NO_FATAL_FAILURE(rewriteAll(table, {2, 3, 9}));
    table.close();
    EXPECT_NE(fileBytes(path), before);
    ASSERT_TRUE(Journal::recoverFolder(folder.path()).ok());
    EXPECT_EQ(fileBytes(path), before);
}

TEST(XbaseJournal, SharedCountIsTheHeadersAndTheFileLockKeepsOutAppends) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("COUNT.DBF"));
    fillLookup(path, 3);
    // A record written past the count (an append that never got its count) does not count.
    QByteArray bytes = fileBytes(path);
    bytes.chop(1);
    bytes.append(bytes.right(51)).append('\x1A');
    writeBytes(path, bytes);
    Table reader;
    ASSERT_TRUE(reader.open(path, OpenOptions::readOnlyShared()).ok());
    EXPECT_EQ(reader.recordCount(), 3u);
    EXPECT_TRUE(TableChecker().checkTable(path).ok());

    Table holder;
    ASSERT_TRUE(holder.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok());
    ASSERT_TRUE(holder.lockFile().ok());
    Table appender;
    ASSERT_TRUE(appender.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok());
    EXPECT_EQ(appender.appendBlank().code(), ErrorCode::Locked);
    EXPECT_EQ(appender.lockFileShared().code(), ErrorCode::Locked);
    ASSERT_TRUE(holder.unlockAll().ok());
    ASSERT_TRUE(appender.lockFileShared().ok());
    EXPECT_EQ(holder.lockFile().code(), ErrorCode::Locked) << "a reader keeps saves out";
    ASSERT_TRUE(appender.unlockAll().ok());
    ASSERT_TRUE(appender.appendBlank().ok());
    EXPECT_EQ(reader.recordCount(), 4u) << "the count in the header shows at once";
}

TEST(XbaseJournal, APackInterruptedAfterItsJournalIsFinishedByTheNextRecovery) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("PACK.DBF"));
    const QString indexPath = folder.filePath(QStringLiteral("PACK.NDX"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    {
        Table table;
        ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
        for (int number = 0; number < 200; ++number) {
            appendLookup(table, QStringLiteral("K%1").arg(number, 3, 10, QLatin1Char('0')),
                         QString(), QString());
            if (number % 3 == 0) {
                ASSERT_TRUE(table.deleteRecord().ok());
            }
        }
        ASSERT_TRUE(table.createIndex(indexPath, QStringLiteral("CODE")).ok());
    }
    // The table's rename goes through, the index's fails: a crash between the two.
    struct FailSecondRename : FileOperations {
        int renames = 0;
        int renameFile(const QByteArray& from, const QByteArray& to) override {
            if (from.endsWith(".tmp") && !from.contains(".jnl") && ++renames == 2) {
                errno = EIO;
                return -1;
            }
            return FileOperations::renameFile(from, to);
        }
    } operations;
    {
        Table table(operations);
        ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
        ASSERT_TRUE(table.openIndex(indexPath).ok());
        EXPECT_EQ(table.pack().code(), ErrorCode::WriteFailed);
    }
    EXPECT_FALSE(TableChecker().checkIndex(path, indexPath).ok()) << "table and index apart";
    ASSERT_TRUE(Journal::recoverFolder(folder.path()).ok());
    EXPECT_TRUE(TableChecker().checkTable(path).ok());
    const Status index = TableChecker().checkIndex(path, indexPath);
    EXPECT_TRUE(index.ok()) << text(index);
    Table packed;
    ASSERT_TRUE(packed.open(path, OpenOptions::readOnlyShared()).ok());
    EXPECT_EQ(packed.recordCount(), 133u);
    EXPECT_TRUE(journalsIn(folder.path()).isEmpty());
}

TEST(XbaseRepair, ATableCutShortOpensAgainWithItsWholeRecordsAndABackup) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("CUT.DBF"));
    const QString indexPath = folder.filePath(QStringLiteral("CUT.NDX"));
    fillLookup(path, 10);
    {
        Table table;
        ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
        ASSERT_TRUE(table.createIndex(indexPath, QStringLiteral("CODE")).ok());
    }
    QByteArray cut = fileBytes(path);
    cut.chop(1 + 51 + 20);  // the end mark, the last record and part of the one before
    writeBytes(path, cut);
    Table broken;
    const Status refused = broken.open(path, OpenOptions::shared());
    EXPECT_EQ(refused.code(), ErrorCode::CountMismatch);

    RepairReport report;
    const Status repaired = TableRepair().repair(path, {indexPath}, &report);
    ASSERT_TRUE(repaired.ok()) << text(repaired);
    EXPECT_EQ(report.headerCount, 10u);
    EXPECT_EQ(report.records, 8u);
    EXPECT_EQ(report.droppedBytes, 31);
    EXPECT_EQ(fileBytes(report.backupPath), cut);
    EXPECT_TRUE(TableChecker().checkTable(path).ok());
    EXPECT_TRUE(TableChecker().checkIndex(path, indexPath).ok());
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::shared()).ok());
    ASSERT_TRUE(table.go(8).ok());
    EXPECT_EQ(table.text(0), QStringLiteral("C8"));

    // Nobody else may have it open.
    Table holder;
    ASSERT_TRUE(holder.open(path, OpenOptions::shared()).ok());
    EXPECT_EQ(TableRepair().repair(path, {}, &report).code(), ErrorCode::Locked);
}

}  // namespace
}  // namespace vel::xbase::testing

// Thousands of randomly damaged tables and indexes (seeded, so a failure repeats): opening,
// reading every record and field, seeking and checking must end in a result, never a crash or
// a hang.
#include "ReadEverything.h"
#include "XbaseTestSupport.h"

#include "platform/xbase/MemoryFileOperations.h"
#include "platform/xbase/TableChecker.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

namespace vel::xbase::testing {
namespace {

QByteArray mutated(const QByteArray& sound, QRandomGenerator& random, int focus) {
    QByteArray bytes = sound;
    const int kind = random.bounded(10);
    if (kind == 0) {
        bytes.truncate(random.bounded(int(bytes.size()) + 1));
        return bytes;
    }
    const int changes = 1 + random.bounded(4);
    for (int change = 0; change < changes && !bytes.isEmpty(); ++change) {
        // Most damage lands in the header, where a wrong value steers every later read.
        const int limit = kind < 7 ? std::min<int>(focus, int(bytes.size())) : int(bytes.size());
        const int position = random.bounded(limit);
        bytes[position] = kind % 2 ? char(random.bounded(256)) : char(bytes[position] ^ 0x80);
    }
    return bytes;
}

// Reads everything, then checks that the checker answers with a result naming the file.
void exercise(FileOperations& operations, const QString& path, const QString& indexPath) {
    readEverything(operations, path, indexPath);
    TableChecker checker(operations);
    const Status tableCheck = checker.checkTable(path);
    EXPECT_TRUE(tableCheck.ok() || tableCheck.message().contains(path));
    const Status indexCheck = checker.checkIndex(path, indexPath);
    EXPECT_TRUE(indexCheck.ok() || !indexCheck.message().isEmpty());
}

}  // namespace

TEST(XbaseCorruption, RandomlyDamagedFilesGiveResultsNotCrashes) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("FUZZ.DBF"));
    const QString indexPath = folder.filePath(QStringLiteral("FUZZ.NDX"));
    ASSERT_TRUE(Table::create(path, allTypeFields()).ok());
    {
        Table table;
        ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
        for (int number = 0; number < 60; ++number) {
            ASSERT_TRUE(table.appendBlank().ok());
            table.setText(0, QStringLiteral("K%1").arg(number * 7 % 60));
            table.setNumber(1, number * 1.5);
            table.setNumber(2, number);
            table.setDate(3, QDate(2020, 1, 1).addDays(number));
            table.setLogical(4, number % 3 ? std::optional<bool>(number % 2) : std::nullopt);
        }
        ASSERT_TRUE(table.createIndex(indexPath, QStringLiteral("UPPER(NAME)")).ok());
    }
    const QByteArray soundTable = fileBytes(path);
    const QByteArray soundIndex = fileBytes(indexPath);
    // The damaged copies live in memory: the same code runs, without thousands of disk writes.
    MemoryFileOperations memory;
    const QByteArray memoryTable = QFile::encodeName(path);
    const QByteArray memoryIndex = QFile::encodeName(indexPath);
    QRandomGenerator random(7151);
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < 4000; ++round) {
        const bool damageTable = round % 2 == 0;
        memory.setFile(memoryTable,
                       damageTable ? mutated(soundTable, random, 32 * 7 + 40) : soundTable);
        memory.setFile(memoryIndex, damageTable ? soundIndex : mutated(soundIndex, random, 1024));
        exercise(memory, path, indexPath);
    }
    EXPECT_LT(timer.elapsed(), 10000);
}

}  // namespace vel::xbase::testing

// Rows written to an xBase store in one write (appended in batches) leave the same file as the
// same rows written one per write inside one save, and the journal names every appended record.
#include "HostTestSupport.h"
#include "platform/xbase/XbaseTestSupport.h"

#include "host/ColumnLayout.h"
#include "host/SaveUnit.h"
#include "host/XbaseStore.h"
#include "host/XbaseTable.h"

namespace vel::testing {
namespace {

// Enough rows for three batches, every field type varying.
std::vector<StoredRow> associateRows() {
    std::vector<StoredRow> rows;
    for (int row = 0; row < 9000; ++row) {
        AssociateRecord associate;
        associate.Code = QStringLiteral("A%1").arg(row);
        associate.LastName = row % 4 == 0 ? QStringLiteral("Ærø %1").arg(row) : QString();
        associate.WorkCenter = row % 7;
        associate.HireDate = row % 5 == 0 ? QDate() : QDate(2020, 1, 1).addDays(row);
        associate.WageRate = 12.0 + row * 0.0625;
        associate.OnPayRoll = row % 2 == 0;
        associate.Badge[size_t(row % 10)] = QStringLiteral("B%1").arg(row);
        rows.push_back(XbaseTable<AssociateRecord>::toRow(associate));
    }
    return rows;
}

QByteArray withoutDate(const QString& path) {
    QByteArray bytes = xbase::testing::fileBytes(path);
    bytes.replace(1, 3, "DDD");
    return bytes;
}

TEST(XbaseStoreBatches, OneWriteOfManyRowsEqualsOneWritePerRow) {
    QTemporaryDir folder;
    const std::vector<StoredRow> rows = associateRows();
    const auto store = [&](const QString& name) {
        StoreOptions options;
        options.createWhenMissing = true;
        return XbaseStore(folder.filePath(name), shapesOf<AssociateRecord>(), {}, options);
    };
    XbaseStore batched = store(QStringLiteral("batched.dbf"));
    std::vector<StoredRow> loaded;
    ASSERT_TRUE(batched.load(loaded));
    StoreJournal journal;
    ASSERT_TRUE(batched.append(rows, journal)) << batched.lastError().toStdString();
    ASSERT_EQ(journal.appended.size(), rows.size());
    for (size_t index = 0; index < rows.size(); ++index) {
        ASSERT_EQ(journal.appended[index], quint32(index + 1));
    }

    XbaseStore single = store(QStringLiteral("single.dbf"));
    ASSERT_TRUE(single.load(loaded));
    {
        SaveUnit unit;
        for (const StoredRow& row : rows) {
            StoreJournal one;
            ASSERT_TRUE(single.append({row}, one)) << single.lastError().toStdString();
        }
        QString error;
        ASSERT_TRUE(unit.commit(&error)) << error.toStdString();
    }
    EXPECT_EQ(withoutDate(batched.path()), withoutDate(single.path()));

    // Read back, every row is as written.
    ASSERT_TRUE(batched.load(loaded));
    ASSERT_EQ(loaded.size(), rows.size());
    for (size_t index : {size_t(0), size_t(4095), size_t(4096), size_t(8999)}) {
        EXPECT_EQ(loaded[index], batched.normalized(rows[index])) << index;
    }

    // Undone, the appended records are blank again.
    journal.inUnit = false;
    ASSERT_TRUE(batched.undo(journal));
    ASSERT_TRUE(batched.load(loaded));
    EXPECT_EQ(loaded.back(), batched.blankRow());
}

}  // namespace
}  // namespace vel::testing

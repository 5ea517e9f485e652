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

// Enough rows for three batches, every field type varying; changed: other names and wages.
std::vector<StoredRow> associateRows(bool changed = false) {
    std::vector<StoredRow> rows;
    for (int row = 0; row < 9000; ++row) {
        AssociateRecord associate;
        associate.Code = QStringLiteral("A%1").arg(row);
        associate.LastName = row % 4 == 0 ? QStringLiteral("Ærø %1").arg(row) : QString();
        if (changed && row % 3 != 0) {
            associate.LastName = QStringLiteral("Changed %1").arg(row);
        }
        associate.WorkCenter = row % 7;
        associate.HireDate = row % 5 == 0 ? QDate() : QDate(2020, 1, 1).addDays(row);
        associate.WageRate = 12.0 + row * 0.0625 + (changed ? 1.5 : 0.0);
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

// Rows rewritten in place go a run of consecutive records at a time (runs longer than one read,
// gaps between them): the file is the one that writing each record by itself gives, in the
// table's own layout and in a file with a column more, whose values stay. A save that fails
// afterwards is put back whole from its journal.
TEST(XbaseStoreBatches, RowsRewrittenInRunsLeaveTheRecordsOneByOneWritesLeave) {
    QTemporaryDir folder;
    const std::vector<StoredRow> rows = associateRows();
    const std::vector<StoredRow> changedRows = associateRows(true);
    for (const bool extraColumn : {false, true}) {
        SCOPED_TRACE(extraColumn ? "a column more" : "the table's own columns");
        const QString path = folder.filePath(extraColumn ? "extra.dbf" : "own.dbf");
        const QString reference = path + QStringLiteral(".reference");
        if (extraColumn) {
            QList<xbase::FieldDescriptor> columns =
                ColumnLayout::columnsFor(shapesOf<AssociateRecord>(), {});
            columns.prepend(xbase::FieldDescriptor::character(QStringLiteral("EXTRA"), 6));
            ASSERT_TRUE(xbase::Table::create(path, columns).ok());
        }
        StoreOptions options;
        options.createWhenMissing = true;
        XbaseStore store(path, shapesOf<AssociateRecord>(), {}, options);
        RowStore loaded;
        ASSERT_TRUE(store.loadPacked(loaded));
        StoreJournal journal;
        ASSERT_TRUE(store.append(rows, journal)) << store.lastError().toStdString();
        if (extraColumn) {
            xbase::Table table;
            ASSERT_TRUE(table.open(path, xbase::OpenOptions::exclusive()).ok());
            for (quint32 number = 1; number <= rows.size(); ++number) {
                ASSERT_TRUE(table.go(number).ok());
                ASSERT_TRUE(table.setText(0, QStringLiteral("X%1").arg(number)).ok());
            }
        }
        ASSERT_TRUE(store.loadPacked(loaded));
        std::map<int, PackedRow> changes;
        for (int number = 1; number <= int(rows.size()); ++number) {
            if (number % 2500 != 7 && changedRows[size_t(number - 1)] != rows[size_t(number - 1)]) {
                changes.emplace(number, store.codec().pack(changedRows[size_t(number - 1)]));
            }
        }
        ASSERT_TRUE(QFile::copy(path, reference));
        {
            // The reference: each changed record written by itself, the other fields kept.
            xbase::Table table;
            ASSERT_TRUE(table.open(reference, xbase::OpenOptions::exclusive()).ok());
            for (const auto& [number, row] : changes) {
                ASSERT_TRUE(table.go(quint32(number)).ok());
                QByteArray record = row;
                if (extraColumn) {
                    record.insert(1, table.recordBytes().mid(1, 6));
                }
                ASSERT_TRUE(table.setRecordBytes(record).ok());
                ASSERT_TRUE(table.flush().ok());
            }
        }
        const auto write = [&](const std::map<int, PackedRow>& rowsToWrite, bool failAfter) {
            SaveUnit unit;
            StoreJournal written;
            ASSERT_TRUE(store.write(rowsToWrite, written, LoadedRows::of(loaded)))
                << store.lastError().toStdString();
            if (failAfter) {
                unit.fail(QStringLiteral("a later part failed"));
            }
            QString error;
            EXPECT_EQ(unit.commit(&error), !failAfter) << error.toStdString();
        };
        const QByteArray before = xbase::testing::fileBytes(path);
        ASSERT_NO_FATAL_FAILURE(write(changes, true));
        EXPECT_EQ(xbase::testing::fileBytes(path), before) << "put back from the journal";
        ASSERT_NO_FATAL_FAILURE(write(changes, false));
        EXPECT_EQ(withoutDate(path), withoutDate(reference));
        std::vector<StoredRow> read;
        ASSERT_TRUE(store.load(read));
        EXPECT_EQ(read[4000], store.normalized(changedRows[4000]));
        EXPECT_EQ(read[6], store.normalized(rows[6])) << "a row left out stays";
        EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("*.jnl*")}).isEmpty());
    }
}

}  // namespace
}  // namespace vel::testing

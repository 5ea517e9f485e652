// The xBase layer against its peers on the same work in one run: shapelib's DBF module for
// appending, scanning and updating a table, SQLite (with an index; the look-ups inside one read
// transaction, and each in its own) for seeking keys. Each row does the whole job once per
// iteration (opening the table, then 10,000 look-ups of the same keys on both sides); the
// ratios at the end compare medians when run with --benchmark_repetitions.
#include "PeerRatio.h"
#include "platform/xbase/Table.h"

#include <benchmark/benchmark.h>
#include <shapefil.h>
#ifdef XBASE_BENCH_WITH_SQLITE
#include <sqlite3.h>
#endif
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

using namespace vel::xbase;

namespace {

constexpr int recordCount = 100000;
constexpr int seekCount = 10000;
constexpr int updateCount = 10000;

QTemporaryDir& folder() {
    static QTemporaryDir instance;
    return instance;
}

QString pathOf(const char* name) {
    return folder().filePath(QString::fromLatin1(name));
}

// Record i of the test data: a code in scrambled order, two names and an amount.
QByteArray codeOf(int record) {
    return QByteArray("K") +
           QByteArray::number((record * 7919) % recordCount).rightJustified(8, '0');
}

QList<FieldDescriptor> fields() {
    return {FieldDescriptor::character(QStringLiteral("CODE"), 20),
            FieldDescriptor::character(QStringLiteral("LNAME"), 15),
            FieldDescriptor::character(QStringLiteral("FNAME"), 15),
            FieldDescriptor::numeric(QStringLiteral("AMOUNT"), 10, 2)};
}

void appendWithXbase(const QString& path, const QString& indexPath) {
    QFile::remove(path);
    if (!indexPath.isEmpty()) {
        QFile::remove(indexPath);
    }
    Table::create(path, fields());
    Table table;
    table.open(path, OpenOptions::exclusive());
    if (!indexPath.isEmpty()) {
        table.createIndex(indexPath, QStringLiteral("CODE"));
    }
    for (int record = 0; record < recordCount; ++record) {
        table.startAppend(true);
        table.setBytes(0, codeOf(record));
        table.setBytes(1, "Smith");
        table.setBytes(2, "John");
        table.setNumber(3, record * 0.5);
        table.appendCurrent();
    }
    table.close();
}

void appendWithShapelib(const QString& path) {
    QFile::remove(path);
    DBFHandle handle = DBFCreate(QFile::encodeName(path).constData());
    DBFAddField(handle, "CODE", FTString, 20, 0);
    DBFAddField(handle, "LNAME", FTString, 15, 0);
    DBFAddField(handle, "FNAME", FTString, 15, 0);
    DBFAddField(handle, "AMOUNT", FTDouble, 10, 2);
    for (int record = 0; record < recordCount; ++record) {
        DBFWriteStringAttribute(handle, record, 0, codeOf(record).constData());
        DBFWriteStringAttribute(handle, record, 1, "Smith");
        DBFWriteStringAttribute(handle, record, 2, "John");
        DBFWriteDoubleAttribute(handle, record, 3, record * 0.5);
    }
    DBFClose(handle);
}

void XbaseAppend(benchmark::State& state) {
    for (auto _ : state) {
        appendWithXbase(pathOf("append.dbf"), QString());
    }
}
BENCHMARK(XbaseAppend)->Unit(benchmark::kMillisecond)->Iterations(3);

void ShapelibAppend(benchmark::State& state) {
    for (auto _ : state) {
        appendWithShapelib(pathOf("shapeappend.dbf"));
    }
}
BENCHMARK(ShapelibAppend)->Unit(benchmark::kMillisecond)->Iterations(3);

void XbaseAppendKeepingAnIndex(benchmark::State& state) {
    for (auto _ : state) {
        appendWithXbase(pathOf("indexed.dbf"), pathOf("indexed.ndx"));
    }
}
BENCHMARK(XbaseAppendKeepingAnIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

void XbaseScan(benchmark::State& state) {
    const QString path = pathOf("scan.dbf");
    appendWithXbase(path, QString());
    for (auto _ : state) {
        Table table;
        table.open(path, OpenOptions::exclusive());
        double total = 0;
        qsizetype characters = 0;
        for (table.goTop(); !table.eof(); table.skip()) {
            characters += table.text(0).size() + table.text(1).size() + table.text(2).size();
            total += table.number(3).value_or(0);
        }
        benchmark::DoNotOptimize(total);
        benchmark::DoNotOptimize(characters);
    }
}
BENCHMARK(XbaseScan)->Unit(benchmark::kMillisecond)->Iterations(5);

void ShapelibScan(benchmark::State& state) {
    const QString path = pathOf("shapescan.dbf");
    appendWithShapelib(path);
    for (auto _ : state) {
        DBFHandle handle = DBFOpen(QFile::encodeName(path).constData(), "rb");
        double total = 0;
        size_t characters = 0;
        const int count = DBFGetRecordCount(handle);
        for (int record = 0; record < count; ++record) {
            characters += strlen(DBFReadStringAttribute(handle, record, 0));
            characters += strlen(DBFReadStringAttribute(handle, record, 1));
            characters += strlen(DBFReadStringAttribute(handle, record, 2));
            total += DBFReadDoubleAttribute(handle, record, 3);
        }
        DBFClose(handle);
        benchmark::DoNotOptimize(total);
        benchmark::DoNotOptimize(characters);
    }
}
BENCHMARK(ShapelibScan)->Unit(benchmark::kMillisecond)->Iterations(5);

void XbaseUpdate(benchmark::State& state) {
    const QString path = pathOf("update.dbf");
    appendWithXbase(path, QString());
    for (auto _ : state) {
        Table table;
        table.open(path, OpenOptions::exclusive());
        for (int update = 0; update < updateCount; ++update) {
            table.go(quint32((update * 7907) % recordCount + 1));
            table.setNumber(3, update * 0.25);
            table.flush();
        }
        table.close();
    }
}
BENCHMARK(XbaseUpdate)->Unit(benchmark::kMillisecond)->Iterations(5);

void ShapelibUpdate(benchmark::State& state) {
    const QString path = pathOf("shapeupdate.dbf");
    appendWithShapelib(path);
    for (auto _ : state) {
        DBFHandle handle = DBFOpen(QFile::encodeName(path).constData(), "rb+");
        for (int update = 0; update < updateCount; ++update) {
            DBFWriteDoubleAttribute(handle, (update * 7907) % recordCount, 3, update * 0.25);
        }
        DBFClose(handle);
    }
}
BENCHMARK(ShapelibUpdate)->Unit(benchmark::kMillisecond)->Iterations(5);

void seekWithXbase(benchmark::State& state, AccessMode access) {
    const QString path = pathOf("seek.dbf");
    const QString indexPath = pathOf("seek.ndx");
    if (!QFile::exists(indexPath)) {
        appendWithXbase(path, QString());
        Table table;
        table.open(path, OpenOptions::exclusive());
        table.createIndex(indexPath, QStringLiteral("CODE"));
    }
    for (auto _ : state) {
        Table table;
        table.open(path, {access, false, {}});
        table.openIndex(indexPath);
        table.selectIndex(0);
        int found = 0;
        for (int seek = 0; seek < seekCount; ++seek) {
            SeekResult result;
            table.seek(QByteArrayView(codeOf((seek * 31) % recordCount).leftJustified(20)),
                       &result);
            found += result == SeekResult::Found && table.rawField(1).startsWith("Smith");
        }
        if (found != seekCount) {
            state.SkipWithError("a key was not found");
        }
    }
}

void XbaseSeek(benchmark::State& state) {
    seekWithXbase(state, AccessMode::Exclusive);
}
BENCHMARK(XbaseSeek)->Unit(benchmark::kMillisecond)->Iterations(5);

void XbaseSeekShared(benchmark::State& state) {
    seekWithXbase(state, AccessMode::Shared);
}
BENCHMARK(XbaseSeekShared)->Unit(benchmark::kMillisecond)->Iterations(5);

#ifdef XBASE_BENCH_WITH_SQLITE
// The same records in an SQLite table with an index on the code, made once (as the xBase side's).
QByteArray sqliteSeekDatabase() {
    const QByteArray path = QFile::encodeName(pathOf("seek.sqlite"));
    if (QFile::exists(QFile::decodeName(path))) {
        return path;
    }
    sqlite3* database = nullptr;
    sqlite3_open(path.constData(), &database);
    sqlite3_exec(database,
                 "CREATE TABLE people(code TEXT, lname TEXT, fname TEXT, amount REAL);"
                 "BEGIN",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(database, "INSERT INTO people VALUES(?,?,?,?)", -1, &insert, nullptr);
    for (int record = 0; record < recordCount; ++record) {
        const QByteArray code = codeOf(record);
        sqlite3_bind_text(insert, 1, code.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, "Smith", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 3, "John", -1, SQLITE_STATIC);
        sqlite3_bind_double(insert, 4, record * 0.5);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(database, "COMMIT; CREATE INDEX people_code ON people(code)", nullptr, nullptr,
                 nullptr);
    sqlite3_close(database);
    return path;
}

// The same look-ups as seekWithXbase: all in one read transaction, or each in its own (then
// SQLite checks for other connections' changes before every look-up, as a shared seek does).
void seekWithSqlite(benchmark::State& state, bool oneTransaction) {
    const QByteArray path = sqliteSeekDatabase();
    for (auto _ : state) {
        sqlite3* database = nullptr;
        sqlite3_open(path.constData(), &database);
        sqlite3_stmt* select = nullptr;
        sqlite3_prepare_v2(database, "SELECT lname FROM people WHERE code = ?", -1, &select,
                           nullptr);
        if (oneTransaction) {
            sqlite3_exec(database, "BEGIN", nullptr, nullptr, nullptr);
        }
        int found = 0;
        for (int seek = 0; seek < seekCount; ++seek) {
            const QByteArray code = codeOf((seek * 31) % recordCount);
            sqlite3_bind_text(select, 1, code.constData(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(select) == SQLITE_ROW &&
                std::strncmp(reinterpret_cast<const char*>(sqlite3_column_text(select, 0)), "Smith",
                             5) == 0) {
                ++found;
            }
            sqlite3_reset(select);
        }
        if (oneTransaction) {
            sqlite3_exec(database, "COMMIT", nullptr, nullptr, nullptr);
        }
        sqlite3_finalize(select);
        sqlite3_close(database);
        if (found != seekCount) {
            state.SkipWithError("a key was not found");
        }
    }
}

void SqliteSeek(benchmark::State& state) {
    seekWithSqlite(state, true);
}
BENCHMARK(SqliteSeek)->Unit(benchmark::kMillisecond)->Iterations(5);

void SqliteSeekEachInItsOwnTransaction(benchmark::State& state) {
    seekWithSqlite(state, false);
}
BENCHMARK(SqliteSeekEachInItsOwnTransaction)->Unit(benchmark::kMillisecond)->Iterations(5);
#endif

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    vel::bench::runWithPeerRatios(argc, argv,
                                  {{"XbaseAppend", "ShapelibAppend"},
                                   {"XbaseScan", "ShapelibScan"},
                                   {"XbaseUpdate", "ShapelibUpdate"},
                                   {"XbaseSeek", "SqliteSeek"},
                                   {"XbaseSeekShared", "SqliteSeek"},
                                   {"XbaseSeekShared", "SqliteSeekEachInItsOwnTransaction"}});
    return 0;
}

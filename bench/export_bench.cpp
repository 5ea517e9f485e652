// Export writer and delimited reader against sqlite3 in the same run: 100,000 rows of 20
// columns written as CSV and as XLSX, and a 50,000-line CSV read back; the peer is the sqlite3
// command writing the same rows with ".mode csv" from a prepared database.
#include "PeerRatio.h"
#include "platform/transfer/DelimitedReader.h"
#include "platform/transfer/ExportWriter.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int rowCount = 100000;
constexpr int columnCount = 20;

QTemporaryDir& benchFolder() {
    static QTemporaryDir folder;
    return folder;
}

// Column c of row r: text, whole numbers and numbers with decimals in turn.
QVariant value(int row, int column) {
    switch (column % 3) {
        case 0:
            return QStringLiteral("Text %1-%2").arg(row).arg(column);
        case 1:
            return row * 7 + column;
        default:
            return row / 3.0 + column;
    }
}

void writeTable(const QString& type, const QString& path, int rows) {
    vel::ExportWriter writer;
    writer.create(type, path, QStringLiteral("Table1"), {.headerLine = true});
    for (int column = 0; column < columnCount; ++column) {
        const int code = column % 3 == 0 ? 9 : column % 3 == 1 ? 4 : 6;
        writer.addColumn(column + 1, QStringLiteral("C%1").arg(column), code, 12, 2);
    }
    QVariantList values(columnCount);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            values[column] = value(row, column);
        }
        writer.addRow(values);
    }
    const vel::ExportStatus status = writer.close();
    if (!status.ok()) {
        qFatal("%s", qPrintable(status.message()));
    }
}

void BM_WriteCsv(benchmark::State& state) {
    const QString path = benchFolder().filePath(QStringLiteral("out.csv"));
    for (auto _ : state) {
        writeTable(QStringLiteral("CSV"), path, rowCount);
    }
    state.SetItemsProcessed(state.iterations() * rowCount);
}
BENCHMARK(BM_WriteCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WriteXlsx(benchmark::State& state) {
    const QString path = benchFolder().filePath(QStringLiteral("out.xlsx"));
    for (auto _ : state) {
        writeTable(QStringLiteral("XLSX"), path, rowCount);
    }
    state.SetItemsProcessed(state.iterations() * rowCount);
}
BENCHMARK(BM_WriteXlsx)->Unit(benchmark::kMillisecond)->Iterations(2);

// The same rows in an SQLite database, made once; each run has sqlite3 write them as CSV.
QString preparedDatabase() {
    static QString database;
    if (!database.isEmpty()) {
        return database;
    }
    database = benchFolder().filePath(QStringLiteral("rows.db"));
    QString script = QStringLiteral("CREATE TABLE t(");
    for (int column = 0; column < columnCount; ++column) {
        script += QStringLiteral("%1C%2").arg(column ? "," : "").arg(column);
    }
    script += QStringLiteral(");\nBEGIN;\n");
    for (int row = 0; row < rowCount; ++row) {
        script += QStringLiteral("INSERT INTO t VALUES(");
        for (int column = 0; column < columnCount; ++column) {
            const QVariant cell = value(row, column);
            script += column ? QStringLiteral(",") : QString();
            script += column % 3 == 0 ? QLatin1Char('\'') + cell.toString() + QLatin1Char('\'')
                                      : cell.toString();
        }
        script += QStringLiteral(");\n");
    }
    script += QStringLiteral("COMMIT;\n");
    QProcess process;
    process.start(QStringLiteral("sqlite3"), {database});
    process.write(script.toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        qFatal("sqlite3 could not prepare the database");
    }
    return database;
}

void BM_Sqlite3WriteCsv(benchmark::State& state) {
    const QString database = preparedDatabase();
    const QString path = benchFolder().filePath(QStringLiteral("sqlite.csv"));
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral("sqlite3"),
                      {QStringLiteral("-csv"), QStringLiteral("-header"), database,
                       QStringLiteral(".once %1").arg(path), QStringLiteral("SELECT * FROM t;")});
        if (!process.waitForFinished(120000) || process.exitCode() != 0) {
            state.SkipWithError("sqlite3 failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * rowCount);
}
BENCHMARK(BM_Sqlite3WriteCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadCsv(benchmark::State& state) {
    const QString path = benchFolder().filePath(QStringLiteral("in.csv"));
    writeTable(QStringLiteral("CSV"), path, 50000);
    for (auto _ : state) {
        vel::DelimitedReader reader;
        reader.open(path);
        QStringList fields;
        qint64 count = 0;
        while (reader.readRecord(fields)) {
            count += fields.size();
        }
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * 50000);
}
BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    vel::bench::runWithPeerRatios(
        argc, argv, {{"BM_WriteCsv", "BM_Sqlite3WriteCsv"}, {"BM_WriteXlsx", "BM_WriteCsv"}});
    return 0;
}

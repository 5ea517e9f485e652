// The typed cell makers give what fromValue gives for the same value in every kind of column;
// the bytes a cell appends are its text, digit for digit; and a file written from typed cells
// is the file written from values.
#include "TransferTestSupport.h"

#include "platform/transfer/ExportRow.h"

#include <QTemporaryDir>
#include <cmath>
#include <limits>

namespace vel::testing {
namespace {

// Every member of a cell, to compare two cells in one assertion.
std::string describe(const ExportCell& cell) {
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(int(cell.kind))
        .arg(cell.text)
        .arg(cell.number, 0, 'g', 17)
        .arg(cell.decimals)
        .arg(cell.date.toString(Qt::ISODate), cell.time.toString(Qt::ISODate))
        .arg(cell.boolean)
        .toStdString();
}

// A column of every kind, numbers with several decimals, and a length code kept as a number in
// a date-coded column.
QList<ExportColumn> everyKindOfColumn() {
    QList<ExportColumn> columns;
    for (const int code :
         {ExportColumn::TextCode, ExportColumn::IntegerCode, ExportColumn::DateCode,
          ExportColumn::TimeCode, ExportColumn::BooleanCode}) {
        columns.append({1, QStringLiteral("C"), code, 20});
    }
    for (const int decimals : {0, 1, 2, 4, 6, 15}) {
        columns.append({1, QStringLiteral("N"), ExportColumn::NumberCode, 20, decimals});
    }
    ExportColumn lengthCode{1, QStringLiteral("L"), ExportColumn::DateCode, 2};
    lengthCode.valueKind = ExportColumnKind::Integer;
    columns.append(lengthCode);
    return columns;
}

TEST(ExportCellMakers, GiveWhatFromValueGivesInEveryKindOfColumn) {
    const double numbers[] = {
        0.0,   -0.0,       7.0,  -0.004, 2.675,
        0.125, -1234.5678, 1e20, 0.1,    std::numeric_limits<double>::quiet_NaN()};
    const QString texts[] = {QString(),
                             QStringLiteral(""),
                             QStringLiteral("12.5"),
                             QStringLiteral("abc"),
                             QStringLiteral("2024/03/31"),
                             QStringLiteral("07:30"),
                             QStringLiteral("Yes"),
                             QStringLiteral(" 3 "),
                             QStringLiteral(" Cases"),
                             QStringLiteral("inf"),
                             QStringLiteral("-inf"),
                             QStringLiteral("nan"),
                             QStringLiteral("Infinity"),
                             QStringLiteral("e5"),
                             QStringLiteral(".5"),
                             QStringLiteral("+7"),
                             QStringLiteral("\u00c9t\u00e9"),
                             QStringLiteral("1e3")};
    const QDate dates[] = {QDate(), QDate(2024, 2, 29), QDate(5, 1, 2)};
    for (const ExportColumn& column : everyKindOfColumn()) {
        SCOPED_TRACE(QStringLiteral("type code %1, %2 decimals")
                         .arg(column.typeCode)
                         .arg(column.decimals)
                         .toStdString());
        for (const double number : numbers) {
            EXPECT_EQ(describe(ExportCell::fromNumber(column, number)),
                      describe(ExportCell::fromValue(column, number)))
                << number;
        }
        for (const QString& text : texts) {
            EXPECT_EQ(describe(ExportCell::fromText(column, text)),
                      describe(ExportCell::fromValue(column, text)))
                << text.toStdString();
        }
        for (const QDate& date : dates) {
            EXPECT_EQ(describe(ExportCell::fromDate(column, date)),
                      describe(ExportCell::fromValue(column, date)))
                << date.toString(Qt::ISODate).toStdString();
        }
        for (const bool flag : {true, false}) {
            EXPECT_EQ(describe(ExportCell::fromFlag(column, flag)),
                      describe(ExportCell::fromValue(column, flag)))
                << flag;
        }
        for (const QTime& time : {QTime(), QTime(0, 0), QTime(7, 30), QTime(23, 59, 59)}) {
            EXPECT_EQ(describe(ExportCell::fromTime(column, time)),
                      describe(ExportCell::fromValue(column, time)))
                << time.toString(Qt::ISODate).toStdString();
        }
    }
}

TEST(ExportRows, FillTheColumnsInOrderAndRefuseRowsOfTheWrongWidth) {
    const QList<ExportColumn> columns = {
        {1, QStringLiteral("CODE"), ExportColumn::TextCode, 10},
        {2, QStringLiteral("RATE"), ExportColumn::NumberCode, 10, 2},
        {3, QStringLiteral("ON"), ExportColumn::SmallIntegerCode, 2},
        {4, QStringLiteral("HIRED"), ExportColumn::DateCode, 8},
        {5, QStringLiteral("START"), ExportColumn::TimeCode, 8}};
    ExportRow row(columns);
    const QVariantList values = {QStringLiteral("PICK"), 12.345, true, QDate(2024, 3, 31),
                                 QTime(7, 30)};
    const auto expectRow = [&](const QList<ExportCell>& cells) {
        ASSERT_EQ(cells.size(), columns.size());
        for (qsizetype index = 0; index < columns.size(); ++index) {
            EXPECT_EQ(describe(cells[index]),
                      describe(ExportCell::fromValue(columns[index], values[index])))
                << index;
        }
    };
    const auto fillSample = [&]() -> const QList<ExportCell>& {
        return row.text(QStringLiteral("PICK"))
            .number(12.345)
            .flag(true)
            .date(QDate(2024, 3, 31))
            .time(QTime(7, 30))
            .finished();
    };
    // The same row twice: the second filling replaces every cell of the first.
    expectRow(fillSample());
    expectRow(fillSample());
    row.text(QStringLiteral("SHORT")).number(1);
    EXPECT_THROW(row.finished(), ExportError);
    row.text(QStringLiteral("LONG"))
        .number(1)
        .flag(false)
        .date({})
        .time({})
        .text(QStringLiteral("extra"));
    try {
        row.finished();
        ADD_FAILURE() << "a row with more values than columns was taken";
    } catch (const ExportError& error) {
        EXPECT_TRUE(
            error.description().contains(QStringLiteral("more than 5 values for 5 columns")))
            << error.description().toStdString();
    }
    // After a refusal the row starts again at the first column.
    expectRow(fillSample());
}

TEST(ExportCellBytes, AreTheCellsTextDigitForDigit) {
    // Halves and near-halves at every number of decimals (rounding must happen once, when the
    // cell is made), large and tiny values, both signs, and values too large for the fast path.
    QList<double> numbers = {0.0,   -0.0,   0.5,      1.5,       2.5,      0.125,         0.375,
                             2.675, 1.005,  -2.675,   1e-7,      -1e-7,    123456789.125, 1e15,
                             -1e15, 1.5e16, 9.99e300, 0.1 + 0.2, 1.0 / 3.0};
    for (int step = -2000; step <= 2000; ++step) {
        numbers.append(step * 0.0005 + step * step * 1e-3);
    }
    for (const double special :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        numbers.append(special);
    }
    for (int step = 1; step < 3000; ++step) {
        numbers.append(std::ldexp(double(step * 7919 % 104729), -(step % 40)) *
                       (step % 2 ? 1 : -1));
    }
    for (const int decimals : {0, 1, 2, 3, 4, 5, 6, 7, 9, 15}) {
        const ExportColumn column{1, QStringLiteral("N"), ExportColumn::NumberCode, 30, decimals};
        for (const double number : numbers) {
            const ExportCell cell = ExportCell::fromNumber(column, number);
            std::string bytes("x");
            cell.appendUtf8(bytes);
            ASSERT_EQ(bytes, "x" + cell.toText().toStdString()) << number << " at " << decimals;
        }
    }
    const ExportColumn dateColumn{1, QStringLiteral("D"), ExportColumn::DateCode, 8};
    for (const QDate& date :
         {QDate(1, 1, 1), QDate(5, 6, 7), QDate(999, 12, 31), QDate(2024, 2, 29),
          QDate(9999, 12, 31), QDate(10000, 1, 1), QDate(-44, 3, 15)}) {
        const ExportCell cell = ExportCell::fromDate(dateColumn, date);
        std::string bytes;
        cell.appendUtf8(bytes);
        EXPECT_EQ(bytes, cell.toText().toStdString()) << date.toString(Qt::ISODate).toStdString();
    }
}

// Starts an output of the sample columns.
void startSample(ExportWriter& writer, const QString& type, const QString& path) {
    ASSERT_TRUE(writer.create(type, path, QStringLiteral("T"), {.headerLine = true}).ok());
    for (const ExportColumn& column : sampleColumns()) {
        ASSERT_TRUE(writer.addColumn(column).ok());
    }
}

TEST(ExportCells, WriteTheFileTheValuesWrite) {
    QTemporaryDir folder;
    for (const QString& type : {QStringLiteral("CSV"), QStringLiteral("TXT")}) {
        const QString fromValues = folder.filePath(QStringLiteral("values.") + type);
        const QString fromCells = folder.filePath(QStringLiteral("cells.") + type);
        ExportWriter byValue;
        ExportWriter byCell;
        startSample(byValue, type, fromValues);
        startSample(byCell, type, fromCells);
        for (const QVariantList& row : sampleRows()) {
            ASSERT_TRUE(byValue.addRow(row).ok());
            QList<ExportCell> cells;
            for (qsizetype index = 0; index < sampleColumns().size(); ++index) {
                cells.append(ExportCell::fromValue(sampleColumns()[index], row.value(index)));
            }
            ASSERT_TRUE(byCell.addCells(cells).ok());
        }
        ASSERT_TRUE(byValue.close().ok());
        ASSERT_TRUE(byCell.close().ok());
        EXPECT_EQ(fileBytes(fromCells), fileBytes(fromValues)) << type.toStdString();
    }
    // A row of the wrong width is refused, names the file and leaves no file behind.
    ExportWriter writer;
    const QString refusedPath = folder.filePath(QStringLiteral("refused.csv"));
    startSample(writer, QStringLiteral("CSV"), refusedPath);
    const ExportStatus refused = writer.addCells({ExportCell{}});
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.message().contains(refusedPath)) << refused.message().toStdString();
    EXPECT_FALSE(QFile::exists(refusedPath));
}

}  // namespace
}  // namespace vel::testing

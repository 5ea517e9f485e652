#pragma once
// Helpers shared by the transfer tests: the small table every output type writes, reading a
// file back, reading one entry of a zip file, and the cells of an XLSX worksheet.
#include "platform/transfer/DelimitedReader.h"
#include "platform/transfer/ExportWriter.h"

#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QMap>
#include <QTime>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <zip.h>

namespace vel::testing {

inline QList<ExportColumn> sampleColumns() {
    return {{1, QStringLiteral("CODE"), ExportColumn::TextCode, 10},
            {2, QStringLiteral("DESC"), ExportColumn::TextCode, 30},
            {3, QStringLiteral("RECORD"), ExportColumn::IntegerCode, 5},
            {4, QStringLiteral("SHIFT"), ExportColumn::SmallIntegerCode, 2},
            {5, QStringLiteral("WAGERATE"), ExportColumn::NumberCode, 10, 2},
            {6, QStringLiteral("HIREDATE"), ExportColumn::DateCode, 8},
            {7, QStringLiteral("STARTTIME"), ExportColumn::TimeCode, 8},
            {8, QStringLiteral("ONPAYROLL"), ExportColumn::SmallIntegerCode, 2},
            {9, QStringLiteral("FLD-AHRS"), ExportColumn::IntegerCode, 5},
            {10, QStringLiteral("ELM_DESC1"), ExportColumn::SmallIntegerCode, 30},
            {11, QStringLiteral("ACTIVE"), ExportColumn::BooleanCode, 1}};
}

inline QList<QVariantList> sampleRows() {
    return {
        {QStringLiteral("PICK"), QStringLiteral("Case Picking, \"fast\"; aisle 3"), 12, 1, 7.126,
         QDate(2024, 2, 29), QTime(7, 30), true, 5, QStringLiteral("Cases"), true},
        {QStringLiteral("=1+1"), QStringLiteral("Café é"), -5, QStringLiteral("2"), -3.5,
         QStringLiteral("2023/12/31"), QStringLiteral("22:05"), false, QString(),
         QStringLiteral("-Lines"), QStringLiteral("No")},
        {QStringLiteral("@SUM(A1)"), QVariant(), 0},
    };
}

// Writes the sample table in one output type; fails the test on any error.
inline void writeSample(const QString& type, const QString& path, const QString& tableName,
                        ExportOptions options = {}) {
    ExportWriter writer;
    ASSERT_TRUE(writer.create(type, path, tableName, options).ok());
    for (const ExportColumn& column : sampleColumns()) {
        ASSERT_TRUE(writer.addColumn(column).ok()) << column.name.toStdString();
    }
    for (const QVariantList& row : sampleRows()) {
        const ExportStatus status = writer.addRow(row);
        ASSERT_TRUE(status.ok()) << status.message().toStdString();
    }
    const ExportStatus status = writer.close();
    ASSERT_TRUE(status.ok()) << status.message().toStdString();
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Every record of delimited bytes, read through a DelimitedReader.
inline QList<QStringList> readRecords(const QByteArray& bytes, DelimitedReaderOptions options = {},
                                      DelimitedReader* reader = nullptr) {
    DelimitedReader own(std::move(options));
    DelimitedReader& used = reader ? *reader : own;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QList<QStringList> records;
    if (!used.open(buffer, QStringLiteral("memory")).ok()) {
        return records;
    }
    QStringList fields;
    while (used.readRecord(fields)) {
        records.append(fields);
    }
    return records;
}

// One entry of a zip file, or a null array when it is missing.
inline QByteArray zipEntry(const QString& archivePath, const char* name) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &error);
    if (!archive) {
        return {};
    }
    QByteArray bytes;
    zip_stat_t stat;
    if (zip_stat(archive, name, 0, &stat) == 0) {
        if (zip_file_t* entry = zip_fopen(archive, name, 0)) {
            bytes.resize(qsizetype(stat.size));
            const zip_int64_t read = zip_fread(entry, bytes.data(), stat.size);
            bytes.resize(read < 0 ? 0 : qsizetype(read));
            zip_fclose(entry);
        }
    }
    zip_discard(archive);
    return bytes;
}

// A worksheet cell as stored: its type attribute, style index, value text, and whether it
// holds a formula.
struct SheetCell {
    QString type;  // "" number, "s" shared string, "inlineStr", "str", "b"
    int style = 0;
    QString value;
    bool formula = false;
};

// The cells of xl/worksheets/sheet1.xml by reference ("A1"), strings resolved to their text.
inline QMap<QString, SheetCell> sheetCells(const QString& workbookPath) {
    QStringList shared;
    QXmlStreamReader strings(zipEntry(workbookPath, "xl/sharedStrings.xml"));
    while (!strings.atEnd()) {
        if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == u"si") {
            shared.append(strings.readElementText(QXmlStreamReader::IncludeChildElements));
        }
    }
    QMap<QString, SheetCell> cells;
    QXmlStreamReader sheet(zipEntry(workbookPath, "xl/worksheets/sheet1.xml"));
    QString reference;
    while (!sheet.atEnd()) {
        if (sheet.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (sheet.name() == u"c") {
            reference = sheet.attributes().value(QLatin1String("r")).toString();
            SheetCell& cell = cells[reference];
            cell.type = sheet.attributes().value(QLatin1String("t")).toString();
            cell.style = sheet.attributes().value(QLatin1String("s")).toInt();
        } else if (sheet.name() == u"f") {
            cells[reference].formula = true;
        } else if (sheet.name() == u"v") {
            SheetCell& cell = cells[reference];
            cell.value = sheet.readElementText();
            if (cell.type == u"s") {
                cell.value = shared.value(cell.value.toInt());
            }
        } else if (sheet.name() == u"is") {
            cells[reference].value =
                sheet.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    return cells;
}

// The number format code of each cell style (index into cellXfs) of a workbook.
inline QStringList styleFormats(const QString& workbookPath) {
    QMap<int, QString> codes = {{0, QStringLiteral("General")},
                                {14, QStringLiteral("m/d/yyyy")}};
    QStringList formats;
    QXmlStreamReader styles(zipEntry(workbookPath, "xl/styles.xml"));
    bool inCellStyles = false;
    while (!styles.atEnd()) {
        const auto token = styles.readNext();
        if (token == QXmlStreamReader::EndElement && styles.name() == u"cellXfs") {
            inCellStyles = false;
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        if (styles.name() == u"numFmt") {
            codes[styles.attributes().value(QLatin1String("numFmtId")).toInt()] =
                styles.attributes().value(QLatin1String("formatCode")).toString();
        } else if (styles.name() == u"cellXfs") {
            inCellStyles = true;
        } else if (inCellStyles && styles.name() == u"xf") {
            formats.append(codes.value(styles.attributes().value(QLatin1String("numFmtId")).toInt()));
        }
    }
    return formats;
}

}  // namespace vel::testing

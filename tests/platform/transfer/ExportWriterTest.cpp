// Every output type writes the same small table and reads back with the matching reader: CSV
// and TXT through the delimited reader, XLSX through its worksheet XML, DBF through the xBase
// layer. Failures leave no file behind and name the file.
#include "TransferTestSupport.h"

#include "platform/transfer/ExportOutputType.h"
#include "platform/xbase/Table.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace vel::testing {

namespace {

// The files in a folder, hidden ones included (temporary outputs start with a dot).
QStringList folderContents(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace

TEST(ExportOutputTypes, ListEveryTypeWithClassExtensionAndDescription) {
    QStringList names;
    for (const ExportOutputType& type : ExportWriter::outputTypes()) {
        names.append(type.name);
        EXPECT_TRUE(type.typeClass == 1 || type.typeClass == 2) << type.name.toStdString();
        EXPECT_FALSE(type.description.isEmpty());
        EXPECT_EQ(type.extension, type.name.toLower());
    }
    EXPECT_EQ(names, (QStringList{"CSV", "TXT", "XLSX", "DBF"}));
    EXPECT_EQ(ExportOutputType::find(u" xlsx ")->name, QStringLiteral("XLSX"));
    EXPECT_EQ(ExportOutputType::find(u".dbf")->typeClass, ExportOutputType::TableClass);
    EXPECT_EQ(ExportOutputType::find(u"csv")->typeClass, ExportOutputType::TextClass);
    EXPECT_FALSE(ExportOutputType::find(u"PDF").has_value());
}

TEST(ExportCsv, WritesQuotedUtf8LinesWithHeaderAndGuardedFormulas) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("ACTIVITY.csv"));
    writeSample(QStringLiteral("csv"), path, QStringLiteral("Table1"), {.headerLine = true});
    const QByteArray expected =
        "CODE,DESC,RECORD,SHIFT,WAGERATE,HIREDATE,STARTTIME,ONPAYROLL,FLD-AHRS,ELM_DESC1,ACTIVE"
        "\r\n"
        "PICK,\"Case Picking, \"\"fast\"\"; aisle 3\",12,1,7.13,2024/02/29,07:30,-1,5,Cases,Yes"
        "\r\n"
        "'=1+1,Caf\xC3\xA9 \xC3\xA9,-5,2,-3.50,2023/12/31,22:05,0,,'-Lines,No\r\n"
        "'@SUM(A1),,0,,,,,,,,\r\n";
    EXPECT_EQ(fileBytes(path), expected);
    EXPECT_EQ(folderContents(folder.path()), QStringList{"ACTIVITY.csv"});

    // Read back: the header is skipped as a row, the guards come off, numbers stay signed.
    DelimitedReaderOptions options;
    options.rowsToSkip = 1;
    const QList<QStringList> records = readRecords(fileBytes(path), options);
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0][1], QStringLiteral("Case Picking, \"fast\"; aisle 3"));
    EXPECT_EQ(records[1], (QStringList{"=1+1", "Café é", "-5", "2", "-3.50", "2023/12/31", "22:05",
                                       "0", "", "-Lines", "No"}));
    EXPECT_EQ(records[2].first(), QStringLiteral("@SUM(A1)"));
    EXPECT_EQ(records[2].size(), 11);
}

TEST(ExportCsv, QuotesAndGuardsEveryKindOfTextByteForByte) {
    // Texts that need quotes, a guard, both, or neither; in ASCII and beyond it.
    const std::pair<QString, QByteArray> cases[] = {
        {QStringLiteral("plain text"), "plain text"},
        {QStringLiteral("=1,2"), "\"'=1,2\""},
        {QStringLiteral("-5"), "'-5"},
        {QStringLiteral("'=x"), "''=x"},
        {QStringLiteral("say \"hi\""), "\"say \"\"hi\"\"\""},
        {QStringLiteral("a;b"), "\"a;b\""},
        {QStringLiteral("tab\there"), "\"tab\there\""},
        {QStringLiteral("Caf\u00e9"), "Caf\xc3\xa9"},
        {QStringLiteral("Caf\u00e9, \"x\""), "\"Caf\xc3\xa9, \"\"x\"\"\""},
        {QStringLiteral("+\u00e9;"), "\"'+\xc3\xa9;\""},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("texts.csv"));
    ExportWriter writer;
    ASSERT_TRUE(writer.create(QStringLiteral("CSV"), path, QStringLiteral("T")).ok());
    ASSERT_TRUE(writer.addColumn(1, QStringLiteral("TEXT"), ExportColumn::TextCode, 40).ok());
    ASSERT_TRUE(writer.addColumn(2, QStringLiteral("N"), ExportColumn::IntegerCode, 5).ok());
    QByteArray expected;
    for (const auto& [text, bytes] : cases) {
        ASSERT_TRUE(writer.addRow({text, 7}).ok());
        expected += bytes + ",7\r\n";
    }
    ASSERT_TRUE(writer.close().ok());
    EXPECT_EQ(fileBytes(path).toStdString(), expected.toStdString());
}

TEST(ExportTxt, WritesTabsWithoutHeaderUnlessAskedAndWithByteOrderMarkWhenAsked) {
    QTemporaryDir folder;
    const QString plain = folder.filePath(QStringLiteral("plain.txt"));
    writeSample(QStringLiteral("TXT"), plain, QStringLiteral("Table1"));
    const QByteArray bytes = fileBytes(plain);
    EXPECT_TRUE(bytes.startsWith("PICK\t\"Case Picking, \"\"fast\"\"; aisle 3\"\t12\t1\t7.13\t"));
    const QList<QStringList> records = readRecords(bytes);
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0][0], QStringLiteral("PICK"));
    EXPECT_EQ(records[1][0], QStringLiteral("=1+1"));

    const QString marked = folder.filePath(QStringLiteral("marked.txt"));
    writeSample(QStringLiteral("TXT"), marked, QStringLiteral("Table1"),
                {.headerLine = true, .byteOrderMark = true});
    const QByteArray markedBytes = fileBytes(marked);
    EXPECT_TRUE(
        markedBytes.startsWith("\xEF\xBB\xBF"
                               "CODE\tDESC\tRECORD\t"));
    DelimitedReader reader;
    const QList<QStringList> withHeader = readRecords(markedBytes, {}, &reader);
    EXPECT_EQ(reader.separator(), '\t');
    EXPECT_EQ(reader.encoding(), TextEncoding::Utf8);
    ASSERT_EQ(withHeader.size(), 4);
    EXPECT_EQ(withHeader[0][0], QStringLiteral("CODE"));
    EXPECT_EQ(withHeader[2][1], QStringLiteral("Café é"));
}

TEST(ExportXlsx, WritesNumbersDatesAndTimesAsValuesAndTextNeverAsFormula) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("ASSOCIAT.xlsx"));
    writeSample(QStringLiteral("XLSX"), path, QStringLiteral("ValTable"));
    EXPECT_EQ(folderContents(folder.path()), QStringList{"ASSOCIAT.xlsx"});
    EXPECT_TRUE(zipEntry(path, "xl/workbook.xml").contains("name=\"ValTable\""));

    const QMap<QString, SheetCell> cells = sheetCells(path);
    const QStringList formats = styleFormats(path);
    ASSERT_FALSE(cells.isEmpty());
    EXPECT_EQ(cells["A1"].value, QStringLiteral("CODE"));
    EXPECT_EQ(cells["I1"].value, QStringLiteral("FLD-AHRS"));

    EXPECT_EQ(cells["C2"].type, QString());  // RECORD 12: a number
    EXPECT_EQ(cells["C2"].value, QStringLiteral("12"));
    EXPECT_EQ(cells["C3"].value, QStringLiteral("-5"));
    EXPECT_EQ(cells["E2"].value.toDouble(), 7.13);
    EXPECT_EQ(formats.value(cells["E2"].style), QStringLiteral("0.00"));
    EXPECT_EQ(cells["H2"].value, QStringLiteral("-1"));  // Boolean in a number column

    const double serial = QDate(1899, 12, 30).daysTo(QDate(2024, 2, 29));
    EXPECT_EQ(cells["F2"].type, QString());
    EXPECT_EQ(cells["F2"].value.toDouble(), serial);
    EXPECT_EQ(formats.value(cells["F2"].style), QStringLiteral("yyyy/mm/dd"));
    EXPECT_EQ(cells["F3"].value.toDouble(), QDate(1899, 12, 30).daysTo(QDate(2023, 12, 31)));
    EXPECT_DOUBLE_EQ(cells["G2"].value.toDouble(), 7.5 / 24);
    EXPECT_EQ(formats.value(cells["G2"].style), QStringLiteral("hh:mm"));
    EXPECT_EQ(cells["K2"].type, QStringLiteral("b"));
    EXPECT_EQ(cells["K2"].value, QStringLiteral("1"));

    for (const QString reference : {"A3", "J3", "A4"}) {
        const SheetCell& cell = cells[reference];
        EXPECT_TRUE(cell.type == u"s" || cell.type == u"inlineStr") << reference.toStdString();
        EXPECT_FALSE(cell.formula) << reference.toStdString();
    }
    EXPECT_EQ(cells["A3"].value, QStringLiteral("=1+1"));
    EXPECT_EQ(cells["J3"].value, QStringLiteral("-Lines"));
    EXPECT_EQ(cells["B3"].value, QStringLiteral("Café é"));
    EXPECT_FALSE(cells.contains("B4"));  // empty values leave no cell
}

TEST(ExportDbf, WritesTypedFieldsThatTheXbaseLayerReadsBack) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("WORKCNTR.dbf"));
    writeSample(QStringLiteral("DBF"), path, QStringLiteral("Table1"));
    EXPECT_EQ(folderContents(folder.path()), QStringList{"WORKCNTR.dbf"});

    xbase::Table table;
    ASSERT_TRUE(table.open(path, xbase::OpenOptions::readOnlyShared()).ok());
    QStringList layout;
    for (const xbase::FieldDescriptor& field : table.fields()) {
        layout.append(QStringLiteral("%1 %2%3.%4")
                          .arg(field.name, QString(QLatin1Char(char(field.type))))
                          .arg(field.length)
                          .arg(field.decimals));
    }
    EXPECT_EQ(layout,
              (QStringList{"CODE C10.0", "DESC C30.0", "RECORD N5.0", "SHIFT N2.0",
                           "WAGERATE N10.2", "HIREDATE D8.0", "STARTTIME C8.0", "ONPAYROLL N2.0",
                           "FLD_AHRS N5.0", "ELM_DESC1 C30.0", "ACTIVE L1.0"}));
    EXPECT_EQ(table.header().languageDriver, 0x03);
    ASSERT_EQ(table.recordCount(), 3u);
    ASSERT_TRUE(table.go(1).ok());
    EXPECT_EQ(table.text(0), QStringLiteral("PICK"));
    EXPECT_EQ(table.text(1), QStringLiteral("Case Picking, \"fast\"; aisle 3"));
    EXPECT_EQ(table.number(2), 12.0);
    EXPECT_EQ(table.number(4), 7.13);
    EXPECT_EQ(table.date(5), QDate(2024, 2, 29));
    EXPECT_EQ(table.text(6), QStringLiteral("07:30"));
    EXPECT_EQ(table.number(7), -1.0);
    EXPECT_EQ(table.text(9), QStringLiteral("Cases"));
    EXPECT_EQ(table.logical(10), std::optional<bool>(true));
    ASSERT_TRUE(table.go(2).ok());
    EXPECT_EQ(table.text(0), QStringLiteral("=1+1"));  // no spreadsheet reads a DBF as formulas
    EXPECT_EQ(table.rawField(1).left(6), QByteArray("Caf\xE9 \xE9"));
    EXPECT_EQ(table.number(2), -5.0);
    EXPECT_EQ(table.number(8), std::nullopt);
    EXPECT_EQ(table.logical(10), std::optional<bool>(false));
    ASSERT_TRUE(table.go(3).ok());
    EXPECT_EQ(table.date(5), QDate());
    EXPECT_EQ(table.text(9), QString());
}

TEST(ExportFailures, LeaveNoFileAndNameThePath) {
    QTemporaryDir folder;
    writeBytes(folder.filePath(QStringLiteral("afile")), "not a folder");
    for (const ExportOutputType& type : ExportWriter::outputTypes()) {
        // A folder below a plain file cannot be written, not even by root.
        const QString path = folder.filePath(QStringLiteral("afile/out.") + type.extension);
        ExportWriter writer;
        ASSERT_TRUE(writer.create(type.name, path, QStringLiteral("Table1")).ok());
        ASSERT_TRUE(writer.addColumn(1, QStringLiteral("CODE"), ExportColumn::TextCode, 10).ok());
        ExportStatus status = writer.addRow({QStringLiteral("A1")});
        if (status.ok()) {
            status = writer.close();
        }
        EXPECT_FALSE(status.ok()) << type.name.toStdString();
        EXPECT_EQ(status.code(), ExportErrorCode::CreateFailed) << type.name.toStdString();
        EXPECT_TRUE(status.message().contains(path)) << status.message().toStdString();
        EXPECT_FALSE(writer.isOpen());
        EXPECT_EQ(writer.addRow().code(), ExportErrorCode::NotOpen);
    }
    EXPECT_EQ(folderContents(folder.path()), QStringList{"afile"});
}

TEST(ExportFailures, AFailedRewriteKeepsTheOldFile) {
    QTemporaryDir folder;
    const QString dbf = folder.filePath(QStringLiteral("OLD.dbf"));
    const QString xlsx = folder.filePath(QStringLiteral("OLD.xlsx"));
    const QString csv = folder.filePath(QStringLiteral("OLD.csv"));
    for (const QString& path : {dbf, xlsx, csv}) {
        writeBytes(path, "old contents");
    }
    {
        ExportWriter writer;  // a number too large for its N field
        ASSERT_TRUE(writer.create(QStringLiteral("DBF"), dbf, QStringLiteral("Table1")).ok());
        ASSERT_TRUE(writer.addColumn(1, QStringLiteral("RECORD"), 4, 5).ok());
        ASSERT_TRUE(writer.addRow({12}).ok());
        const ExportStatus status = writer.addRow({123456});
        EXPECT_EQ(status.code(), ExportErrorCode::ValueRejected);
        EXPECT_TRUE(status.message().startsWith(dbf)) << status.message().toStdString();
        EXPECT_FALSE(status.message().contains(QStringLiteral(".tmp")));
    }
    {
        ExportWriter writer;  // a text longer than a worksheet cell holds
        ASSERT_TRUE(writer.create(QStringLiteral("XLSX"), xlsx, QStringLiteral("Table1")).ok());
        ASSERT_TRUE(writer.addColumn(1, QStringLiteral("DESC"), 9, 30).ok());
        const ExportStatus status = writer.addRow({QString(40000, u'x')});
        EXPECT_EQ(status.code(), ExportErrorCode::WriteFailed);
        EXPECT_TRUE(status.message().startsWith(xlsx));
    }
    {
        ExportWriter writer;  // rows written, then dropped without closing
        ASSERT_TRUE(writer.create(QStringLiteral("CSV"), csv, QStringLiteral("Table1")).ok());
        ASSERT_TRUE(writer.addColumn(1, QStringLiteral("CODE"), 9, 10).ok());
        ASSERT_TRUE(writer.addRow({QStringLiteral("NEW")}).ok());
    }
    for (const QString& path : {dbf, xlsx, csv}) {
        EXPECT_EQ(fileBytes(path), QByteArray("old contents")) << path.toStdString();
    }
    EXPECT_EQ(folderContents(folder.path()), (QStringList{"OLD.csv", "OLD.dbf", "OLD.xlsx"}));
}

// What a killed writer left beside the target goes with the next export to that target, once
// it has not changed for an hour; a fresh one may be a live writer's, and other files stay.
TEST(ExportFailures, ALaterExportRemovesOnlyTheStaleLeftoversOfItsOwnTarget) {
    QTemporaryDir folder;
    const QStringList stale{QStringLiteral(".out.csv.0123abcd.tmp"),
                            QStringLiteral(".out.csv.0123abcd.tmp.4567cdef.tmp")};
    const QStringList kept{
        QStringLiteral(".out.csv.89abcdef.tmp"),  // fresh
        QStringLiteral("out.csv.backup"), QStringLiteral(".other.csv.0123abcd.tmp"),
        QStringLiteral(".out.csv.notahex.tmp"), QStringLiteral(".out.csv.0123abcd")};
    for (const QString& name : stale + kept) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        if (name != kept.first()) {
            ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-7200),
                                         QFileDevice::FileModificationTime));
        }
    }
    ExportWriter writer;
    ASSERT_TRUE(writer
                    .create(QStringLiteral("CSV"), folder.filePath(QStringLiteral("out.csv")),
                            QStringLiteral("Table1"))
                    .ok());
    ASSERT_TRUE(writer.addColumn(1, QStringLiteral("CODE"), ExportColumn::TextCode, 10).ok());
    ASSERT_TRUE(writer.addRow({QStringLiteral("A1")}).ok());
    ASSERT_TRUE(writer.close().ok());
    QStringList expected = kept + QStringList{QStringLiteral("out.csv")};
    expected.sort();
    EXPECT_EQ(folderContents(folder.path()), expected);
}

TEST(ExportFailures, RefuseUnknownTypesAndBadColumns) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.csv"));
    ExportWriter writer;
    EXPECT_EQ(writer.create(QStringLiteral("PDF"), path, QStringLiteral("Table1")).code(),
              ExportErrorCode::UnknownOutputType);
    EXPECT_EQ(writer.addColumn(1, QStringLiteral("A"), 9, 10).code(), ExportErrorCode::NotOpen);

    ASSERT_TRUE(writer.create(QStringLiteral("CSV"), path, QStringLiteral("Table1")).ok());
    EXPECT_EQ(writer.addColumn(1, QStringLiteral("A"), 5, 10).code(), ExportErrorCode::BadColumn);
    ASSERT_TRUE(writer.create(QStringLiteral("CSV"), path, QStringLiteral("Table1")).ok());
    ASSERT_TRUE(writer.addColumn(1, QStringLiteral("A"), 9, 10).ok());
    EXPECT_EQ(writer.addColumn(1, QStringLiteral("B"), 9, 10).code(), ExportErrorCode::BadColumn);
    ASSERT_TRUE(writer.create(QStringLiteral("CSV"), path, QStringLiteral("Table1")).ok());
    ASSERT_TRUE(writer.addColumn(1, QStringLiteral("A"), 9, 10).ok());
    ASSERT_TRUE(writer.addColumn(3, QStringLiteral("C"), 9, 10).ok());
    const ExportStatus gap = writer.addRow();
    EXPECT_EQ(gap.code(), ExportErrorCode::BadColumn);
    EXPECT_TRUE(gap.message().contains(QStringLiteral("position 2")));
    EXPECT_FALSE(QFile::exists(path));

    // Columns may be declared out of order; the file follows the positions.
    ASSERT_TRUE(
        writer.create(QStringLiteral("CSV"), path, QStringLiteral("Table1"), {.headerLine = true})
            .ok());
    ASSERT_TRUE(writer.addColumn(2, QStringLiteral("B"), 9, 10).ok());
    ASSERT_TRUE(writer.addColumn(1, QStringLiteral("A"), 9, 10).ok());
    ASSERT_TRUE(writer.setValue(2, QStringLiteral("two")).ok());
    ASSERT_TRUE(writer.setValue(1, QStringLiteral("one")).ok());
    ASSERT_TRUE(writer.addRow().ok());
    ASSERT_TRUE(writer.addRow().ok());  // values do not carry over to the next row
    ASSERT_TRUE(writer.close().ok());
    EXPECT_EQ(fileBytes(path), QByteArray("A,B\r\none,two\r\n,\r\n"));
    EXPECT_EQ(writer.rowCount(), 2);
}

}  // namespace vel::testing

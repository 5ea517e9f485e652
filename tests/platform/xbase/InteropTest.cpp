// Tables travel between this layer and other xBase readers and writers: an independent Python
// reader (plain struct unpacking) must see exactly what vxbase dumps, and tables written by
// shapelib's DBF module are read here (and ours by it).
#include "XbaseTestSupport.h"

#include <shapefil.h>
#include <QCoreApplication>
#include <QProcess>

namespace vel::xbase::testing {
namespace {

// Reads a dBase III table with nothing but struct unpacking and prints the live records as CSV,
// in the form vxbase dump uses.
const char* pythonReader = R"PY(
import csv, struct, sys
data = open(sys.argv[1], 'rb').read()
version, yy, mm, dd, count, header_length, record_length = struct.unpack('<BBBBIHH', data[:12])
assert version == 3, version
fields, position = [], 32
while data[position] != 0x0D:
    name = data[position:position + 11].split(b'\0')[0].decode('ascii')
    fields.append((name, chr(data[position + 11]), data[position + 16]))
    position += 32
assert position + 1 == header_length
assert len(data) == header_length + count * record_length + 1
assert data[-1] == 0x1A
sys.stdout.reconfigure(encoding='utf-8')
out = csv.writer(sys.stdout, lineterminator='\n')
out.writerow([field[0] for field in fields])
for number in range(count):
    record = data[header_length + number * record_length:][:record_length]
    if record[0:1] == b'*':
        continue
    assert record[0:1] == b' '
    offset, row = 1, []
    for name, kind, length in fields:
        raw = record[offset:offset + length]
        offset += length
        if kind == 'C':
            row.append(raw.decode('cp1252').rstrip(' '))
        elif kind == 'N':
            row.append(raw.decode('ascii').strip())
        elif kind == 'D':
            text = raw.decode('ascii').strip()
            row.append(text[0:4] + '-' + text[4:6] + '-' + text[6:8] if text else '')
        else:
            row.append({'T': 'T', 'F': 'F'}.get(raw.decode('ascii'), ''))
    out.writerow(row)
)PY";

QByteArray runProgram(const QString& program, const QStringList& arguments, int* exitCode) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        *exitCode = -1;
        return {};
    }
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput() + process.readAllStandardError();
}

}  // namespace

TEST(XbaseInterop, AnIndependentPythonReaderSeesWhatVxbaseDumps) {
    const QString vxbase = QCoreApplication::applicationDirPath() + QStringLiteral("/vxbase");
    if (!QFile::exists(vxbase)) {
        GTEST_SKIP() << "vxbase is not built next to the tests";
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("PEOPLE.DBF"));
    const QString script = folder.filePath(QStringLiteral("reader.py"));
    ASSERT_TRUE(Table::create(path, allTypeFields()).ok());
    {
        Table table;
        ASSERT_TRUE(table.open(path).ok());
        const QStringList names = {QStringLiteral("Émile, Zola"), QStringLiteral("5€ \"cheap\""),
                                   QStringLiteral("plain"), QStringLiteral("gone"),
                                   QStringLiteral("Ørsted ß")};
        for (int row = 0; row < names.size(); ++row) {
            ASSERT_TRUE(table.appendBlank().ok());
            ASSERT_TRUE(table.setText(0, names[row]).ok());
            if (row != 2) {
                ASSERT_TRUE(table.setNumber(1, -12.5 * row).ok());
                ASSERT_TRUE(table.setNumber(2, row * 1000).ok());
                ASSERT_TRUE(table.setDate(3, QDate(2000 + row, row + 1, 28)).ok());
                ASSERT_TRUE(table.setLogical(4, row % 2 == 0).ok());
            }
            if (row == 3) {
                ASSERT_TRUE(table.deleteRecord().ok());
            }
        }
        ASSERT_TRUE(table.close().ok());
    }
    writeBytes(script, pythonReader);
    int pythonExit = 0;
    int vxbaseExit = 0;
    const QByteArray fromPython =
        runProgram(QStringLiteral("python3"), {script, path}, &pythonExit);
    const QByteArray fromVxbase = runProgram(vxbase, {QStringLiteral("dump"), path}, &vxbaseExit);
    ASSERT_EQ(pythonExit, 0) << fromPython.toStdString();
    ASSERT_EQ(vxbaseExit, 0) << fromVxbase.toStdString();
    EXPECT_EQ(fromVxbase, fromPython);
    EXPECT_TRUE(fromVxbase.contains("\"Émile, Zola\",-0.00") ||
                fromVxbase.contains("\"Émile, Zola\",0.00"))
        << fromVxbase.toStdString();
    EXPECT_TRUE(fromVxbase.contains("\"5€ \"\"cheap\"\"\",-12.50,1000,2001-02-28,F"))
        << fromVxbase.toStdString();
    EXPECT_FALSE(fromVxbase.contains("gone"));
    EXPECT_EQ(fromVxbase.count('\n'), 5);
}

TEST(XbaseInterop, ReadsAndWritesTablesOfShapelib) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("shape.dbf"));
    const QByteArray nativePath = QFile::encodeName(path);
    DBFHandle written = DBFCreate(nativePath.constData());
    ASSERT_NE(written, nullptr);
    DBFAddField(written, "NAME", FTString, 12, 0);
    DBFAddField(written, "AMOUNT", FTDouble, 9, 2);
    DBFAddField(written, "COUNT", FTInteger, 5, 0);
    DBFAddNativeFieldType(written, "HIRED", 'D', 8, 0);
    DBFAddNativeFieldType(written, "ACTIVE", 'L', 1, 0);
    for (int row = 0; row < 50; ++row) {
        const QByteArray name =
            row == 7 ? QByteArray("Caf\xE9 \x80") : "row" + QByteArray::number(row);
        DBFWriteStringAttribute(written, row, 0, name.constData());
        DBFWriteDoubleAttribute(written, row, 1, row * 1.25);
        DBFWriteIntegerAttribute(written, row, 2, row * 10);
        char hired[] = "20240131";
        DBFWriteAttributeDirectly(written, row, 3, hired);
        DBFWriteLogicalAttribute(written, row, 4, row % 2 ? 'T' : 'F');
    }
    DBFWriteNULLAttribute(written, 3, 1);
    DBFMarkRecordDeleted(written, 5, 1);
    DBFClose(written);

    {
        Table table;
        const Status opened = table.open(path);
        ASSERT_TRUE(opened.ok()) << text(opened);
        ASSERT_EQ(table.recordCount(), 50u);
        ASSERT_TRUE(table.go(8).ok());
        EXPECT_EQ(table.text(0), QStringLiteral("Café €"));
        EXPECT_DOUBLE_EQ(*table.number(1), 8.75);
        EXPECT_DOUBLE_EQ(*table.number(2), 70);
        EXPECT_EQ(table.date(3), QDate(2024, 1, 31));
        EXPECT_EQ(table.logical(4), std::optional<bool>(true));
        ASSERT_TRUE(table.go(4).ok());
        EXPECT_FALSE(table.number(1).has_value());
        ASSERT_TRUE(table.go(6).ok());
        EXPECT_TRUE(table.isDeleted());
        // Our changes, read back by shapelib.
        ASSERT_TRUE(table.setText(0, QStringLiteral("Ørsted")).ok());
        ASSERT_TRUE(table.recall().ok());
        ASSERT_TRUE(table.appendBlank().ok());
        ASSERT_TRUE(table.setText(0, QStringLiteral("appended")).ok());
        ASSERT_TRUE(table.setNumber(2, -42).ok());
        ASSERT_TRUE(table.close().ok());
    }
    DBFHandle read = DBFOpen(nativePath.constData(), "rb");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(DBFGetRecordCount(read), 51);
    EXPECT_EQ(QByteArray(DBFReadStringAttribute(read, 5, 0)), QByteArray("\xD8rsted"));
    EXPECT_FALSE(DBFIsRecordDeleted(read, 5));
    EXPECT_EQ(QByteArray(DBFReadStringAttribute(read, 50, 0)), QByteArray("appended"));
    EXPECT_EQ(DBFReadIntegerAttribute(read, 50, 2), -42);
    EXPECT_DOUBLE_EQ(DBFReadDoubleAttribute(read, 49, 1), 61.25);
    DBFClose(read);
}

}  // namespace vel::xbase::testing

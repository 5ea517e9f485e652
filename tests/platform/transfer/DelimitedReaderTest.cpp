// The delimited reader on the cases import files bring: separator from the first line, quotes,
// comments, encodings, broken lines, skips and the field limit.
#include "TransferTestSupport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace vel::testing {

TEST(DelimitedReader, ChoosesTheSeparatorFromTheFirstLineOnly) {
    DelimitedReader reader;
    EXPECT_EQ(readRecords("A100\tSmith, John\nB200\tJones\n", {}, &reader),
              (QList<QStringList>{{"A100", "Smith, John"}, {"B200", "Jones"}}));
    EXPECT_EQ(reader.separator(), '\t');

    EXPECT_EQ(readRecords("A100,Smith;old\nB200,Jones ,  Ann\n", {}, &reader),
              (QList<QStringList>{{"A100", "Smith"}, {"B200", "Jones", "Ann"}}));
    EXPECT_EQ(reader.separator(), ',');

    // Neither tab nor comma in the first line: spaces, runs of them counting once.
    EXPECT_EQ(readRecords("A100  Smith John\nB200 \"Van Dyke\" \"\" Ann,Lee\n", {}, &reader),
              (QList<QStringList>{{"A100", "Smith", "John"},
                                  {"B200", "Van Dyke", "", "Ann,Lee"}}));
    EXPECT_EQ(reader.separator(), ' ');

    // An empty first line has neither, too.
    readRecords("\nA,B\n", {}, &reader);
    EXPECT_EQ(reader.separator(), ' ');
}

TEST(DelimitedReader, HandlesQuotesCommentsAndTrimming) {
    const QByteArray bytes =
        "\"Smith, John\",A100,\"say \"\"hi\"\"\",  padded  ,\"x;y\";comment, more\n"
        "; a whole comment line\n"
        "   \n"
        "A2,,\"\",\"open, to the end\n"
        "A3,\"\"\"quoted\"\"\",'=1+1,'-5,'plain\r\n"
        "A4,last line without end";
    DelimitedReader reader;
    const QList<QStringList> records = readRecords(bytes, {}, &reader);
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0], (QStringList{"Smith, John", "A100", "say \"hi\"", "padded", "x;y"}));
    EXPECT_EQ(records[1], (QStringList{"A2", "", "", "open, to the end"}));
    EXPECT_EQ(records[2], (QStringList{"A3", "\"quoted\"", "=1+1", "-5", "'plain"}));
    EXPECT_EQ(records[3], (QStringList{"A4", "last line without end"}));
    EXPECT_EQ(reader.lineNumber(), 6);
}

TEST(DelimitedReader, DecidesTheEncodingPerLine) {
    DelimitedReader reader;
    auto records = readRecords("\xEF\xBB\xBF" "CODE,NAME\r\nA1,Zo\xC3\xAB\r\n", {}, &reader);
    EXPECT_EQ(reader.encoding(), TextEncoding::Utf8);
    EXPECT_EQ(records, (QList<QStringList>{{"CODE", "NAME"}, {"A1", "Zoë"}}));

    records = readRecords("A1,Caf\xC3\xA9\n", {}, &reader);
    EXPECT_EQ(reader.encoding(), TextEncoding::Utf8);
    EXPECT_EQ(records[0][1], QStringLiteral("Café"));

    records = readRecords("A1,Caf\xE9\nA2,5\x80\n", {}, &reader);
    EXPECT_EQ(reader.encoding(), TextEncoding::Windows1252);
    EXPECT_EQ(records, (QList<QStringList>{{"A1", "Café"}, {"A2", "5€"}}));

    // One Windows-1252 line garbles none of the UTF-8 lines around it, however far apart.
    QByteArray mixed = "A1,Zo\xC3\xAB\nA2,M\xFCller\n";
    for (int line = 0; line < 10000; ++line) {
        mixed += "B" + QByteArray::number(line) + ",Smith\n";
    }
    mixed += "A3,Caf\xE9\nA4,Caf\xC3\xA9\n";
    records = readRecords(mixed, {}, &reader);
    ASSERT_EQ(records.size(), 10004);
    EXPECT_EQ(records[0][1], QStringLiteral("Zoë"));
    EXPECT_EQ(records[1][1], QStringLiteral("Müller"));
    EXPECT_EQ(records[10002][1], QStringLiteral("Café"));
    EXPECT_EQ(records[10003][1], QStringLiteral("Café"));
}

TEST(DelimitedReader, SkipsLinesWithNulBytesAndOverlongLines) {
    // A NUL byte past the first block skips its line only (one in the first block refuses the
    // whole file, see below).
    const QByteArray blanks(40 * 1024, ' ');
    const QByteArray bytes = QByteArray("A1,B\n") + blanks + "\n" + blanks + "\nA2" +
                             QByteArray(1, '\0') + ",C\n" + QByteArray(1024 * 1024, 'x') +
                             "\nA4,\xFF\xFE\x01garbage\nA5,E";
    DelimitedReader reader;
    const QList<QStringList> records = readRecords(bytes, {}, &reader);
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0], (QStringList{"A1", "B"}));
    EXPECT_EQ(records[1][0], QStringLiteral("A4"));
    EXPECT_EQ(records[2], (QStringList{"A5", "E"}));
    EXPECT_EQ(reader.skippedBinaryLines(), 1);
    EXPECT_EQ(reader.skippedLongLines(), 1);
    EXPECT_EQ(reader.lineNumber(), 7);
    EXPECT_TRUE(reader.status().ok());

    // A line of exactly the limit is read; one byte more is skipped; CR LF does not count.
    DelimitedReaderOptions options;
    options.maximumLineLength = 8;
    DelimitedReader limitedReader(options);
    const QList<QStringList> limited =
        readRecords("1234,678\r\n1234,6789\n1234,678\n", {}, &limitedReader);
    EXPECT_EQ(limited, (QList<QStringList>{{"1234", "678"}, {"1234", "678"}}));
    EXPECT_EQ(limitedReader.skippedLongLines(), 1);
}

// What is not a text file is refused at open, before a record is read: a NUL byte or a high
// share of control bytes in the first block, a folder, a FIFO, a device.
TEST(DelimitedReader, RefusesWhatIsNotATextFile) {
    DelimitedReader reader;
    QByteArray random(4096, '\0');
    QRandomGenerator generator(15);
    for (char& byte : random) {
        byte = char(generator.bounded(256));
    }
    QByteArray controls;
    for (int line = 0; line < 50; ++line) {
        controls += "A" + QByteArray::number(line) + ",\x01\x02\x03\x1B\n";
    }
    for (const QByteArray& bytes : {random, QByteArray("A1,B\nA2\0,C\n", 11), controls}) {
        EXPECT_TRUE(readRecords(bytes, {}, &reader).isEmpty());
        EXPECT_EQ(reader.status().code, ReaderErrorCode::NotText);
        EXPECT_TRUE(reader.status().message.contains(QStringLiteral("not a text file")));
    }
    EXPECT_EQ(readRecords("A1\tB\x0C\r\n", {}, &reader).size(), 1) << "tabs, CR, form feed";

    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {folder.path(), fifo, QStringLiteral("/dev/zero")}) {
        const ReaderStatus status = reader.open(path);
        EXPECT_EQ(status.code, ReaderErrorCode::NotAFile) << path.toStdString();
        EXPECT_TRUE(status.message.startsWith(path));
    }
}

TEST(DelimitedReader, SkipsRowsAndFieldsAndKeepsAtMostFortyFields) {
    DelimitedReaderOptions options;
    options.rowsToSkip = 1;
    options.fieldsToSkip = 2;
    EXPECT_EQ(readRecords("CODE,LNAME,FNAME\nX,Y,A1,Smith\nX,Y\nX,Y,A2\n", options),
              (QList<QStringList>{{"A1", "Smith"}, {"A2"}}));

    QStringList many;
    for (int field = 1; field <= 41; ++field) {
        many.append(QString::number(field));
    }
    const QByteArray line = many.join(u',').toUtf8() + "\n";
    QList<QStringList> records = readRecords(line);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0], many.mid(0, 40));
    options = {};
    options.fieldsToSkip = 1;
    records = readRecords(line, options);
    EXPECT_EQ(records[0], many.mid(1, 40));
}

TEST(DelimitedReader, ReportsProgressEmptyFilesAndMissingFiles) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("assoc.csv"));
    QByteArray bytes;
    for (int line = 0; line < 20000; ++line) {
        bytes += "A" + QByteArray::number(line) + ",Smith,John\n";
    }
    writeBytes(path, bytes);
    QList<int> percents;
    DelimitedReaderOptions options;
    options.progress = [&](int percent) { percents.append(percent); };
    DelimitedReader reader(options);
    ASSERT_TRUE(reader.open(path).ok());
    QStringList fields;
    int count = 0;
    while (reader.readRecord(fields)) {
        ++count;
    }
    EXPECT_EQ(count, 20000);
    ASSERT_GE(percents.size(), 50);
    EXPECT_EQ(percents.first(), 0);
    EXPECT_EQ(percents.last(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));

    writeBytes(path, QByteArray());
    percents.clear();
    ASSERT_TRUE(reader.open(path).ok());
    EXPECT_FALSE(reader.readRecord(fields));
    EXPECT_TRUE(reader.status().ok());
    EXPECT_EQ(percents.last(), 100);

    const QString missing = folder.filePath(QStringLiteral("none.csv"));
    const ReaderStatus status = reader.open(missing);
    EXPECT_EQ(status.code, ReaderErrorCode::NotFound);
    EXPECT_TRUE(status.message.contains(missing));
    EXPECT_FALSE(reader.readRecord(fields));
}

}  // namespace vel::testing

// Randomized checks, seeded so that a failure repeats: thousands of files of random bytes never
// break the reader's promises, and random tables survive an export to CSV and TXT and a read.
#include "TransferTestSupport.h"
#include "platform/transfer/DelimitedLineSplitter.h"

#include <QTemporaryDir>

#include <random>

namespace vel::testing {

namespace {

// Bytes that matter to the reader, drawn more often than the rest.
QByteArray randomFile(std::mt19937& random) {
    static const QByteArray interesting = QByteArray(",\t \";\n\r\"';=-@abcAB12", 22) +
                                          QByteArray("\0\xC3\xA9\xEF\xBB\xBF\x80\xFF", 8);
    std::uniform_int_distribution<int> length(0, 600);
    std::uniform_int_distribution<int> pick(0, interesting.size() - 1);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::bernoulli_distribution wild(0.2);
    QByteArray bytes;
    const int size = length(random);
    for (int index = 0; index < size; ++index) {
        bytes.append(wild(random) ? char(anyByte(random)) : interesting[pick(random)]);
    }
    return bytes;
}

QString randomText(std::mt19937& random) {
    static const QString alphabet =
        QStringLiteral("abcXYZ019 ,;\t\"'=+-@éü€中.");
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
    QString text;
    const int size = length(random);
    for (int index = 0; index < size; ++index) {
        text.append(alphabet[pick(random)]);
    }
    return text.trimmed();  // the reader trims every field
}

}  // namespace

TEST(DelimitedReaderFuzz, RandomBytesKeepEveryPromise) {
    std::mt19937 random(20240531);
    std::uniform_int_distribution<int> skips(0, 3);
    std::uniform_int_distribution<int> limits(4, 300);
    int refused = 0;
    for (int run = 0; run < 4000; ++run) {
        QByteArray bytes = randomFile(random);
        const bool text = run % 2 == 0;
        if (text) {
            // Every second file keeps no NUL and no stray control byte, so that it gets past
            // the text check at open and its lines are read.
            for (char& byte : bytes) {
                const auto code = static_cast<unsigned char>(byte);
                if ((code < 0x20 && byte != '\n' && byte != '\r' && byte != '\t') || code == 0x7F) {
                    byte = 'x';
                }
            }
        }
        DelimitedReaderOptions options;
        options.rowsToSkip = skips(random);
        options.fieldsToSkip = skips(random);
        options.maximumLineLength = limits(random);
        QList<int> percents;
        options.progress = [&](int percent) { percents.append(percent); };
        DelimitedReader reader(options);
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        const ReaderStatus opened = reader.open(buffer, QStringLiteral("run %1").arg(run));
        QStringList fields;
        if (!opened.ok()) {
            // Only a file that is not text may be refused, and then nothing is read from it.
            ASSERT_FALSE(text) << run;
            ASSERT_EQ(opened.code, ReaderErrorCode::NotText) << run;
            ASSERT_FALSE(reader.readRecord(fields)) << run;
            ++refused;
            continue;
        }
        const qint64 lines = bytes.count('\n') + (bytes.endsWith('\n') || bytes.isEmpty() ? 0 : 1);
        qint64 lastLine = 0;
        qint64 records = 0;
        while (reader.readRecord(fields)) {
            ++records;
            ASSERT_GE(fields.size(), 1) << run;
            ASSERT_LE(fields.size(), DelimitedReader::maximumFields) << run;
            ASSERT_GT(reader.lineNumber(), lastLine) << run;
            ASSERT_GT(reader.lineNumber(), options.rowsToSkip) << run;
            lastLine = reader.lineNumber();
            for (const QString& field : fields) {
                ASSERT_FALSE(field.contains(QChar(0))) << run;
                ASSERT_EQ(field, field.trimmed()) << run;
            }
        }
        ASSERT_TRUE(reader.status().ok()) << run;
        ASSERT_LE(lastLine, lines) << run;
        ASSERT_LE(records + reader.skippedBinaryLines() + reader.skippedLongLines(), lines);
        ASSERT_FALSE(percents.isEmpty());
        ASSERT_EQ(percents.last(), 100) << run;
        ASSERT_TRUE(std::is_sorted(percents.begin(), percents.end())) << run;
    }
    // Most of the files with NUL bytes are refused at open.
    EXPECT_GT(refused, 1000);
}

TEST(DelimitedReaderFuzz, RandomTablesSurviveExportAndRead) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> columnCounts(1, 6);
    std::uniform_int_distribution<int> rowCounts(1, 8);
    QTemporaryDir folder;
    for (int run = 0; run < 300; ++run) {
        const int columnCount = columnCounts(random);
        QList<QStringList> rows;
        const int rowCount = rowCounts(random);
        for (int row = 0; row < rowCount; ++row) {
            QStringList values;
            for (int column = 0; column < columnCount; ++column) {
                values.append(randomText(random));
            }
            if (values.join(QString()).isEmpty()) {
                values[0] = QStringLiteral("x");  // an empty line is no record
            }
            rows.append(values);
        }
        for (const QString type : {"CSV", "TXT"}) {
            const QString path = folder.filePath(QStringLiteral("run.") + type);
            ExportWriter writer;
            ASSERT_TRUE(writer.create(type, path, QStringLiteral("Table1")).ok());
            for (int column = 1; column <= columnCount; ++column) {
                ASSERT_TRUE(writer.addColumn(column, QStringLiteral("C%1").arg(column),
                                             ExportColumn::TextCode, 12)
                                .ok());
            }
            for (const QStringList& values : rows) {
                ASSERT_TRUE(writer.addRow(QVariantList(values.begin(), values.end())).ok());
            }
            ASSERT_TRUE(writer.close().ok());
            QList<QStringList> expected = rows;
            QList<QStringList> read = readRecords(fileBytes(path));
            if (columnCount == 1 || type == u"CSV") {
                // A first line without the separator outside quotes is read as space-separated.
                const QByteArray first = fileBytes(path).left(fileBytes(path).indexOf('\n'));
                const char separator = type == u"CSV" ? ',' : '\t';
                if (DelimitedLineSplitter::chooseSeparator(first.constData(), first.size()) !=
                    separator) {
                    continue;
                }
            }
            ASSERT_EQ(read, expected) << "run " << run << " " << type.toStdString() << "\n"
                                      << fileBytes(path).toStdString();
        }
    }
}

}  // namespace vel::testing

// Damaged tables and indexes give a clear error naming the file and the problem, never a crash,
// and opening them changes nothing on disk.
#include "XbaseTestSupport.h"

#include "platform/xbase/TableChecker.h"

#include <QtEndian>

namespace vel::xbase::testing {
namespace {

// A sound table of the lookup shape with a few records, as bytes.
QByteArray soundTable(const QTemporaryDir& folder, int records = 3) {
    const QString path = folder.filePath(QStringLiteral("SOUND.DBF"));
    QFile::remove(path);
    Table::create(path, lookupFields());
    Table table;
    table.open(path);
    for (int number = 0; number < records; ++number) {
        appendLookup(table, QStringLiteral("K%1").arg(number), QStringLiteral("L"),
                     QStringLiteral("F"));
    }
    table.close();
    return fileBytes(path);
}

struct Damage {
    const char* what;
    std::function<void(QByteArray&)> apply;
    ErrorCode expected;
    const char* phrase;
};

}  // namespace

TEST(XbaseBadInput, DamagedTablesAreRefusedWithTheFileAndTheProblem) {
    QTemporaryDir folder;
    const QByteArray sound = soundTable(folder);
    const std::vector<Damage> damages = {
        {"short header", [](QByteArray& bytes) { bytes.truncate(20); }, ErrorCode::CorruptHeader,
         "truncated"},
        {"header cut inside the fields", [](QByteArray& bytes) { bytes.truncate(70); },
         ErrorCode::CorruptHeader, "truncated"},
        {"not a table", [](QByteArray& bytes) { bytes[0] = 'P'; }, ErrorCode::CorruptHeader,
         "not a dBase table"},
        {"header length too small",
         [](QByteArray& bytes) { qToLittleEndian<quint16>(20, bytes.data() + 8); },
         ErrorCode::CorruptHeader, "too small"},
        {"no end of the field list", [](QByteArray& bytes) { bytes[128] = 'X'; },
         ErrorCode::CorruptHeader, "field"},
        {"record length disagrees",
         [](QByteArray& bytes) { qToLittleEndian<quint16>(60, bytes.data() + 10); },
         ErrorCode::CorruptHeader, "record length 60"},
        {"count larger than the file",
         [](QByteArray& bytes) { qToLittleEndian<quint32>(10, bytes.data() + 4); },
         ErrorCode::CountMismatch, "says 10 records"},
        {"unknown field type", [](QByteArray& bytes) { bytes[32 + 32 + 11] = 'M'; },
         ErrorCode::UnknownFieldType, "LNAME has the unknown type 'M'"},
        {"field wider than a number may be",
         [](QByteArray& bytes) {
             bytes[32 + 11] = 'N';
             bytes[32 + 17] = 19;
         },
         ErrorCode::CorruptHeader, "CODE"},
        {"empty file", [](QByteArray& bytes) { bytes.clear(); }, ErrorCode::CorruptHeader,
         "truncated"},
    };
    const QString path = folder.filePath(QStringLiteral("BAD.DBF"));
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        QByteArray bytes = sound;
        damage.apply(bytes);
        writeBytes(path, bytes);
        for (const OpenOptions& options : {OpenOptions::shared(), OpenOptions::exclusive()}) {
            Table table;
            const Status status = table.open(path, options);
            EXPECT_EQ(status.code(), damage.expected) << text(status);
            EXPECT_TRUE(status.message().startsWith(path)) << text(status);
            EXPECT_TRUE(status.message().contains(QLatin1String(damage.phrase))) << text(status);
            EXPECT_FALSE(table.isOpen());
        }
        EXPECT_EQ(fileBytes(path), bytes);  // nothing was "repaired" behind the caller's back
        EXPECT_FALSE(TableChecker().checkTable(path).ok());
    }
    const Status missing = Table().open(folder.filePath(QStringLiteral("NONE.DBF")));
    EXPECT_EQ(missing.code(), ErrorCode::NotFound);
    EXPECT_TRUE(missing.message().contains(QStringLiteral("NONE.DBF")));
}

TEST(XbaseBadInput, BadValuesInRecordsAreReadAsEmptyAndReportedByTheCheck) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("VALUES.DBF"));
    ASSERT_TRUE(Table::create(path, allTypeFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path).ok());
    ASSERT_TRUE(table.appendBlank().ok());
    ASSERT_TRUE(table.close().ok());
    QByteArray bytes = fileBytes(path);
    const int record = int(bytes.size()) - 1 - 36;  // the one record, before the end mark
    bytes.replace(record + 13, 9, "  12x4.00");     // AMOUNT
    writeBytes(path, bytes);
    ASSERT_TRUE(table.open(path).ok());
    EXPECT_FALSE(table.number(1).has_value());
    const Status checked = TableChecker().checkTable(path);
    EXPECT_FALSE(checked.ok());
    EXPECT_TRUE(checked.message().contains(QStringLiteral("AMOUNT"))) << text(checked);
    table.close();
    bytes.replace(record + 13, 9, "   -12.75");
    bytes.replace(record + 27, 8, "20231301");  // HIRED: month 13
    writeBytes(path, bytes);
    EXPECT_TRUE(TableChecker().checkTable(path).message().contains(QStringLiteral("HIRED")));
}

TEST(XbaseBadInput, DamagedIndexesAreReportedNotFollowed) {
    QTemporaryDir folder;
    soundTable(folder, 200);
    const QString path = folder.filePath(QStringLiteral("SOUND.DBF"));
    const QString indexPath = folder.filePath(QStringLiteral("SOUND.NDX"));
    {
        Table table;
        ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
        ASSERT_TRUE(table.createIndex(indexPath, QStringLiteral("CODE")).ok());
    }
    ASSERT_TRUE(TableChecker().checkIndex(path, indexPath).ok());
    const QByteArray sound = fileBytes(indexPath);
    const std::vector<Damage> damages = {
        {"truncated header", [](QByteArray& bytes) { bytes.truncate(100); },
         ErrorCode::CorruptIndex, "truncated"},
        {"root outside the file",
         [](QByteArray& bytes) { qToLittleEndian<quint32>(9999, bytes.data()); },
         ErrorCode::CorruptIndex, "root page"},
        {"numeric keys", [](QByteArray& bytes) { bytes[16] = 1; }, ErrorCode::CorruptIndex,
         "numeric"},
        {"key length of another expression", [](QByteArray& bytes) { bytes[12] = 30; },
         ErrorCode::CorruptIndex, "entry size"},
        {"expression of a field the table lacks",
         [](QByteArray& bytes) { bytes.replace(24, 5, QByteArray("PHONE", 5)); },
         ErrorCode::BadExpression, "PHONE"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        QByteArray bytes = sound;
        damage.apply(bytes);
        writeBytes(indexPath, bytes);
        Table table;
        ASSERT_TRUE(table.open(path).ok());
        const Status status = table.openIndex(indexPath);
        EXPECT_EQ(status.code(), damage.expected) << text(status);
        EXPECT_TRUE(status.message().startsWith(indexPath)) << text(status);
        EXPECT_TRUE(status.message().contains(QLatin1String(damage.phrase))) << text(status);
        EXPECT_EQ(fileBytes(indexPath), bytes);
    }
    // Damage inside the tree shows when it is walked: an error, and a failed check.
    QByteArray bytes = sound;
    qToLittleEndian<quint32>(7777, bytes.data() + 512 * qFromLittleEndian<quint32>(sound.data()) +
                                       4);  // first child of the root
    writeBytes(indexPath, bytes);
    Table table;
    ASSERT_TRUE(table.open(path).ok());
    ASSERT_TRUE(table.openIndex(indexPath).ok());
    ASSERT_TRUE(table.selectIndex(0).ok());
    const Status top = table.goTop();
    EXPECT_EQ(top.code(), ErrorCode::CorruptIndex);
    EXPECT_TRUE(top.message().contains(QStringLiteral("page 7777"))) << text(top);
    EXPECT_FALSE(TableChecker().checkIndex(path, indexPath).ok());
    // An index that misses a record fails the check.
    writeBytes(indexPath, sound);
    ASSERT_TRUE(table.close().ok());
    ASSERT_TRUE(table.open(path).ok());
    ASSERT_TRUE(table.appendBlank().ok());  // no index open: the index misses this record
    ASSERT_TRUE(table.setText(0, QStringLiteral("NEW")).ok());
    ASSERT_TRUE(table.close().ok());
    const Status stale = TableChecker().checkIndex(path, indexPath);
    EXPECT_EQ(stale.code(), ErrorCode::CorruptIndex);
    EXPECT_TRUE(stale.message().contains(QStringLiteral("record 201"))) << text(stale);
}

}  // namespace vel::xbase::testing

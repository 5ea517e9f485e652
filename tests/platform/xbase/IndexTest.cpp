// NDX indexes: ordering and seeks stay right through inserts, updates, deletes, page splits,
// reopening, pack and reindex; a stored expression that differs is reported.
#include "XbaseTestSupport.h"

#include <QRandomGenerator>
#include <map>
#include <set>

namespace vel::xbase::testing {
namespace {

using Model = std::set<std::pair<QByteArray, quint32>>;

QByteArray padded(const QString& code, int width = 20) {
    return code.toLatin1().leftJustified(width, ' ', true);
}

// Walks the table in index order and compares with the model (order of duplicates aside).
void expectIndexOrder(Table& table, const Model& model) {
    ASSERT_TRUE(table.goTop().ok());
    std::vector<QByteArray> seen;
    std::set<quint32> records;
    while (!table.eof()) {
        seen.push_back(table.rawField(0));
        records.insert(table.recordNumber());
        const Status status = table.skip();
        ASSERT_TRUE(status.ok()) << text(status);
    }
    ASSERT_EQ(seen.size(), model.size());
    size_t position = 0;
    std::set<quint32> expectedRecords;
    for (const auto& [key, record] : model) {
        EXPECT_EQ(seen[position++], key);
        expectedRecords.insert(record);
    }
    EXPECT_EQ(records, expectedRecords);
    // And backwards from the bottom.
    ASSERT_TRUE(table.goBottom().ok());
    size_t backwards = 0;
    while (!table.bof() && !table.eof()) {
        ++backwards;
        ASSERT_TRUE(table.skip(-1).ok());
    }
    EXPECT_EQ(backwards, model.size());
}

}  // namespace

TEST(XbaseIndex, StaysOrderedThroughRandomInsertsUpdatesAndDeletes) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("LOOK.DBF"));
    const QString indexPath = folder.filePath(QStringLiteral("LOOK1.NDX"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
    ASSERT_TRUE(table.createIndex(indexPath, QStringLiteral("CODE")).ok());
    ASSERT_TRUE(table.selectIndex(0).ok());

    QRandomGenerator random(20240517);
    Model model;
    std::map<quint32, QByteArray> keyOfRecord;
    for (int step = 0; step < 4000; ++step) {
        const int action = random.bounded(10);
        const QString code =
            QStringLiteral("C%1").arg(random.bounded(1500), 5, 10, QLatin1Char('0'));
        if (action < 6 || keyOfRecord.empty()) {
            appendLookup(table, code, QStringLiteral("Last"), QStringLiteral("First"));
            keyOfRecord[table.recordNumber()] = padded(code);
            model.insert({padded(code), table.recordNumber()});
        } else {
            auto chosen = keyOfRecord.begin();
            std::advance(chosen, random.bounded(int(keyOfRecord.size())));
            ASSERT_TRUE(table.go(chosen->first).ok());
            model.erase({chosen->second, chosen->first});
            if (action < 9) {  // update the key
                ASSERT_TRUE(table.setText(0, code).ok());
                chosen->second = padded(code);
                model.insert({chosen->second, chosen->first});
            } else {  // blank the key: the record leaves the model's live keys
                ASSERT_TRUE(table.setText(0, QString()).ok());
                chosen->second = padded(QString());
                model.insert({chosen->second, chosen->first});
            }
            ASSERT_TRUE(table.flush().ok());
        }
    }
    expectIndexOrder(table, model);

    // Every key is found; a missing one lands after its place or at the end.
    for (const auto& [key, record] : model) {
        SeekResult result;
        ASSERT_TRUE(table.seek(QByteArrayView(key), &result).ok());
        ASSERT_EQ(result, SeekResult::Found);
        EXPECT_EQ(table.rawField(0), key);
    }
    SeekResult result;
    ASSERT_TRUE(table.seek(QStringLiteral("C00000A"), &result).ok());
    EXPECT_EQ(result, SeekResult::After);
    ASSERT_TRUE(table.seek(QStringLiteral("ZZZ"), &result).ok());
    EXPECT_EQ(result, SeekResult::Eof);
    EXPECT_TRUE(table.eof());
    ASSERT_TRUE(table.seek(QStringLiteral("C0"), &result).ok());  // a prefix matches
    EXPECT_EQ(result, SeekResult::Found);
    const QString someCode = QString::fromLatin1(model.rbegin()->first).trimmed();
    ASSERT_TRUE(table.seekPadded(someCode.left(3), &result).ok());  // padded: no prefix match
    EXPECT_NE(result, SeekResult::Found);
    ASSERT_TRUE(table.seekPadded(someCode, &result).ok());
    EXPECT_EQ(result, SeekResult::Found);

    // The same order after closing and opening the index again, shared this time.
    ASSERT_TRUE(table.close().ok());
    ASSERT_TRUE(table.open(path, OpenOptions::shared()).ok());
    ASSERT_TRUE(table.openIndex(indexPath, QStringLiteral("code")).ok());
    ASSERT_TRUE(table.selectIndex(0).ok());
    expectIndexOrder(table, model);
}

TEST(XbaseIndex, UpperAndConcatenatedKeysAndAMismatchedExpression) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("NAMES.DBF"));
    const QString byName = folder.filePath(QStringLiteral("BYNAME.NDX"));
    const QString byCode = folder.filePath(QStringLiteral("BYCODE.NDX"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
    appendLookup(table, QStringLiteral("3"), QStringLiteral("émile"), QStringLiteral("Zoe"));
    appendLookup(table, QStringLiteral("1"), QStringLiteral("Adams"), QStringLiteral("Bob"));
    appendLookup(table, QStringLiteral("2"), QStringLiteral("adams"), QStringLiteral("Al"));
    ASSERT_TRUE(table.createIndex(byName, QStringLiteral("upper(LNAME) + upper(FNAME)")).ok());
    ASSERT_TRUE(table.createIndex(byCode, QStringLiteral("CODE")).ok());
    EXPECT_EQ(table.index(0).storedExpression(), QStringLiteral("UPPER(LNAME)+UPPER(FNAME)"));
    EXPECT_EQ(table.index(0).keyLength(), 30);
    ASSERT_TRUE(table.selectIndex(table.findIndex(QStringLiteral("byname"))).ok());
    QStringList order;
    for (table.goTop(); !table.eof(); table.skip()) {
        order << table.text(2);
    }
    EXPECT_EQ(order,
              (QStringList{QStringLiteral("Al"), QStringLiteral("Bob"), QStringLiteral("Zoe")}));
    SeekResult result;
    ASSERT_TRUE(table.seek(QStringLiteral("ÉMILE"), &result).ok());
    EXPECT_EQ(result, SeekResult::Found);
    EXPECT_EQ(table.text(0), QStringLiteral("3"));
    EXPECT_EQ(table.createIndex(byName, QStringLiteral("UPPER(NOSUCH)")).code(),
              ErrorCode::BadExpression);
    ASSERT_TRUE(table.close().ok());

    // Opening with another expected expression is detectable, and the caller can rebuild.
    ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
    const Status mismatch = table.openIndex(byCode, QStringLiteral("UPPER(CODE)"));
    EXPECT_EQ(mismatch.code(), ErrorCode::ExpressionMismatch);
    EXPECT_TRUE(mismatch.message().contains(byCode)) << text(mismatch);
    EXPECT_EQ(table.indexCount(), 0);
    ASSERT_TRUE(table.createIndex(byCode, QStringLiteral("UPPER(CODE)")).ok());
    ASSERT_TRUE(table.close().ok());
    ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
    EXPECT_TRUE(table.openIndex(byCode, QStringLiteral("UPPER(CODE)")).ok());
}

TEST(XbaseIndex, PackDropsDeletedRecordsAndRebuildsOpenIndexes) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("PACK.DBF"));
    const QString indexPath = folder.filePath(QStringLiteral("PACK.NDX"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::shared()).ok());
    for (int number = 0; number < 500; ++number) {
        appendLookup(table, QStringLiteral("K%1").arg(499 - number, 4, 10, QLatin1Char('0')),
                     QStringLiteral("L%1").arg(number), QString());
    }
    ASSERT_TRUE(table.createIndex(indexPath, QStringLiteral("CODE")).ok());
    for (quint32 record = 1; record <= 500; record += 3) {
        ASSERT_TRUE(table.go(record).ok());
        ASSERT_TRUE(table.deleteRecord().ok());
    }
    ASSERT_TRUE(table.go(2).ok());
    ASSERT_TRUE(table.recall().ok());  // not deleted: recall changes nothing
    ASSERT_TRUE(table.flush().ok());
    EXPECT_EQ(table.pack().code(), ErrorCode::NeedsExclusive);
    ASSERT_TRUE(table.close().ok());

    ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
    ASSERT_TRUE(table.openIndex(indexPath).ok());
    ASSERT_TRUE(table.pack().ok());
    EXPECT_EQ(table.recordCount(), 333u);
    ASSERT_TRUE(table.selectIndex(0).ok());
    Model model;
    for (quint32 record = 1; record <= 333; ++record) {
        ASSERT_TRUE(table.go(record).ok());
        EXPECT_FALSE(table.isDeleted());
        model.insert({table.rawField(0), record});
    }
    expectIndexOrder(table, model);
    ASSERT_TRUE(table.reindex().ok());
    expectIndexOrder(table, model);
    ASSERT_TRUE(table.zap().ok());
    EXPECT_EQ(table.recordCount(), 0u);
    ASSERT_TRUE(table.goTop().ok());
    EXPECT_TRUE(table.eof());
    appendLookup(table, QStringLiteral("ONE"), QString(), QString());
    expectIndexOrder(table, {{padded(QStringLiteral("ONE")), 1}});
}

TEST(XbaseIndex, ReusesADeletedRecordAndKeepsItsIndexEntryCurrent) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("REUSE.DBF"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path).ok());
    ASSERT_TRUE(
        table.createIndex(folder.filePath(QStringLiteral("R.NDX")), QStringLiteral("CODE")).ok());
    ASSERT_TRUE(table.selectIndex(0).ok());
    appendLookup(table, QStringLiteral("A"), QString(), QString());
    appendLookup(table, QStringLiteral("B"), QString(), QString());
    bool reused = true;
    ASSERT_TRUE(table.reuseDeleted(&reused).ok());
    EXPECT_FALSE(reused);
    ASSERT_TRUE(table.go(1).ok());
    ASSERT_TRUE(table.deleteRecord().ok());
    ASSERT_TRUE(table.reuseDeleted(&reused).ok());
    ASSERT_TRUE(reused);
    EXPECT_EQ(table.recordNumber(), 1u);
    EXPECT_FALSE(table.isDeleted());
    ASSERT_TRUE(table.setText(0, QStringLiteral("C")).ok());
    ASSERT_TRUE(table.flush().ok());
    EXPECT_EQ(table.recordCount(), 2u);
    expectIndexOrder(table, {{padded(QStringLiteral("B")), 2}, {padded(QStringLiteral("C")), 1}});
}

}  // namespace vel::xbase::testing

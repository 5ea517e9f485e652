// Two users of one table and index in shared mode: what one writes, the other finds at once,
// although each keeps index pages cached.
#include "XbaseTestSupport.h"

#include "platform/xbase/TableChecker.h"

namespace vel::xbase::testing {

TEST(XbaseSharedIndex, EachUserSeesTheOthersKeysAndMoves) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("SHARED.DBF"));
    const QString indexPath = folder.filePath(QStringLiteral("SHARED.NDX"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table first;
    Table second;
    ASSERT_TRUE(first.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok());
    ASSERT_TRUE(first.createIndex(indexPath, QStringLiteral("CODE")).ok());
    ASSERT_TRUE(second.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok());
    ASSERT_TRUE(second.openIndex(indexPath, QStringLiteral("CODE")).ok());
    ASSERT_TRUE(first.selectIndex(0).ok());
    ASSERT_TRUE(second.selectIndex(0).ok());

    SeekResult result;
    for (int number = 0; number < 400; ++number) {
        Table& writer = number % 2 ? first : second;
        Table& reader = number % 2 ? second : first;
        const QString code =
            QStringLiteral("K%1").arg((number * 37) % 400, 3, 10, QLatin1Char('0'));
        appendLookup(writer, code, QStringLiteral("by %1").arg(number % 2), QString());
        ASSERT_TRUE(reader.seekPadded(code, &result).ok());
        ASSERT_EQ(result, SeekResult::Found) << code.toStdString();
        EXPECT_EQ(reader.recordNumber(), quint32(number + 1));
    }
    // A key changed by one user moves in the other's order.
    ASSERT_TRUE(first.seekPadded(QStringLiteral("K000"), &result).ok());
    ASSERT_TRUE(first.setText(0, QStringLiteral("ZZZ")).ok());
    ASSERT_TRUE(first.flush().ok());
    ASSERT_TRUE(second.goBottom().ok());
    EXPECT_EQ(second.text(0), QStringLiteral("ZZZ"));
    ASSERT_TRUE(second.goTop().ok());
    EXPECT_EQ(second.text(0), QStringLiteral("K001"));
    int seen = 0;
    for (Status moved = second.goTop(); moved.ok() && !second.eof(); moved = second.skip()) {
        ++seen;
    }
    EXPECT_EQ(seen, 400);
    first.close();
    second.close();
    EXPECT_TRUE(TableChecker().checkIndex(path, indexPath).ok());
}

}  // namespace vel::xbase::testing

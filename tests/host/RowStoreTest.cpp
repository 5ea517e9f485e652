// Rows held in blocks: every row keeps its bytes across block boundaries, growth, truncation
// and appends after it, for lengths that do and do not divide a block.
#include "host/RowStore.h"

#include <gtest/gtest.h>
#include <QByteArray>

#include <algorithm>

namespace vel::testing {
namespace {

QByteArray rowBytes(size_t index, qsizetype length) {
    QByteArray row(length, ' ');
    for (qsizetype at = 0; at < length; ++at) {
        row[at] = char('A' + (index * 7 + size_t(at)) % 26);
    }
    return row;
}

TEST(RowStore, KeepsEveryRowThroughBlocksTruncationAndReset) {
    for (const qsizetype length : {1, 11, 469, 65536, 70000}) {
        RowStore rows(length);
        constexpr size_t count = 700;
        for (size_t index = 0; index < count; ++index) {
            if (index % 2 == 0) {
                rows.append(rowBytes(index, length).constData());
            } else {
                const QByteArray bytes = rowBytes(index, length);
                std::copy(bytes.begin(), bytes.end(), rows.appendRow());
            }
        }
        ASSERT_EQ(rows.size(), count);
        for (size_t index = 0; index < count; ++index) {
            ASSERT_EQ(QByteArray(rows.at(index), length), rowBytes(index, length))
                << "length " << length << ", row " << index;
        }
        // A row appended from one already held, then the store cut back and grown again.
        rows.append(rows.at(3));
        EXPECT_EQ(QByteArray(rows.at(count), length), rowBytes(3, length));
        rows.truncate(150);
        ASSERT_EQ(rows.size(), 150u);
        rows.truncate(400);
        EXPECT_EQ(rows.size(), 150u) << "truncation never grows";
        for (size_t index = 150; index < 300; ++index) {
            rows.append(rowBytes(index + 1000, length).constData());
        }
        for (size_t index = 0; index < 300; ++index) {
            const size_t made = index < 150 ? index : index + 1000;
            ASSERT_EQ(QByteArray(rows.at(index), length), rowBytes(made, length))
                << "length " << length << ", row " << index;
        }
        rows.reset(5);
        EXPECT_TRUE(rows.empty());
        EXPECT_EQ(rows.length(), 5);
    }
}

}  // namespace
}  // namespace vel::testing

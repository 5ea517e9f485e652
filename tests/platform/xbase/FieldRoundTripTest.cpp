// Values of every field type survive a write, a close and a read; bad values are refused
// without changing what is stored; the damage check of a loaded number agrees with its reading.
#include "XbaseTestSupport.h"

#include "platform/xbase/FieldValues.h"

#include <cstring>

namespace vel::xbase::testing {

TEST(XbaseFields, EveryTypeRoundTripsThroughTheFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("ALL.DBF"));
    ASSERT_TRUE(Table::create(path, allTypeFields()).ok());
    {
        Table table;
        ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
        ASSERT_TRUE(table.appendBlank().ok());
        EXPECT_TRUE(table.setText(0, QStringLiteral("Café 5€ ÿ")).ok());
        EXPECT_TRUE(table.setNumber(1, -1234.567).ok());
        EXPECT_TRUE(table.setNumber(2, 99999).ok());
        EXPECT_TRUE(table.setDate(3, QDate(2024, 2, 29)).ok());
        EXPECT_TRUE(table.setLogical(4, true).ok());
        ASSERT_TRUE(table.appendBlank().ok());  // all blank: empty number, no date, unknown
        ASSERT_TRUE(table.appendBlank().ok());
        EXPECT_TRUE(table.setText(0, QStringLiteral("a much longer name than twelve")).ok());
        EXPECT_TRUE(table.setLogical(4, false).ok());
        EXPECT_TRUE(table.setText(1, QStringLiteral(" 12.5 ")).ok());
        EXPECT_TRUE(table.setText(3, QStringLiteral("1999-12-31")).ok());
        ASSERT_TRUE(table.close().ok());
    }
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::readOnlyShared()).ok());
    ASSERT_EQ(table.recordCount(), 3u);
    EXPECT_EQ(table.text(0), QStringLiteral("Café 5€ ÿ"));
    EXPECT_EQ(table.rawField(0), QByteArray("Caf\xE9 5\x80 \xFF   ", 12));
    EXPECT_DOUBLE_EQ(*table.number(1), -1234.57);
    EXPECT_EQ(table.rawField(1), QByteArray(" -1234.57"));
    EXPECT_DOUBLE_EQ(*table.number(2), 99999);
    EXPECT_EQ(table.date(3), QDate(2024, 2, 29));
    EXPECT_EQ(table.logical(4), std::optional<bool>(true));
    ASSERT_TRUE(table.skip().ok());
    EXPECT_EQ(table.text(0), QString());
    EXPECT_FALSE(table.number(1).has_value());
    EXPECT_TRUE(table.date(3).isNull());
    EXPECT_FALSE(table.logical(4).has_value());
    ASSERT_TRUE(table.skip().ok());
    EXPECT_EQ(table.text(0), QStringLiteral("a much longe"));  // character fields are cut
    EXPECT_DOUBLE_EQ(*table.number(1), 12.5);
    EXPECT_EQ(table.date(3), QDate(1999, 12, 31));
    EXPECT_EQ(table.logical(4), std::optional<bool>(false));
    ASSERT_TRUE(table.skip().ok());
    EXPECT_TRUE(table.eof());
}

TEST(XbaseFields, RefusesNumbersThatDoNotFitAndLeavesTheFieldAlone) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("NUM.DBF"));
    ASSERT_TRUE(Table::create(path, allTypeFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
    ASSERT_TRUE(table.appendBlank().ok());
    ASSERT_TRUE(table.setNumber(1, 123456.78).ok());  // exactly 9 wide
    Status status = table.setNumber(1, 1234567.8);
    EXPECT_EQ(status.code(), ErrorCode::FieldOverflow);
    EXPECT_TRUE(status.message().contains(path)) << text(status);
    EXPECT_TRUE(status.message().contains(QStringLiteral("AMOUNT"))) << text(status);
    EXPECT_EQ(table.setNumber(2, 100000).code(), ErrorCode::FieldOverflow);
    EXPECT_EQ(table.setNumber(2, -10000).code(), ErrorCode::FieldOverflow);
    EXPECT_TRUE(table.setNumber(2, -9999).ok());
    EXPECT_EQ(table.setText(1, QStringLiteral("12,5")).code(), ErrorCode::BadArgument);
    EXPECT_EQ(table.setText(3, QStringLiteral("2024-02-30")).code(), ErrorCode::BadArgument);
    EXPECT_EQ(table.setText(4, QStringLiteral("maybe")).code(), ErrorCode::BadArgument);
    EXPECT_EQ(table.setDate(0, QDate(2020, 1, 1)).code(), ErrorCode::WrongFieldType);
    EXPECT_EQ(table.setNumber(9, 1).code(), ErrorCode::NoSuchField);
    EXPECT_EQ(table.setNumber(1, std::nan("")).code(), ErrorCode::BadArgument);
    ASSERT_TRUE(table.flush().ok());
    ASSERT_TRUE(table.go(1).ok());
    EXPECT_DOUBLE_EQ(*table.number(1), 123456.78);
    EXPECT_DOUBLE_EQ(*table.number(2), -9999);
    // A rounded negative zero is stored without its sign.
    FieldDescriptor field = FieldDescriptor::numeric(QStringLiteral("X"), 5, 2);
    EXPECT_EQ(FieldValues::formatNumber(field, -0.001), QByteArray(" 0.00"));
}

TEST(XbaseFields, CharactersOutsideWindows1252BecomeQuestionMarks) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("TXT.DBF"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path).ok());
    ASSERT_TRUE(table.appendBlank().ok());
    ASSERT_TRUE(table.setText(1, QStringLiteral("Ωmega Šimon")).ok());
    ASSERT_TRUE(table.flush().ok());
    ASSERT_TRUE(table.go(1).ok());
    EXPECT_EQ(table.text(1), QStringLiteral("?mega Šimon"));
}

// Ten-character values, and the same right-aligned in a field of 20 (blanks are skipped eight at a
// time).
TEST(XbaseFields, DamageCheckOfNumbersAgreesWithTheirReading) {
    for (const char* value :
         {"     12.50", "        -7", "0000012.50", "-0.5      ", "     1.2.3", "      - 12",
          "     12a  ", "       1. ", "        .5", "1e5       ", "          ", "    \t     ",
          "         -", "  12 34   ", "-        1"}) {
        for (const int width : {10, 20}) {
            const FieldDescriptor field{QStringLiteral("N"), FieldType::Numeric, width, 2, 1};
            const QByteArray stored = QByteArray(value).rightJustified(width, ' ');
            SCOPED_TRACE(stored.constData());
            const QByteArray record = QByteArray(" ") + stored;
            const QString problem = FieldValues::problem(record.constData(), field);
            const bool blank = QByteArray(stored).trimmed().isEmpty();
            EXPECT_EQ(problem.isEmpty(), blank || FieldValues::number(record.constData(), field));
            EXPECT_TRUE(problem.isEmpty() || problem == QStringLiteral("is not a number"));
        }
    }
}

}  // namespace vel::xbase::testing

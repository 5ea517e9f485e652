// The exact shortcuts for numeric fields agree with Qt's general conversions: a plain decimal
// text reads as QByteArray::toDouble reads it, anything less plain is left to it, and a value
// that the shortcut formats gets the digits QByteArray::number gives it.
#include "platform/xbase/DecimalText.h"

#include <gtest/gtest.h>
#include <QByteArray>
#include <random>

namespace vel::testing {
namespace {

namespace decimalText = xbase::decimalText;

std::optional<double> parsed(const QByteArray& text) {
    return decimalText::parse(text.constData(), text.constData() + text.size());
}

TEST(DecimalText, PlainTextsReadAsQtReadsThemAndOthersAreLeftToIt) {
    std::mt19937_64 random(5);
    for (int round = 0; round < 20000; ++round) {
        const int decimals = int(random() % 9);
        const qint64 whole = qint64(random() % 10000000);
        QByteArray text = QByteArray::number(whole);
        if (decimals > 0) {
            text += '.' + QByteArray::number(qint64(random() % 1000000000))
                              .right(decimals)
                              .rightJustified(decimals, '0');
        }
        if (random() % 2 == 0) {
            text.prepend('-');
        }
        const auto value = parsed(text);
        ASSERT_TRUE(value.has_value()) << text.constData();
        bool ok = false;
        const double expected = text.toDouble(&ok);
        ASSERT_TRUE(ok);
        ASSERT_EQ(*value, expected) << text.constData();
        ASSERT_EQ(std::signbit(*value), std::signbit(expected)) << text.constData();
    }
    // Not plain: the general conversion decides.
    for (const char* other :
         {"", "-", ".5", "1.", "007", "+1", "1e5", " 1", "1 ", "1.2.3", "1234567890123456",
          "0.1234567890123456", "1.0000000000000000", "nan", "--1", "1-"}) {
        EXPECT_FALSE(parsed(other).has_value()) << other;
    }
    EXPECT_EQ(parsed("0.05"), 0.05);
    EXPECT_EQ(parsed("123456789012345"), 123456789012345.0);
}

TEST(DecimalText, FormattedDigitsAreQtsDigits) {
    std::mt19937_64 random(9);
    std::uniform_real_distribution<double> spread(-1e6, 1e6);
    int formatted = 0;
    for (int round = 0; round < 20000; ++round) {
        const int decimals = int(random() % 16);
        // Values with exactly that many places (the shortcut's case) and any others.
        double value = spread(random);
        if (round % 2 == 0) {
            value = std::round(value * decimalText::powersOfTen[size_t(decimals)] / 1e6) /
                    decimalText::powersOfTen[size_t(decimals)];
        }
        const auto scaled = decimalText::scaledDigits(value, decimals);
        if (!scaled) {
            continue;
        }
        ++formatted;
        char text[20];
        const QByteArray digits(text, decimalText::format(*scaled, decimals, text));
        QByteArray expected = QByteArray::number(value, 'f', decimals);
        if (expected.startsWith('-') && *scaled == 0) {
            expected.remove(0, 1);  // zero has no sign
        }
        ASSERT_EQ(digits, expected) << value << " at " << decimals;
        ASSERT_EQ(parsed(digits).value_or(-1), expected.toDouble()) << digits.constData();
    }
    EXPECT_GT(formatted, 9000);
    // Halves that are not exact, values too long for 15 digits, and non-finite values are not
    // the shortcut's.
    EXPECT_FALSE(decimalText::scaledDigits(0.125, 2).has_value());
    EXPECT_FALSE(decimalText::scaledDigits(1e15, 2).has_value());
    EXPECT_FALSE(decimalText::scaledDigits(std::nan(""), 2).has_value());
    EXPECT_FALSE(decimalText::scaledDigits(1.0, 16).has_value());
    char text[20];
    EXPECT_EQ(QByteArray(text, decimalText::format(-5, 2, text)), "-0.05");
    EXPECT_EQ(QByteArray(text, decimalText::format(0, 3, text)), "0.000");
    EXPECT_EQ(QByteArray(text, decimalText::format(1525, 0, text)), "1525");
}

}  // namespace
}  // namespace vel::testing
